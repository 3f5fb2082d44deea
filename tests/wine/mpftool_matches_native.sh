#!/usr/bin/env bash
# mpftool.exe under Wine and the native mpftool, run on the same inputs in the
# same folder, must write the same packages, print the same reports and end
# with the same exit codes.
#   mpftool_matches_native.sh <mpftool.exe> <native mpftool> <fixture folder>
set -u
# Wine takes its ANSI code page from the locale; C.UTF-8 gives Windows-1252.
export LC_ALL=C.UTF-8
exe=$1
native=$2
fixtures=$3
if [ ! -x "$native" ]; then
  echo "SKIP: no native mpftool at $native (build the native preset, or set PAVONIX_NATIVE_BUILD_DIR)"
  exit 77
fi
work=$PAVONIX_WINE_STATE/mpftool
rm -rf "$work"
mkdir -p "$work"
cp "$fixtures"/* "$work"/
cd "$work" || exit 1
fail=0
ok() { echo "ok   $1"; }
bad() { echo "FAIL $1"; fail=1; }

# run <who> <name> <args...>: output in <name>.<who>.out/.err/.code.  Wine's
# stderr is in text mode, so its CRs are dropped before comparing.
run() {
  local who=$1 name=$2
  shift 2
  if [ "$who" = wine ]; then
    "$WINERUN" "$PAVONIX_WINE_STATE" "$exe" "$@" >"$name.wine.out" 2>"$name.wine.err.raw"
    echo $? >"$name.wine.code"
    tr -d '\r' <"$name.wine.err.raw" >"$name.wine.err"
  else
    "$native" "$@" >"$name.native.out" 2>"$name.native.err"
    echo $? >"$name.native.code"
  fi
}

# same <label> <name> <expected exit code> <args with @ for the side's name>
same() {
  local label=$1 name=$2 code=$3
  shift 3
  local who args a
  for who in native wine; do
    args=()
    for a in "$@"; do args+=("${a//@/$who}"); done
    run "$who" "$name" "${args[@]}"
  done
  if [ "$(cat "$name.native.code")" != "$code" ] || [ "$(cat "$name.wine.code")" != "$code" ]; then
    bad "$label: exit codes native $(cat "$name.native.code"), wine $(cat "$name.wine.code"), expected $code"
    cat "$name.wine.err"
    return
  fi
  # Printed paths name each side's own files; the rest must match.
  sed 's/wine/SIDE/g' "$name.wine.out" >"$name.wine.cmp"
  sed 's/native/SIDE/g' "$name.native.out" >"$name.native.cmp"
  sed 's/wine/SIDE/g' "$name.wine.err" >>"$name.wine.cmp"
  sed 's/native/SIDE/g' "$name.native.err" >>"$name.native.cmp"
  if cmp -s "$name.native.cmp" "$name.wine.cmp"; then ok "$label"; else bad "$label: output differs"; diff "$name.native.cmp" "$name.wine.cmp" | head -20; fi
}

# files_same <label> <native file> <wine file>
files_same() {
  if [ -f "$2" ] && cmp -s "$2" "$3"; then ok "$1"; else bad "$1: $2 and $3 differ"; fi
}

same "pack slides and tracks" pack1 0 pack @1.mpf grey.jpg beep.wav colour-progressive.jpg note.mid cmyk.jpg
files_same "pack slides and tracks: same bytes" native1.mpf wine1.mpf
same "pack with every option" pack2 0 pack @2.mpf --interval 300 --order random --sound off --ignore-mouse-move \
  --effects 10a1 --first-sound-only --no-sound-continue note.mid grey.jpg
files_same "pack with every option: same bytes" native2.mpf wine2.mpf
# Windows refuses a plain rename onto an existing file; packing again must
# still replace the package.
same "pack over an existing package" pack3 0 pack @1.mpf cmyk.jpg
files_same "pack over an existing package: same bytes" native1.mpf wine1.mpf
[ ! -e wine1.mpf.mpftool-tmp ] && ok "no temporary file left" || bad "temporary file left behind"

same "info" info1 0 info @2.mpf
same "info --json" info2 0 info @2.mpf --json
same "check" check1 0 check @2.mpf
same "extract" extract1 0 extract @2.mpf @-out
for f in native-out/*; do files_same "extract $(basename "$f")" "$f" "wine-out/$(basename "$f")"; done
same "set" set1 0 set @2.mpf --interval 7 --sound on --order sequential
files_same "set: same bytes" native2.mpf wine2.mpf

# Names beyond ASCII reach mpftool.exe in the ANSI code page (Windows-1252
# here), and it must find, make and replace exactly those files.
cp grey.jpg 'Grüße €.jpg'
same "pack a picture named beyond ASCII" pack6 0 pack @6.mpf 'Grüße €.jpg'
files_same "pack a picture named beyond ASCII: same bytes" native6.mpf wine6.mpf
same "extract into a folder named beyond ASCII" extract2 0 extract @6.mpf '@-für €'
files_same "extract into a folder named beyond ASCII: same bytes" 'native-für €/slide-0000.jpg' \
  'wine-für €/slide-0000.jpg'
# The package's own name is printed in each side's encoding, so only the files
# are compared here.
for who in native wine; do run "$who" pack7 pack "$who-€.mpf" grey.jpg; done
if [ "$(cat pack7.native.code) $(cat pack7.wine.code)" = "0 0" ] && [ ! -e 'wine-€.mpf.mpftool-tmp' ]; then
  ok "pack to a package named beyond ASCII"
else
  bad "pack to a package named beyond ASCII: exit codes $(cat pack7.native.code), $(cat pack7.wine.code)"
  cat pack7.wine.err
fi
files_same "pack to a package named beyond ASCII: same bytes" 'native-€.mpf' 'wine-€.mpf'

head -c 400 native2.mpf >native-cut.mpf
cp native-cut.mpf wine-cut.mpf
same "check of a cut package" check2 1 check @-cut.mpf
same "info of a cut package" info3 0 info @-cut.mpf --json
same "unknown file type" pack4 1 pack @4.mpf notes.txt
same "bad usage" pack5 2 pack @5.mpf --interval -1 grey.jpg
[ ! -e wine4.mpf ] && [ ! -e wine5.mpf ] && ok "refused packs leave no package" || bad "a refused pack left a package"
exit $fail
