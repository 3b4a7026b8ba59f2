# Sourced by the tests that drive the real program on a virtual X server.
# start_xvfb DIR: starts Xvfb on a display number it picks itself
# (-displayfd), so that test runs side by side never race for one number, and
# exports DISPLAY. -noreset keeps the server up when its last client
# disconnects (it would otherwise reset under a test that is still starting
# the next client). Sets xvfb_pid; stop_xvfb ends it.
xvfb_pid=""

start_xvfb() {
  local display_file="$1/display"
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$display_file" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
  done
  [ -s "$display_file" ] || { echo "FAIL: Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(head -n 1 "$display_file")"
  rm "$display_file"
}

stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  xvfb_pid=""
}
