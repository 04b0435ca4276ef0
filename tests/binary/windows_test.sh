# The Windows build: the zip built again from a copy in another folder is
# byte for byte the same; its .exe needs only Windows' own DLLs, is ASLR,
# high-entropy and DEP-hardened and has no time stamp. Under Wine (the
# launcher), on a virtual X server: the unit tests pass, and with a frozen
# clock the .exe prints and draws what the immediate .exe does, at the start
# view and after turns, page keys and a drag, and Escape ends both with
# status 0; a named second's landscape is written out as the Linux build
# writes it, byte for byte.
# Usage: windows_test.sh EXE SOURCE FRAMESLIB ZIP IMMEDIATE_EXE UNIT_TESTS_EXE LINUX_BINARY
. "$(dirname "$0")/lib.sh"
zip=$1 immediate=$2 unit=$3 linux=$4
mkdir "$WORK/zip"
(cd "$WORK/zip" && unzip -q "$zip")
dump=$(x86_64-w64-mingw32-objdump -p "$WORK"/zip/*/vellmoor.exe)
for dll in $(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr a-z A-Z); do
    case $dll in
    ADVAPI32.DLL | GDI32.DLL | GLU32.DLL | KERNEL32.DLL | MSVCRT.DLL | OPENGL32.DLL | USER32.DLL | WINMM.DLL) ;;
    *) fail "vellmoor.exe needs $dll, not one of Windows' own" ;;
    esac
done
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
    grep -qx "[[:space:]]*$flag" <<<"$dump" || fail "vellmoor.exe is not $flag"
done
grep -qE '^Time/Date[[:space:]]+Thu Jan  1 00:00:00 1970$' <<<"$dump" ||
    fail "vellmoor.exe has a time stamp: $(grep ^Time/Date <<<"$dump")"

COPY=$(mktemp -d /var/tmp/vellmoor-copy.XXXXXX)
tar -C "$SRC" --exclude='./build*' -cf - . | tar -C "$COPY" -xf -
mkdir "$COPY/build-windows" && cp -a "$(dirname "$zip")/freeglut" "$COPY/build-windows/"
again=$("$COPY/scripts/windows.sh" | tail -n 1)
cmp "$zip" "$again" || fail "a second build of the zip differs"

start_xvfb 800x600
$LAUNCH "$unit" --gtest_brief=1 >"$WORK/unit" 2>&1 || fail "unit tests under Wine: $(tail -n 20 "$WORK/unit")"

cp "$SRC/colours.txt" "$WORK/"
(cd "$WORK" && $LAUNCH "$BIN" --at 1767225761 --export windows.glb && "$linux" --at 1767225761 --export linux.glb) \
    >/dev/null 2>"$WORK/stderr" || fail "--export failed"
cmp "$WORK/windows.glb" "$WORK/linux.glb" || fail "the .exe writes another .glb than the Linux build"

# One landscape for both, the start view and then turned and seen further.
export VELLMOOR_FAKETIME="2026-12-09 12:00:00"
cp "$SRC/colours.txt" "$WORK/"
views() {  # EXE
    BIN=$1
    start_viewer
    pictures=$(shot)
    xdotool key --delay 30 Left Left Left Prior Prior mousedown 1 mousemove 250 290 mouseup 1
    wait_for "the keys and the drag did not change the view" differs "$pictures"
    wait_frames 3
    pictures+=" $(shot)"
    quit_viewer
    output_ends "$SHIPPED_RAMP" || fail "$1 did not take the ramp: $(tail -c 60 "$WORK/stdout" | od -c)"
    console=$(od -c "$WORK/stdout")
}
views "$WORK"/zip/*/vellmoor.exe
first=$pictures firstout=$console
views "$immediate"
[ "$console" = "$firstout" ] || fail "the immediate .exe prints other bytes"
[ "$pictures" = "$first" ] || fail "the immediate .exe draws other pixels"
echo "windows: ok"
