#!/usr/bin/env bash
# Runs every scenario script on the Qt backend and compares its transcript with the expected one
# of tests/scenarios, or with the Qt-specific one in tests/qt/scenarios where the transcript
# depends on a choice of the toolkit (see the README there).
#   run_scenarios.sh HOST SCENARIO_DIR QT_EXPECTED_DIR WORKDIR
set -u
host=$1 scenarios=$2 qt_expected=$3 work=$4
failed=0
for script in "$scenarios"/*.dws; do
  name=$(basename "$script" .dws)
  expected="$scenarios/$name.expected"
  [ -f "$qt_expected/$name.expected" ] && expected="$qt_expected/$name.expected"
  dir="$work/$name"
  rm -rf "$dir" && mkdir -p "$dir"
  ln -s "$(cd "$scenarios" && pwd)/files" "$dir/files"
  (cd "$dir" && QT_QPA_PLATFORM= "$host" --platform qt "$script" >transcript.txt 2>stderr.txt)
  status=$?
  # 1 when the transcript ends with a script error, else 0; anything else (a sanitizer's
  # report, a crash) fails even when the transcript is complete.
  want=0
  tail -n 1 "$expected" | grep -q '^script error ' && want=1
  if [ "$status" -ne "$want" ]; then
    echo "scenario $name on the Qt backend: exit status $status, expected $want"
    cat "$dir/stderr.txt"
    failed=1
  fi
  if ! diff -u --label "expected: $expected" --label "actual: $name on Qt" "$expected" \
      "$dir/transcript.txt"; then
    echo "scenario $name differs on the Qt backend"
    failed=1
  fi
done
exit $failed
