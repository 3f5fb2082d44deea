#!/usr/bin/env bash
# pavonix.exe ends at once with exit code 0 when its mode starts nothing:
# a preview or password change without a usable parent window.
set -u
exe=$1
fail=0
while read -r expected args; do
  # shellcheck disable=SC2086
  "$WINERUN" "$PAVONIX_WINE_STATE" "$exe" $args >/dev/null 2>&1
  code=$?
  if [ "$code" = "$expected" ]; then
    echo "ok   pavonix $args: exit code $code"
  else
    echo "FAIL pavonix $args: expected exit code $expected, got $code"
    fail=1
  fi
done <<'TABLE'
0 /p abc
0 /a 0
0 /p 0
TABLE
exit $fail
