#!/usr/bin/env bash
# A private X server shared by one ctest run's window tests (cmake/DisplayFixture.cmake).
#   xvfb-fixture.sh start DIR [WxH] starts Xvfb on a free display (-displayfd, so runs side by
#                                   side never collide) with a screen of WxH (1280x800) and
#                                   keeps its number and process in DIR
#   xvfb-fixture.sh stop DIR        stops it
#   xvfb-fixture.sh run DIR CMD...  runs CMD on it; with no server started, as it is
# On the server a check may not skip for want of a display: SKYVANE_REQUIRE_DISPLAY=1.
set -euo pipefail
(($# >= 2)) || { echo "usage: $0 start|stop|run DIR [CMD...]" >&2; exit 2; }
action=$1 dir=$2
shift 2

case $action in
  start)
    mkdir -p "$dir"
    rm -f "$dir/display"
    # Its own session and no inherited output: ctest waits for the output of a test to close.
    setsid Xvfb -displayfd 3 -screen 0 "${1:-1280x800}x24" -nolisten tcp -noreset \
      3>"$dir/display.new" </dev/null >"$dir/xvfb.log" 2>&1 &
    echo $! >"$dir/pid"
    for _ in $(seq 100); do
      [[ -s $dir/display.new ]] && break
      kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
      sleep 0.1
    done
    number=$(head -n1 "$dir/display.new")
    rm -f "$dir/display.new"
    if [[ -z $number ]] || ! DISPLAY=:$number xdpyinfo >/dev/null 2>&1; then
      echo "error: the private X server (Xvfb) did not start:" >&2
      cat "$dir/xvfb.log" >&2
      exit 1
    fi
    echo ":$number" >"$dir/display"
    echo "Xvfb on display :$number"
    ;;
  stop)
    [[ -f $dir/pid ]] && kill "$(cat "$dir/pid")" 2>/dev/null || true
    rm -f "$dir/pid" "$dir/display"
    ;;
  run)
    if [[ -f $dir/display ]]; then
      DISPLAY=$(cat "$dir/display")
      export DISPLAY SKYVANE_REQUIRE_DISPLAY=1
    fi
    exec "$@"
    ;;
  *) echo "usage: $0 start|stop|run DIR [CMD...]" >&2; exit 2 ;;
esac
