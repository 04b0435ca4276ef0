# The window, the console output and the timers of the real binary.
. "$(dirname "$0")/lib.sh"
start_xvfb 800x600
cp "$SRC/colours.txt" "$WORK/"
export VELLMOOR_TIMERS=$WORK/timers
start_viewer
wait_frames 20

# The motion timer is always re-armed at 25 ms; the redraw timer never
# further off than its 20 ms period. (The preload that records them cannot
# reach the freeglut linked into a .exe.)
if [ -z "$LAUNCH" ]; then
    read -r mleast mmost rleast rmost <"$WORK/timers" || fail "no timer delays recorded"
    [ "$mleast" -eq 25 ] && [ "$mmost" -eq 25 ] || fail "motion timer armed at $mleast to $mmost ms"
    [ "$rmost" -le 20 ] || fail "redraw timer armed at $rleast to $rmost ms"
else
    echo "timers: not recorded under $LAUNCH"
fi

geometry=$(xwininfo -id "$WID")
# Windows puts the frame, title bar included, at the corner.
read -r x y < <(awk '/Absolute upper-left [XY]/ { printf "%s ", $4 } END { print "" }' <<<"$geometry")
[ "$x" -eq 0 ] && [ "$y" -eq 0 ] || { [ -n "$LAUNCH" ] && ((x < 10 && y < 40)); } ||
    fail "window not at the screen's corner: $geometry"
grep -q 'Width: 500$' <<<"$geometry" || fail "window not 500 wide"
grep -q 'Height: 500$' <<<"$geometry" || fail "window not 500 high"
quit_viewer

# "Denting-", one backspace and mark per dent (750 to 764, turning / | \ -),
# then the ramp lines for the shipped colours.txt.
python3 - "$WORK/stdout" <<'PY' || fail "unexpected standard output"
import sys
out = open(sys.argv[1], 'rb').read().decode('latin-1').replace('\r\n', '\n')  # Windows' text mode
head, tail = 'Denting-', '\nGetting colours.txt..Got it!\n256 3\n768'
assert out.startswith(head) and out.endswith(tail), repr(out[:20] + '...' + out[-60:])
spin = out[len(head):len(out) - len(tail)]
n = len(spin) // 2
assert len(spin) % 2 == 0 and 750 <= n <= 764, len(spin)
for k in range(n):
    assert spin[2 * k] == '\b' and spin[2 * k + 1] == '-\\|/'[(n - k) % 4], k
PY
no_errors

# Escape and the window manager's close both end it with status 0, never by
# a signal, again and again.
for ((k = 0; k < ${VELLMOOR_EXIT_RUNS:-4}; k++)); do
    for way in Escape close; do
        rm -f "$WORK/frames"
        start_viewer
        quit_viewer $way
    done
done
echo "startup: ok"
