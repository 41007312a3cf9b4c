# Sourced: gives the caller an X display, a private Xvfb when none is set, ended at exit.
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { quorvel_display=$n; break; }
  done
  Xvfb ":$quorvel_display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  quorvel_xvfb_pid=$!
  export DISPLAY=":$quorvel_display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$quorvel_display" ] && break; sleep 0.1; done
  trap 'kill $quorvel_xvfb_pid 2>/dev/null || true' EXIT
fi
