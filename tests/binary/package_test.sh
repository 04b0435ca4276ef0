# The Debian package: lintian --pedantic finds nothing that is not overridden,
# the binary is hardened, a second build from a copy of the source on another
# filesystem is byte for byte the same, the manual page renders without warnings,
# the menu entry and AppStream metadata are valid, the icon is there at every
# size, and the installed binary, run from the installed
# share folder as the menu entry runs it, reads the installed ramp, draws and
# ends on Escape with status 0.
# Usage: package_test.sh BINARY SOURCE FRAMESLIB DEB (BINARY is not used:
# the package's own is run)
. "$(dirname "$0")/lib.sh"
deb=$1
root=$WORK/root
dpkg-deb -x "$deb" "$root"

lintian --pedantic -I "$deb" 2>&1 | grep -v 'running with root privileges' >"$WORK/lintian" || true
[ ! -s "$WORK/lintian" ] || fail "lintian: $(cat "$WORK/lintian")"
hardening-check "$root/usr/games/vellmoor" >"$WORK/hardening" || true
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
# AppStream: no warning or error (the id's made-up top-level domain is an info).
appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$WORK/as" ||
    fail "AppStream metadata: $(cat "$WORK/as")"
! grep -E '^[WE]:' "$WORK/as" || fail "AppStream metadata warns"
for size in $ICON_SIZES; do
    icon=$root/usr/share/icons/hicolor/${size}x$size/apps/vellmoor.png
    [ "$(identify -format %wx%h "$icon")" = "${size}x$size" ] || fail "no ${size}x$size icon"
done
grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/vellmoor.svg" || fail "no scalable icon"

# The entry's command from its folder, both inside the unpacked root.
BIN=$root/usr/games/vellmoor RUNDIR=$root/usr/share/vellmoor
start_xvfb 800x600
start_viewer
wait_for "no frame drawn" drawn
quit_viewer
output_ends "$SHIPPED_RAMP" ||
    fail "the installed ramp was not read: $(tail -c 100 "$WORK/stdout" | od -c | head -3)"

if [ "$(id -u)" -eq 0 ]; then  # the package's dependencies resolve on this system
    apt-get install --simulate -qq "$deb" >/dev/null || fail "apt-get cannot install $deb"
fi
echo "package: ok"
