#!/usr/bin/env bash
# Checks the manual pages of quillon, quillon-cli and q30sim.
#
#   man_pages_test.sh render MAN_SOURCE_DIR MAN_BUILD_DIR
#     each page renders without a warning, and the compressed copy that is
#     installed holds the same page. Exit 77 (skipped) without groff.
#
#   man_pages_test.sh options MAN_SOURCE_DIR SOURCE_ROOT QUILLON QUILLON_CLI Q30SIM
#     the pages and the programs agree: every option and command a program's
#     own help names is in its page, the page names none the program does not
#     take, options are written so that they can be copied from the rendered
#     page, and the exit statuses and environment variables the code defines
#     are documented.
set -uo pipefail

pages=(quillon quillon-cli q30sim)
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

check_render() {
  local src=$1 bin=$2
  if ! command -v groff >/dev/null; then
    echo "groff is not installed (Debian package groff-base): skipped"
    exit 77
  fi
  local page warnings
  for page in "${pages[@]}"; do
    warnings=$(groff -man -Tutf8 -ww -z "$src/$page.1" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$page.1: groff warns: $warnings"
    if [ ! -f "$bin/$page.1.gz" ]; then
      fail "$bin/$page.1.gz was not built"
      continue
    fi
    cmp -s <(gzip -dc "$bin/$page.1.gz") "$src/$page.1" || fail "$page.1.gz does not hold $page.1"
    # What man(1) itself says about the installed page, at a terminal's width.
    if command -v man >/dev/null; then
      warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$bin/$page.1.gz" 2>&1 >/dev/null)
      [ -z "$warnings" ] || fail "$page.1.gz: man warns: $warnings"
    fi
  done
}

# The page's text as typed: no comments, "\-" as "-", no font changes.
page_text() {
  sed -e '/^\.\\"/d' -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\&//g' "$1"
}

# The lines of a page that speak about its own program: every section but the
# examples (where only lines that run the program count) and SEE ALSO.
own_lines() {
  local page=$1 program=$2
  page_text "$page" | awk -v program="$program" '
    /^\.SH/ { section = $2; next }
    section == "SEE" { next }
    section == "EXAMPLES" && $0 !~ ("(^| )" program "( |$)") { next }
    { print }'
}

long_options() { grep -oE -- '--[a-z][a-z0-9-]*' | sort -u; }
short_options() { grep -oP '(^|[\s(\[|,])-\K[A-Za-z](?![A-Za-z0-9-])' | sort -u; }

# Set difference of two sorted lists, as one line.
only_in() { comm -23 <(printf '%s\n' "$1") <(printf '%s\n' "$2") | paste -sd ' '; }

# The lines of section NAME of a page's text.
section_of() { page_text "$1" | awk -v name="$2" '/^\.SH/ { inside = ($2 == name); next } inside'; }

# PAGE_LINES: the page's own lines (own_lines); HELP: the program's help.
compare_options() {
  local program=$1 page_lines=$2 help=$3
  local wanted documented missing unknown
  wanted=$( (printf '%s\n' "$help"; echo --help) | long_options)
  documented=$(long_options <<<"$page_lines")
  missing=$(only_in "$wanted" "$documented")
  unknown=$(only_in "$documented" "$wanted")
  [ -z "$missing" ] || fail "$program takes $missing but its page does not name it"
  [ -z "$unknown" ] || fail "the page of $program names $unknown, which $program does not take"
}

# Every short option the page names is the help's other spelling: the same
# text, exit status 0.
check_short_options() {
  local program=$1 page_lines=$2 binary=$3 help=$4
  local letter output
  for letter in $(short_options <<<"$page_lines"); do
    output=$(timeout 20 "$binary" "-$letter" 2>/dev/null)
    [ $? -eq 0 ] && [ "$output" = "$help" ] || fail "the page of $program names -$letter, which is not its --help"
  done
}

# Options written with a plain "-" render as typographic hyphens that cannot
# be copied into a shell.
check_hyphens() {
  local page=$1 bad
  bad=$(sed '/^\.\\"/d' "$page" | grep -nP '(^|[\s"(|,\[]|\\f[BIRP])-+[A-Za-z]')
  [ -z "$bad" ] || fail "$(basename "$page"): options with a plain hyphen (write \\-):
$bad"
}

# The help text of `quillon-cli` (HELP), then of each of its COMMANDS (asked
# side by side: a sanitizer build takes a while to start).
cli_help() {
  local cli=$1 help=$2 commands=$3 command
  local answers
  answers=$(mktemp -d) || return
  for command in $commands; do
    timeout 20 "$cli" "$command" --help >"$answers/$command" 2>&1 &
  done
  wait
  printf '%s\n' "$help"
  cat "$answers"/* 2>/dev/null
  rm -rf "$answers"
}

# The commands listed in the help text of quillon-cli.
cli_commands() {
  awk '/^commands:/ { inside = 1; next } inside && /^$/ { exit } inside && /^  [a-z]/ { print $1 }' <<<"$1" |
    sort -u
}

# The first word of each item of the COMMANDS section.
page_commands() {
  section_of "$1" COMMANDS | awk 'after_tp { sub(/^\.[A-Z]+ /, ""); gsub(/"/, ""); print $1 } { after_tp = /^\.TP/ }' |
    sort -u
}

# The numbers under EXIT STATUS.
page_exit_statuses() { section_of "$1" EXIT | awk 'after_tp { print $2 } { after_tp = /^\.TP/ }' | sort -u; }
source_exit_statuses() { grep -ohE 'kExit[A-Za-z]+ = [0-9]+' "$@" | awk '{ print $3 }' | sort -u; }

# The environment variables the code in the given folders reads:
# getenv("NAME") or a constant kSomethingVariable = "NAME" handed to getenv.
read_variables() {
  grep -rhoE --include='*.cpp' --include='*.h' 'getenv\("[A-Z0-9_]+"\)|k[A-Za-z]*Variable = "[A-Z0-9_]+"' "$@" |
    grep -oE '"[A-Z0-9_]+"' | tr -d '"' | sort -u
}

# Each variable read by the code in FOLDERS of SOURCE_ROOT is named under
# ENVIRONMENT of PAGES in MAN_SOURCE_DIR.
check_variables() {
  local src=$1 root=$2 folders=$3 pages=$4 variable page folder
  local paths=()
  for folder in $folders; do paths+=("$root/$folder"); done
  local variables environment
  variables=$(read_variables "${paths[@]}")
  for page in $pages; do
    environment=$(section_of "$src/$page.1" ENVIRONMENT)
    for variable in $variables; do
      [[ $environment =~ (^|[^A-Z0-9_])$variable([^A-Z0-9_]|$) ]] ||
        fail "$page.1 does not name the environment variable $variable under ENVIRONMENT"
    done
  done
}

check_options() {
  local src=$1 root=$2 quillon=$3 cli=$4 sim=$5
  # Nothing here may reach a real serial port.
  local n
  for n in 1 2 3 4 5 6 7 8; do export "Q30COM32_COM$n=/dev/null/no-device"; done
  export QT_QPA_PLATFORM=offscreen
  # Only the help is asked for here; a sanitizer build's leak scan at every
  # exit would double the test's time.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

  local help page_lines
  help=$(timeout 20 "$quillon" --help) || fail "quillon --help failed"
  page_lines=$(own_lines "$src/quillon.1" quillon)
  compare_options quillon "$page_lines" "$help"
  check_short_options quillon "$page_lines" "$quillon" "$help"

  help=$(timeout 20 "$sim" --help) || fail "q30sim --help failed"
  page_lines=$(own_lines "$src/q30sim.1" q30sim)
  compare_options q30sim "$page_lines" "$help"
  check_short_options q30sim "$page_lines" "$sim" "$help"

  local listed documented
  help=$(timeout 20 "$cli" --help) || fail "quillon-cli --help failed"
  listed=$(cli_commands "$help")
  page_lines=$(own_lines "$src/quillon-cli.1" quillon-cli)
  compare_options quillon-cli "$page_lines" "$(cli_help "$cli" "$help" "$listed")"
  check_short_options quillon-cli "$page_lines" "$cli" "$help"

  documented=$(page_commands "$src/quillon-cli.1")
  [ -n "$listed" ] || fail "no commands found in quillon-cli --help"
  [ -z "$(only_in "$listed" "$documented")" ] ||
    fail "quillon-cli has commands $(only_in "$listed" "$documented") missing under COMMANDS"
  [ -z "$(only_in "$documented" "$listed")" ] ||
    fail "COMMANDS names $(only_in "$documented" "$listed"), which quillon-cli --help does not list"

  local defined
  defined=$(source_exit_statuses "$root/cli/exit_codes.h")
  [ "$defined" = "$(page_exit_statuses "$src/quillon-cli.1")" ] ||
    fail "EXIT STATUS of quillon-cli.1 is not the statuses of cli/exit_codes.h: $(paste -sd ' ' <<<"$defined")"
  defined=$(source_exit_statuses "$root/sim/q30sim_main.cpp")
  [ -z "$(only_in "$defined" "$(page_exit_statuses "$src/q30sim.1")")" ] ||
    fail "EXIT STATUS of q30sim.1 lacks $(only_in "$defined" "$(page_exit_statuses "$src/q30sim.1")")"

  check_variables "$src" "$root" "devlib app gui cli" "quillon quillon-cli"
  check_variables "$src" "$root" "sim" "q30sim"

  local page
  for page in "${pages[@]}"; do
    check_hyphens "$src/$page.1"
  done
}

case "${1:-}" in
  render) check_render "$2" "$3" ;;
  options) check_options "$2" "$3" "$4" "$5" "$6" ;;
  *) echo "usage: $0 render|options ..." >&2; exit 2 ;;
esac
[ "$failures" -eq 0 ] || exit 1
echo "man pages: all checks passed"
