#!/usr/bin/env bash
# `vtlhost serve` as a person starts it: it prints its address and answers there, a second server on the
# same port is refused (exit 1) and so is a port number that is none (exit 2), and SIGTERM ends it cleanly
# (exit 0, nothing leaked, the port closed).
#   serve_check.sh <vtlhost>
set -euo pipefail
vtlhost="$1"
out="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ]; then kill -KILL "$pid" 2>/dev/null || true; fi
  rm -rf "$out"
}
trap cleanup EXIT
fail() {
  echo "serve_check: $*"
  echo "--- output"; cat "$out/stdout" 2>/dev/null || true
  echo "--- errors"; cat "$out/stderr" 2>/dev/null || true
  exit 1
}

# One HTTP request over bash's own socket; prints the whole answer.
request() {
  timeout 20 bash -c '
    exec 3<>"/dev/tcp/127.0.0.1/$1" || exit 1
    printf "%s %s HTTP/1.1\r\nHost: 127.0.0.1:%s\r\nContent-Length: 0\r\nConnection: close\r\n\r\n" "$2" "$3" "$1" >&3
    cat <&3' request "$@"
}

"$vtlhost" serve --port 0 >"$out/stdout" 2>"$out/stderr" &
pid=$!
url=""
for _ in $(seq 1200); do
  url="$(grep -o 'http://127\.0\.0\.1:[0-9]*/' "$out/stdout" || true)"
  [ -n "$url" ] && break
  kill -0 "$pid" 2>/dev/null || fail "serve ended before it printed its address"
  sleep 0.1
done
[ -n "$url" ] || fail "no address printed within two minutes"
port="${url#http://127.0.0.1:}"
port="${port%/}"

answer="$(request "$port" GET /dialogs)" || fail "no answer on $url"
[[ "$answer" == "HTTP/1.1 200"* ]] || fail "GET /dialogs: $answer"
[[ "$answer" == *'"name":"macro-EndPlate"'* ]] || fail "the dialogs do not list macro-EndPlate: $answer"
answer="$(request "$port" POST /open?name=no-such-dialog)" || fail "no answer on $url"
[[ "$answer" == "HTTP/1.1 404"* ]] || fail "an unknown dialog was not refused: $answer"

set +e
"$vtlhost" serve --port "$port" >"$out/second" 2>&1
rc=$?
set -e
[ "$rc" -eq 1 ] || fail "a second server on port $port ended with $rc, not 1: $(cat "$out/second")"
grep -q "the port is in use" "$out/second" || fail "the second server did not say why: $(cat "$out/second")"
set +e
"$vtlhost" serve --port 70000 >"$out/bad" 2>&1
rc=$?
set -e
[ "$rc" -eq 2 ] || fail "--port 70000 ended with $rc, not 2: $(cat "$out/bad")"

kill -TERM "$pid"
set +e
wait "$pid"
rc=$?
set -e
pid=""
[ "$rc" -eq 0 ] || fail "serve ended with $rc on SIGTERM"
grep -q "Workbench stopped" "$out/stdout" || fail "serve did not say it stopped"
if request "$port" GET /dialogs >/dev/null 2>&1; then fail "something still answers on port $port"; fi
echo "serve_check: passed ($url)"
