# The real binary with standard output closed, lost or full, and with
# nothing open at all: the window comes up, frames are drawn, Escape ends
# it with status 0.
# Usage: surroundings_test.sh BINARY SOURCE FRAMESLIB closed|allclosed|gone|full
. "$(dirname "$0")/lib.sh"
[ -z "$LAUNCH" ] || [ "$1" != allclosed ] ||
    skip "Wine hangs before the program runs when descriptors 0, 1 and 2 are closed: its own pipes take them"
start_xvfb 800x600
cp "$SRC/colours.txt" "$WORK/"
start_viewer "$1"
wait_for "no frame drawn" drawn
a=$(shot)
xdotool key shift+Up
wait_for "Up did not move the eye" differs "$a"
quit_viewer
case $1 in
gone) [ "$(cat "$WORK/stdout")" = "Den" ] || fail "the reader got: $(od -c "$WORK/stdout")" ;;
esac
[ "$1" = allclosed ] || no_errors
echo "surroundings $1: ok"
