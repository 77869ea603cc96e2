#!/usr/bin/env bash
# Builds a tree once per deliberate fault in tests/mutants/faults/*.patch and runs the suite on
# each, to show that the suite catches every one of them. Slow: one full build, then one
# incremental build and a partial test run per fault.
#
#   tests/mutants/run.sh [--from <git-rev or dir>] [--only PATTERN] [--keep DIR]
#
#   --from   the tree to test: a revision of this repository or a directory holding a
#            checkout (default: this repository's working tree). The patches always come from
#            the folder this script lives in.
#   --only   only the patches whose file name matches the regular expression PATTERN.
#   --keep   work in DIR (created) and leave it there: the copy, its build and the logs.
#
# Exit status 0 only when every fault is caught.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
from=$repo
only=
keep=
while (($#)); do
  case $1 in
    --from) from=$2; shift 2 ;;
    --only) only=$2; shift 2 ;;
    --keep) keep=$2; shift 2 ;;
    *) echo "usage: $0 [--from <git-rev or dir>] [--only PATTERN] [--keep DIR]" >&2; exit 2 ;;
  esac
done

if [[ -n $keep ]]; then
  mkdir -p "$keep"
  scratch=$(cd "$keep" && pwd)
  [[ -z $(ls -A "$scratch") ]] || { echo "error: $scratch is not empty" >&2; exit 2; }
else
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/datewell-mutants.XXXXXX")
  trap 'rm -rf "$scratch"' EXIT
fi
tree=$scratch/tree
logs=$scratch/logs
mkdir -p "$tree" "$logs" "$scratch/orig"
report=${TMPDIR:-/tmp}/datewell-mutants-$(date +%Y%m%d-%H%M%S).txt

say() { echo "$*" | tee -a "$report"; }

# One copy of the tree, without build folders or Git's own files.
if [[ -d $from ]]; then
  tar -C "$from" --exclude='./build*' --exclude=./.git --exclude=./out -cf - . | tar -C "$tree" -xf -
else
  from=$(git -C "$repo" rev-parse --short "$from^{commit}")
  git -C "$repo" archive "$from" | tar -C "$tree" -xf -
fi
git init -q "$tree" >/dev/null 2>&1  # so that git apply treats the copy as the root the patches name

# ccache, when there is one, with paths taken relative to the copy so that its objects are
# shared with other checkouts built the same way.
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$tree CCACHE_NOHASHDIR=1
fi

build() { (cd "$tree" && nice cmake --build --preset default) >"$1" 2>&1; }
# The first failing test's name, empty if all passed. Tests run in the order they are declared
# (no cost data from an earlier run), fast unit tests first.
run_suite() {
  rm -f "$tree/build/Testing/Temporary/CTestCostData.txt"
  (cd "$tree" && nice ctest --test-dir build --stop-on-failure -j2 --timeout 120) >"$1" 2>&1 || true
  sed -nE '/Test +#[0-9]+: /{/ Passed |\*\*\*Skipped/!{s/^.*Test +#[0-9]+: ([^ ]+) .*$/\1/p;q}}' "$1"
}

say "mutants of $from, $(date '+%F %T'), work in $scratch"
start=$SECONDS
(cd "$tree" && nice cmake --preset default) >"$logs/configure.log" 2>&1 ||
  { say "error: the clean tree does not configure (see $logs/configure.log)"; exit 2; }
build "$logs/baseline.build.log" ||
  { say "error: the clean tree does not build (see $logs/baseline.build.log)"; exit 2; }
failed=$(run_suite "$logs/baseline.test.log")
if [[ -n $failed || $(grep -c 'tests passed' "$logs/baseline.test.log") -eq 0 ]]; then
  say "error: the clean tree fails its suite (${failed:-no summary}; see $logs/baseline.test.log)"
  exit 2
fi
say "baseline: built and passed in $((SECONDS - start)) s"

caught=0 missed=0 broken=0 total=0
for patch in "$here"/faults/*.patch; do
  name=$(basename "$patch" .patch)
  [[ -z $only || $name =~ $only ]] || continue
  total=$((total + 1))
  start=$SECONDS
  if ! (cd "$tree" && git apply --check "$patch") >"$logs/$name.apply.log" 2>&1; then
    broken=$((broken + 1))
    say "$(printf '%-55s does not apply (%d s)' "$name" $((SECONDS - start)))"
    continue
  fi
  # Keep the files it touches, to put them back byte for byte (with a new time, so that make
  # rebuilds what the fault changed).
  mapfile -t files < <(cd "$tree" && git apply --numstat "$patch" | cut -f3)
  for f in "${files[@]}"; do mkdir -p "$scratch/orig/$(dirname "$f")" && cp "$tree/$f" "$scratch/orig/$f"; done
  (cd "$tree" && git apply "$patch")
  if ! build "$logs/$name.build.log"; then
    broken=$((broken + 1))
    result="does not build"
  else
    failed=$(run_suite "$logs/$name.test.log")
    if [[ -n $failed ]]; then
      caught=$((caught + 1))
      result="caught by $failed"
    else
      missed=$((missed + 1))
      result=MISSED
    fi
  fi
  for f in "${files[@]}"; do cp "$scratch/orig/$f" "$tree/$f"; done
  say "$(printf '%-55s %s (%d s)' "$name" "$result" $((SECONDS - start)))"
done

say "$caught caught, $missed missed, $broken broken of $total"
echo "report: $report"
((total > 0 && caught == total))
