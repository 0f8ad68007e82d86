#!/usr/bin/env bash
# Long fuzzing runs, started by hand (CI runs each target only briefly).
# Builds nothing: it runs the fuzz targets of an already built clang folder
# (scripts/test.sh builds build-asan). Each target runs for SECONDS, restarted
# after a crash until its time is spent, and keeps what it finds in a corpus
# of its own outside the source tree, so later runs go on from there.
# Usage: scripts/fuzz.sh SECONDS [BUILD_DIR]
#   QUILLON_FUZZ_DIR  where corpora, crash files and logs go
#                     (default: ${XDG_CACHE_HOME:-~/.cache}/quillon-fuzz)
# Needs jq (Debian package jq) to read the targets from ctest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

seconds="${1:-}"
build="${2:-$root/build-asan}"
out="${QUILLON_FUZZ_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/quillon-fuzz}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 SECONDS [BUILD_DIR]" >&2
  exit 2
fi
command -v jq >/dev/null || { echo "$0: needs jq (apt-get install jq)" >&2; exit 2; }
[ -f "$build/CTestTestfile.cmake" ] || { echo "$0: $build is not a build folder" >&2; exit 2; }

# One line per target: the program, then its seed folders (the arguments of
# its ctest command that are not options).
targets="$(ctest --test-dir "$build" -L fuzz --show-only=json-v1 |
  jq -r '.tests[] | select(.command) | [.name, .command[0]] + [.command[1:][] | select(startswith("-") | not)] | @tsv')"
[ -n "$targets" ] || { echo "$0: no fuzz targets in $build (configure with -DQUILLON_FUZZ=ON)" >&2; exit 2; }

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

# The runs a libFuzzer log reports: its final count, else the last progress line.
runs_in_log() {
  local n
  n="$(grep -ao 'number_of_executed_units: [0-9]*' "$1" | tail -n1 | grep -o '[0-9]*$' || true)"
  [ -n "$n" ] || n="$(grep -ao '^#[0-9]*' "$1" | tail -n1 | tr -d '#' || true)"
  echo "${n:-0}"
}

printf '%-32s %12s %8s  %s\n' target runs crashes "crash files"
failed=0
while IFS=$'\t' read -r name program seeds; do
  if [ ! -x "$program" ]; then
    printf '%-32s %12s %8s  %s\n' "$name" - - "not built"
    failed=1
    continue
  fi
  dir="$out/$name"
  mkdir -p "$dir/corpus" "$dir/crashes"
  read -r -a seed_dirs <<<"$seeds"
  stamp="$dir/.started"
  : >"$stamp"
  runs=0
  deadline=$((SECONDS + seconds))
  note=""
  while (( (left = deadline - SECONDS) > 0 )); do
    before="$(ls "$dir/crashes" | wc -l)"
    status=0
    "$program" -max_total_time="$left" -print_final_stats=1 \
      -artifact_prefix="$dir/crashes/" "$dir/corpus" "${seed_dirs[@]}" >"$dir/last.log" 2>&1 || status=$?
    runs=$((runs + $(runs_in_log "$dir/last.log")))
    ((status != 0)) || break
    # No new file: the same crash again at once (more time finds nothing new), or
    # the program failed without a crash file.
    if (($(ls "$dir/crashes" | wc -l) == before)); then
      [ -n "$(find "$dir/crashes" -type f -newer "$stamp")" ] || note="failed, see $dir/last.log"
      break
    fi
  done
  found="$(find "$dir/crashes" -type f -newer "$stamp" | wc -l)"
  ((found == 0)) || note="$dir/crashes"
  [ -z "$note" ] || failed=1
  printf '%-32s %12s %8s  %s\n' "$name" "$runs" "$found" "$note"
done <<<"$targets"
exit "$failed"
