#!/usr/bin/env bash
# Runs the priority test of unit_thread.exe once per Windows version; Wine's
# AppDefaults set the version per program name, so the program is copied under one
# name per version.
set -u
program=$1
. "$PAVONIX_WINE_STATE/env"
dir=$PAVONIX_WINE_STATE/thread-priority
mkdir -p "$dir"
fail=0
for version in win98 nt40 win2k winxp win10; do
  exe=$dir/unit_thread_$version.exe
  cp "$program" "$exe"
  wine reg add "HKCU\\Software\\Wine\\AppDefaults\\unit_thread_$version.exe" /v Version /t REG_SZ /d "$version" /f \
    >/dev/null 2>&1
  out=$("$WINERUN" "$PAVONIX_WINE_STATE" "$exe" --gtest_filter='SlideThreadPriority.*' --gtest_brief=1 2>&1)
  # A filter that matches nothing passes too, so the test must be seen to pass.
  if [ $? -eq 0 ] && grep -q 'PASSED.*1 test' <<<"$out"; then
    echo "ok   $version"
  else
    echo "FAIL $version"
    echo "$out"
    fail=1
  fi
done
exit $fail
