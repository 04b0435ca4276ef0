# The real binary on contexts poorer than today's direct one: under GL 1.4
# (gl14) and through indirect GLX (indirect). Either way it draws frames with
# no buffer-object or multi-draw call, reads the ramp, and Escape ends it
# with status 0.
# Usage: contexts_test.sh BINARY SOURCE FRAMESLIB CASE
. "$(dirname "$0")/lib.sh"
case $1 in
gl14)     export MESA_GL_VERSION_OVERRIDE=1.4; start_xvfb 800x600; draws=true ;;
# Indirect GLX on a virtual X server may draw nothing at all.
indirect) export LIBGL_ALWAYS_INDIRECT=1; start_xvfb 800x600 +iglx; draws=false ;;
*)        fail "no case $1" ;;
esac
cp "$SRC/colours.txt" "$WORK/"
export VELLMOOR_BUFFERCALLS=$WORK/buffercalls
start_viewer
! $draws || { wait_for "no frame drawn" drawn; before=$(shot); }
key Up Up Up
wait_frames 20
! $draws || wait_for "flying forward did not move the picture" differs "$before"
[ "$(frame_count "$WORK/buffercalls")" -eq 0 ] ||
    fail "$(frame_count "$WORK/buffercalls") buffer-object or multi-draw calls"
quit_viewer
output_ends "$SHIPPED_RAMP" ||
    fail "the ramp was not taken: $(tail -n 3 "$WORK/stdout" | tr -d "\b")"
echo "contexts $1: ok"
