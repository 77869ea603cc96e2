#!/usr/bin/env bash
# Runs one scenario script and compares its transcript with the expected one.
#   run_scenario.sh HOST SCRIPT EXPECTED WORKDIR
# The expected exit status follows from the transcript: 1 when it ends with a script error,
# else 0. On a difference the unified diff is shown (expected first). The input files the
# scripts load are in files/ beside them, linked into the work folder under that name.
set -u
host=$1 script=$2 expected=$3 workdir=$4

if [ ! -f "$expected" ]; then
  echo "no expected transcript: $expected"
  exit 1
fi
rm -rf "$workdir"
mkdir -p "$workdir"
ln -s "$(cd "$(dirname "$script")" && pwd)/files" "$workdir/files"
cd "$workdir" || exit 1

"$host" "$script" >transcript.txt 2>stderr.txt
status=$?

want=0
if tail -n 1 "$expected" | grep -q '^script error '; then
  want=1
fi

failed=0
if ! diff -u --label "expected: $expected" --label "actual: $script" "$expected" transcript.txt; then
  echo "the transcript differs (actual in $workdir/transcript.txt)"
  failed=1
fi
if [ "$status" -ne "$want" ]; then
  echo "exit status $status, expected $want"
  cat stderr.txt
  failed=1
fi
exit $failed
