# The Debian package: lintian --pedantic finds nothing that is not overridden,
# the binary is hardened, a second build from a copy of the source on another
# filesystem is byte for byte the same, the manual page renders without warnings,
# the menu entry and AppStream metadata are valid, the icon is there at every
# size, and the package's program, run from its share folder, reads the
# installed ramp and draws. The command, installed from BINARY's build under a
# prefix with a space, execs the program: in a folder without colours.txt it
# draws the installed ramp, in one with its own that one, and takes -display.
# Each run ends on Escape with status 0.
# Usage: package_test.sh BINARY SOURCE FRAMESLIB DEB
. "$(dirname "$0")/lib.sh"
deb=$1 build=$(dirname "$BIN")
root=$WORK/root
dpkg-deb -x "$deb" "$root"

lintian --pedantic -I "$deb" 2>&1 | grep -v 'running with root privileges' >"$WORK/lintian" || true
[ ! -s "$WORK/lintian" ] || fail "lintian: $(cat "$WORK/lintian")"
hardening-check "$root/usr/lib/games/vellmoor/vellmoor" >"$WORK/hardening" || true
for want in 'Position Independent Executable: yes' 'Stack protected: yes' \
            'Read-only relocations: yes' 'Immediate binding: yes'; do
    grep -qF "$want" "$WORK/hardening" || fail "hardening-check: $(cat "$WORK/hardening")"
done
# The copy lies on another kind of filesystem (tmpfs against a disk, say),
# whose folders have other sizes and orders.
kind=$(stat -f -c %T "$SRC")
for base in /dev/shm /var/tmp "$WORK" "$HOME"; do
    [ -w "$base" ] && [ "$(stat -f -c %T "$base")" != "$kind" ] && break
    base=
done
[ -n "$base" ] || fail "no writable folder off the source's $kind filesystem for the second build"
COPY=$(mktemp -d "$base/vellmoor-copy.XXXXXX")
tar -C "$SRC" --exclude='./build*' -cf - . | tar -C "$COPY" -xf -
again=$("$COPY/scripts/package.sh" | tail -n 1)
cmp "$deb" "$again" || fail "a second build of the package, on $(stat -f -c %T "$base"), differs"
fields=$(dpkg-deb -f "$deb" Depends Section)
for want in 'libglut' 'libglu1' 'libopengl0|libgl1' 'Section: games'; do
    grep -qE "$want" <<<"$fields" || fail "control fields lack $want: $fields"
done

man --warnings -l "$root/usr/share/man/man6/vellmoor.6.gz" >/dev/null 2>"$WORK/man.err" || fail "man failed"
[ ! -s "$WORK/man.err" ] || fail "manual page warnings: $(cat "$WORK/man.err")"

id=invalid.vellmoor.vellmoor
desktop=$root/usr/share/applications/$id.desktop
desktop-file-validate "$desktop" || fail "invalid menu entry"
grep -qx 'Exec=/usr/games/vellmoor' "$desktop" || fail "menu entry runs: $(grep ^Exec "$desktop")"
grep -qx 'Path=/usr/share/vellmoor' "$desktop" || fail "menu entry starts in: $(grep ^Path "$desktop")"
grep -qF "'/usr/share/vellmoor'" "$root/usr/games/vellmoor" && grep -qF "'/usr/lib/games/vellmoor/vellmoor'" \
    "$root/usr/games/vellmoor" || fail "the command names: $(grep "'" "$root/usr/games/vellmoor")"
# AppStream: no warning or error (the id's made-up top-level domain is an info).
appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$WORK/as" ||
    fail "AppStream metadata: $(cat "$WORK/as")"
! grep -E '^[WE]:' "$WORK/as" || fail "AppStream metadata warns"
for size in $ICON_SIZES; do
    icon=$root/usr/share/icons/hicolor/${size}x$size/apps/vellmoor.png
    [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || fail "no ${size}x$size icon"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/vellmoor.svg" || fail "no scalable icon"

# One landscape for every run. The package's command names paths not
# installed here: its program is run as the menu entry runs the command.
export VELLMOOR_TIME=$EPOCHSECONDS
BIN=$root/usr/lib/games/vellmoor/vellmoor RUNDIR=$root/usr/share/vellmoor
start_xvfb 800x600
start_viewer
wait_for "no frame drawn" drawn
shipped=$(shot)
quit_viewer
output_ends "$SHIPPED_RAMP" ||
    fail "the installed ramp was not read: $(tail -c 100 "$WORK/stdout" | od -c | head -3)"

prefix="$WORK/a prefix" RUNDIR=$WORK  # which holds no colours.txt
cmake --install "$build" --prefix "$prefix" >"$WORK/install" || fail "cmake --install failed"
BIN=$prefix/games/vellmoor
start_viewer
[ "$(readlink "/proc/$VPID/exe")" = "$prefix/lib/games/vellmoor/vellmoor" ] || fail "the command is not the program"
wait_for "the command drew another picture than the package's program" eval '[ "$(shot)" = "$shipped" ]'
quit_viewer
output_ends "$SHIPPED_RAMP" || fail "the command, in a folder without colours.txt, read no installed ramp"
(cd "$WORK" && "$BIN" --at 1 --export kept.r16 >/dev/null) && [ -s "$WORK/kept.r16" ] ||
    fail "the command, in a folder without colours.txt, wrote --export's file elsewhere"
RUNDIR="$WORK/a ramp"
mkdir "$RUNDIR" && printf '1 3\n1 0 0\n' >"$RUNDIR/colours.txt"  # one red texel
printf '#!/bin/sh\nunset DISPLAY\nexec "%s" -display "%s"\n' "$BIN" "$DISPLAY" >"$WORK/cmd"
BIN=$WORK/cmd && chmod +x "$BIN"
start_viewer
wait_for "no frame drawn" drawn
differs "$shipped" || fail "the folder's own ramp was not drawn"
quit_viewer
output_ends $'Got it!\n1 3\n3' || fail "the folder's own ramp was not read: $(tail -c 40 "$WORK/stdout")"

if [ "$(id -u)" -eq 0 ]; then  # the package's dependencies resolve on this system
    apt-get install --simulate -qq "$deb" >/dev/null || fail "apt-get cannot install $deb"
fi
echo "package: ok"
