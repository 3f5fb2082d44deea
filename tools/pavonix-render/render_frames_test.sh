#!/usr/bin/env bash
# pavonix-render's contract: exit codes, and the exact bytes of an effect's frames.
#   render_frames_test.sh <pavonix-render> <data dir> <work dir>
# Under Wine (WINERUN and PAVONIX_WINE_STATE set) the same checks run on the .exe,
# so the Windows build is held to the bytes the native build writes.
set -u
tool=$1
data=$2
work=$3
run() {
  if [ -n "${WINERUN:-}" ]; then
    "$WINERUN" "$PAVONIX_WINE_STATE" "$tool" "$@"
  else
    "$tool" "$@"
  fi
}
rm -rf "$work"
mkdir -p "$work"
cp "$data/from.png" "$data/to.jpg" "$work/"
cd "$work" || exit 1
printf 'not a picture\n' > text.png
head -c 300 to.jpg > cut.jpg
fail=0
check() {  # check <expected exit code> <label> <args...>
  local expected=$1 label=$2
  shift 2
  run "$@" >out.txt 2>err.txt
  local code=$?
  if [ "$code" = "$expected" ]; then
    echo "ok   $label: exit code $code"
  else
    echo "FAIL $label: expected exit code $expected, got $code"
    sed 's/^/     /' err.txt
    fail=1
  fi
}

check 0 "--help" --help
grep -q "^Usage: pavonix-render" out.txt || { echo "FAIL --help prints no usage"; fail=1; }
check 2 "no arguments"
check 2 "effect 0" --effect 0 --from from.png --to to.jpg --out f
check 2 "effect 127" --effect 127 --from from.png --to to.jpg --out f
check 2 "bad size" --effect 1 --from from.png --to to.jpg --out f --size 64by48
check 2 "unknown option" --effect 1 --from from.png --to to.jpg --out f --colour
check 2 "effect and gallery" --effect 1 --gallery g --from from.png --to to.jpg
check 2 "no --out" --effect 1 --from from.png --to to.jpg
check 1 "missing picture" --effect 1 --from nothing.png --to to.jpg --out f
check 1 "not a picture" --effect 1 --from text.png --to to.jpg --out f
grep -q "text.png" err.txt || { echo "FAIL the message does not name the file"; fail=1; }
check 1 "cut JPEG" --effect 1 --from from.png --to cut.jpg --out f

# The frames' bytes, for a random effect with a seed and a fitted copy effect.
while read -r expected effect args; do
  # shellcheck disable=SC2086
  check 0 "effect $effect $args" --effect "$effect" --from from.png --to to.jpg --out "e$effect" $args
  count=$(ls "e$effect" | grep -c '^frame-[0-9][0-9]\.png$')
  got=$(cat "e$effect"/frame-*.png | sha256sum | cut -c1-64)
  if [ "$count" = 21 ] && [ "$got" = "$expected" ]; then
    echo "ok   effect $effect: 21 frames, sha256 $got"
  else
    echo "FAIL effect $effect: $count frames, sha256 $got, expected $expected"
    fail=1
  fi
done < "$data/expected-frames.txt"

check 0 "gallery" --gallery gallery --from from.png --to to.jpg --size 40x30
sheets=$(ls gallery | grep -c '^effect-[0-9][0-9][0-9]\.png$')
if [ "$sheets" = 126 ] && [ -s gallery/index.html ]; then
  echo "ok   gallery: 126 sheets and index.html"
else
  echo "FAIL gallery: $sheets sheets"
  fail=1
fi
exit $fail
