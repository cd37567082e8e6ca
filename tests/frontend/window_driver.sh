# Drives the window program on a private X display, for the end-to-end test and the screenshots.
# Source it; every process it starts is remembered by id and ended by stop_all.

DRIVER_PIDS=()
# The layout of each window found, by window id: its natural size in pixels at 96 dpi.
declare -A LAYOUT_OF=()

fail() { echo "FAIL: $*" >&2; exit 1; }

# A display of our own, at a random number well above those that other programs pick first:
# Xvfb -displayfd takes the lowest free number without a lock file, so two test runs started
# together could end up on one display.
start_display() {
  local n pid
  for _ in $(seq 20); do
    n=$((100 + RANDOM % 900))
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # -noreset: without it the server resets when its last client leaves, and the probe
    # below is that client; a program connecting during the reset is refused.
    Xvfb ":$n" -screen 0 "${SCREEN_SIZE:-1024x768}x24" -dpi 96 -nolisten tcp -noreset 2>/dev/null &
    pid=$!
    for _ in $(seq 100); do
      if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        DRIVER_PIDS+=("$pid")
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break  # lost the number to another server: try another
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
  done
  fail "Xvfb did not start"
}

# find_window NAME-REGEX [TIMEOUT-SECONDS] prints the id of the first visible window so named.
# The names compared are the UTF-8 ones (_NET_WM_NAME) where a window has them: how WM_NAME
# holds a Chinese title depends on the program's locale.
find_window() {
  local id name
  for _ in $(seq $((${2:-20} * 10))); do
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
      name=$(LC_ALL=C.UTF-8 xprop -id "$id" _NET_WM_NAME WM_NAME 2>/dev/null |
             sed -n 's/^[A-Z_]*NAME([A-Z0-9_]*) = "\(.*\)"$/\1/p' | head -1)
      if [ -n "$name" ] && printf '%s\n' "$name" | LC_ALL=C.UTF-8 grep -qE "$1"; then
        echo "$id"
        return 0
      fi
    done
    sleep 0.1
  done
  return 1
}

# Positions in the windows are laid out in twips, 15 to a pixel at 96 dpi, and drawn at the
# window's scale: the largest at which the layout's natural size fits the window, one pixel to
# spare, to a thousandth (as frontend/twip_window.cpp chooses it).
scale_of() {
  read -r nw nh <<<"${LAYOUT_OF[$1]}"
  xdotool getwindowgeometry --shell "$1" | awk -F= -v nw="$nw" -v nh="$nh" '
    /^WIDTH=/ {w = $2} /^HEIGHT=/ {h = $2}
    END {s = (w - 1) / nw; if ((h - 1) / nh < s) s = (h - 1) / nh; if (s < 0.6) s = 0.6; print int(s * 1000) / 1000}'
}

# px TWIPS [SCALE]: pixels on the screen.
px() { awk -v t="$1" -v s="${2:-1}" 'BEGIN {printf "%d", t * s / 15 + 0.5}'; }

# click WINDOW LEFT TOP WIDTH HEIGHT [CLICKS]: the centre of a control given in twips.
click() {
  local x y scale
  scale=$(scale_of "$1")
  x=$(px $(( $2 + $4 / 2 )) "$scale")
  y=$(px $(( $3 + $5 / 2 )) "$scale")
  xdotool mousemove --window "$1" "$x" "$y" click --repeat "${6:-1}" --delay 120 1
}

# use_work_folder DIR: the program's per-user folder becomes DIR/yinshi ($XDG_DATA_HOME/yinshi),
# and the current folder.
use_work_folder() {
  export XDG_DATA_HOME=$1
  mkdir -p "$XDG_DATA_HOME/yinshi"
  cd "$XDG_DATA_HOME/yinshi"
}

# start_window BIN_DIR: the program up to its cover.
start_window() {
  "$1/yinshi" >"${YINSHI_LOG:-/dev/null}" 2>&1 &
  DRIVER_PIDS+=($!)
  # The first start on a fresh machine also builds the font caches: give it time.
  COVER=$(find_window "${COVER_TITLE:-^因式分解\$}" 60) || fail "the cover window did not appear"
  LAYOUT_OF[$COVER]="449 554"  # the cover picture with its border, below the buttons
  sleep 0.5
}

go_on() {
  click "$COVER" 360 120 1815 495
  MAIN=$(find_window "${MAIN_TITLE:-多项式的因式分解}") || fail "the main window did not appear"
  LAYOUT_OF[$MAIN]="545 556"  # 8115 x 8340 twips, and the input box 60 twips past the right
  sleep 0.5
}

enter_polynomial() {
  click "$MAIN" 240 6000 7935 480  # Text2
  xdotool type --delay 40 "$1"
  click "$MAIN" 2520 120 1335 495  # 输入完毕
  sleep 0.5
}

# Double-clicks the engine box and waits for the terminal it opens.
start_engine() {
  click "$MAIN" 6600 120 1335 855 2
  TERMINAL=$(find_window 'yinshi-engine' 20) || TERMINAL=$(xdotool search --onlyvisible --class xterm | head -1)
  [ -n "$TERMINAL" ] || fail "no terminal window appeared"
  TERMINAL_PID=$(xdotool getwindowpid "$TERMINAL")
  DRIVER_PIDS+=("$TERMINAL_PID")
  sleep 0.3
}

# wait_for_file NAME SECONDS: until the file exists and has stopped growing.
wait_for_file() {
  local last=-1 size
  for _ in $(seq $(($2 * 2))); do
    size=$(stat -c %s "$1" 2>/dev/null || echo -1)
    [ "$size" -gt 0 ] && [ "$size" = "$last" ] && return 0
    last=$size
    sleep 0.5
  done
  return 1
}

# shot FILE [WINDOW]: a PNG of the whole screen or of one window.
shot() {
  if [ -n "${2:-}" ]; then xwd -silent -id "$2"; else xwd -silent -root; fi |
    xwdtopnm 2>/dev/null | pnmtopng >"$1"
}

stop_all() {
  local i
  for ((i = ${#DRIVER_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${DRIVER_PIDS[i]}" 2>/dev/null || true
  done
  DRIVER_PIDS=()
# The layout of each window found, by window id: its natural size in pixels at 96 dpi.
declare -A LAYOUT_OF=()
}
