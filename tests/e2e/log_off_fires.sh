#!/usr/bin/env bash
# The real firing: tamrivo.exe with a log-off countdown of 2 seconds, pressed through its
# controls. A forced log-off under Wine ends every Windows process of the prefix (a watching
# driver too) and nothing on the host, so this watches from Linux, in a throwaway copy of the
# build's prefix. The countdown fires on the first tick after the target, about 3 s after the
# press, plus the moment Wine takes to end the session.
#   log_off_fires.sh BUILD_DIR
set -uo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d "$build/log-off.XXXXXX")
export WINEPREFIX="$work/prefix"
cleanup() {
  wineserver -k >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

cp -a "$build/wineprefix" "$WINEPREFIX" || fail "the prefix could not be copied"
"$build/wine-run" "$build/tamrivo.exe" </dev/null >/dev/null 2>&1 &
app=$!

line=$("$build/wine-run" "$build/press_start.exe" </dev/null 2>&1 | tr -d '\r')
pressed=$(sed -n 's/^pressed //p' <<<"$line")
[ -n "$pressed" ] || fail "the countdown could not be started: $line"

for _ in $(seq 300); do
  kill -0 "$app" 2>/dev/null || break
  sleep 0.05
done
ended=$(date +%s.%N)
kill -0 "$app" 2>/dev/null && fail "tamrivo.exe still runs 15 s after the press"
wait "$app"

elapsed=$(awk -v a="$pressed" -v b="$ended" 'BEGIN { printf "%.2f", b - a }')
echo "tamrivo.exe ended ${elapsed} s after the press"
awk -v e="$elapsed" 'BEGIN { exit !(e >= 3.0 && e <= 6.0) }' ||
  fail "expected the log-off between 3 and 6 s after the press"
