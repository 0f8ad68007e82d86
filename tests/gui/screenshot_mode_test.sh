#!/bin/sh
# quillon --screenshot on an empty configuration folder ends by itself (no
# first-run settings dialog waits for a person), photographs every window
# and writes nothing into the folder it was given.
#   screenshot_mode_test.sh PATH/TO/quillon
set -eu
quillon="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/config"

QT_QPA_PLATFORM=offscreen "$quillon" --config-dir "$work/config" --demo --screenshot "$work/shots"

if [ -n "$(ls -A "$work/config")" ]; then
  echo "the configuration folder was written to:"; ls -A "$work/config"; exit 1
fi
for language in en de fr; do
  for name in page0 page5 page6 page7 page8 page9 dialog847 dialog823 dialog855 dialog857 dialog369 \
              dialog859 dialog845 dialog861 dialog843 dialog825 dialog849 splash; do
    [ -s "$work/shots/$name-$language.png" ] || { echo "missing $name-$language.png"; exit 1; }
  done
done

# A folder the user already has keeps its profile as it was.
printf '[SET_DIV]\nLANGUAGE=1\n' > "$work/config/default.pro"
QT_QPA_PLATFORM=offscreen "$quillon" --config-dir "$work/config" --demo --screenshot "$work/shots"
[ "$(cat "$work/config/default.pro")" = "$(printf '[SET_DIV]\nLANGUAGE=1')" ] || { echo "default.pro changed"; exit 1; }
[ ! -e "$work/config/quillon.ini" ] || { echo "a first-run flag was written"; exit 1; }
echo "ok"
