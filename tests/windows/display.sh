#!/bin/sh
# Starts or stops the private X display that the Windows tests' windows open on.
#   display.sh start DIR PREFIX   starts Xvfb on a free display number, written to DIR/number, and
#                                 keeps the Wine server of PREFIX alive between the tests
#   display.sh stop DIR PREFIX    stops both
set -eu
action=$1
dir=$2
prefix=${3:-}
case "$action" in
start)
  mkdir -p "$dir"
  rm -f "$dir/number" "$dir/pid"
  # -displayfd picks a free display and writes its number; Xvfb must not hold the test's output pipes.
  # -noreset: the server would otherwise reset when its last client leaves and refuse clients meanwhile.
  setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset +extension GLX \
    3>"$dir/number" </dev/null >"$dir/xvfb.log" 2>&1 &
  echo $! >"$dir/pid"
  i=0
  while [ ! -s "$dir/number" ]; do
    i=$((i + 1))
    [ $i -gt 100 ] && { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
    sleep 0.1
  done
  if [ -n "$prefix" ]; then
    # A persistent server saves about a second per test program started. Wine's own service
    # processes (explorer, services) outlive the program that starts them: start them here, detached
    # from the test's output pipes, or the first test would wait for them.
    export WINEPREFIX="$prefix" DISPLAY=":$(cat "$dir/number")" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # "wineserver -p" does nothing (exit status 2) while a server of the prefix still runs, such as the
    # one that listing the tests started a moment ago, which ends with its last program. Without a
    # persistent server every test program starts and ends one of its own, and a program that starts
    # while the previous server shuts down fails at once, without a word. So wait for any server of
    # the prefix to end, and make sure the one started here is the persistent one.
    i=0
    until WINEPREFIX="$prefix" wineserver -w && setsid -w wineserver -p </dev/null >/dev/null 2>&1; do
      i=$((i + 1))
      [ $i -gt 20 ] && { echo "no persistent Wine server for $prefix" >&2; exit 1; }
    done
    # setarch -R: the address layout fixed, inherited by the service processes (see cmake/wine-run.sh.in).
    setsid -w setarch -R wine cmd /c exit </dev/null >/dev/null 2>&1
  fi
  echo "display :$(cat "$dir/number")"
  ;;
stop)
  [ -n "$prefix" ] && WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  [ -s "$dir/pid" ] && kill "$(cat "$dir/pid")" 2>/dev/null || true
  rm -f "$dir/number" "$dir/pid"
  ;;
esac
