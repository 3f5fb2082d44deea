#!/usr/bin/env bash
# pavonix-bench's command-line contract: --help, exit codes 0, 1 and 2, and the
# JSON keys, on a tiny canvas so that the run takes a moment only.
#   bench_cli_test.sh [runner...] pavonix-bench
# A runner (Wine's winerun and its state dir) may come before the program.
set -u
bench=("$@")
fail=0
check() {  # label, expected exit code, command...
  local label=$1 expected=$2
  shift 2
  "$@" >/tmp/bench_cli_out.$$ 2>&1
  local got=$?
  if [ "$got" != "$expected" ]; then
    echo "FAIL $label: expected exit $expected, got $got"; cat /tmp/bench_cli_out.$$; fail=1
  else
    echo "ok   $label"
  fi
}
check "help" 0 "${bench[@]}" --help
check "unknown option" 2 "${bench[@]}" --bogus
check "bad size" 2 "${bench[@]}" --size 12
check "effect out of range" 2 "${bench[@]}" --effects 0
check "missing jpeg" 1 "${bench[@]}" --size 8x6 --effects 5 --reps 1 --jpeg /nonexistent/slide.jpg
check "small run" 0 "${bench[@]}" --size 16x9 --effects 5,118-119 --reps 1

out=$("${bench[@]}" --size 16x9 --effects 5,84 --reps 1 --json)
for key in '"size": "16x9"' '"memcpy_ms"' '"effects"' '"number": 84' '"name": "IrisOut"' '"ms_per_frame"' '"ratio"'; do
  case $out in
    *"$key"*) ;;
    *) echo "FAIL json: no $key in"; echo "$out"; fail=1 ;;
  esac
done
if command -v python3 >/dev/null; then
  echo "$out" | python3 -c 'import json,sys; json.load(sys.stdin)' || { echo "FAIL json does not parse"; fail=1; }
fi
rm -f /tmp/bench_cli_out.$$
exit $fail
