#!/usr/bin/env bash
# GetOSVersionClass under each Windows version that Wine's AppDefaults can set per
# program: the probe is copied under one name per version.
set -u
probe=$1
. "$PAVONIX_WINE_STATE/env"
dir=$PAVONIX_WINE_STATE/os-version
mkdir -p "$dir"
fail=0
while read -r version expected; do
  exe=$dir/probe_$version.exe
  cp "$probe" "$exe"
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\probe_$version.exe" /v Version /t REG_SZ /d "$version" /f \
    >/dev/null 2>&1
  got=$("$WINERUN" "$PAVONIX_WINE_STATE" "$exe" | tr -d '\r')
  class=${got%% *}
  if [ "$class" = "$expected" ]; then
    echo "ok   $version: class $class (version $got)"
  else
    echo "FAIL $version: expected class $expected, got '$got'"
    fail=1
  fi
done <<'TABLE'
win95 0
win98 1
winme 2
nt40 4
win2k 6
winxp 5
win10 1
TABLE
exit $fail
