#!/usr/bin/env bash
# Proves the README's two commands on a fresh Debian 12 (bookworm, the
# default) or 13 (trixie): a minimal root
# (debootstrap --variant=minbase, then git and ca-certificates only) with /tmp
# a tmpfs, a clone of this repository's committed HEAD in it, and, as root
# there, ./scripts/run.sh and then ./scripts/test.sh. Fails unless both exit
# 0 and run.sh's screenshot shows the textured landscape. Prints each
# command's time and the disk the root grew by.
# Each release's bare root is cached in $VELLMOOR_FRESH_CACHE (default
# ~/.cache/vellmoor); the mirror is the first one this system's apt uses,
# or $VELLMOOR_MIRROR. Needs root. Takes about 10 minutes, more the first time.
# Usage: fresh-machine.sh [bookworm|trixie [WORKDIR]]  (WORKDIR: default a
# new folder under /var/tmp, removed at the end unless VELLMOOR_FRESH_KEEP=1)
set -euo pipefail
work=
trap '[ -z "$work" ] || [ "${VELLMOOR_FRESH_KEEP:-0}" = 1 ] || rm -rf --one-file-system "$work"' EXIT
cd "$(dirname "$0")/.."
repo=$PWD
. scripts/common.sh
[ "$(id -u)" -eq 0 ] || { echo "fresh-machine.sh needs root (debootstrap, chroot, mounts)"; exit 1; }
need_packages debootstrap util-linux git
release=${1:-bookworm}
case $release in
    bookworm) version=12 ;;
    trixie) version=13 ;;
    *) echo "fresh-machine.sh: unknown release '$release' (bookworm or trixie)"; exit 1 ;;
esac

mirror=${VELLMOOR_MIRROR:-$(debian_mirror)}
[ -n "$mirror" ] || { echo "no Debian mirror found in /etc/apt; set VELLMOOR_MIRROR"; exit 1; }

cache=${VELLMOOR_FRESH_CACHE:-$HOME/.cache/vellmoor}/$release-minbase-git.tar
if [ ! -s "$cache" ]; then
    echo "Building a minimal Debian $version root (once; cached in $cache)"
    mkdir -p "$(dirname "$cache")"
    base=$(mktemp -d /var/tmp/vellmoor-base.XXXXXX)
    if ! debootstrap --variant=minbase --include=git,ca-certificates "$release" "$base" "$mirror" \
            >"$base.log" 2>&1; then
        tail -n 20 "$base.log"; rm -rf --one-file-system "$base" "$base.log"
        echo "debootstrap failed"; exit 1
    fi
    rm -f "$base.log"
    # As container images have it: services are not started inside the root.
    printf '#!/bin/sh\nexit 101\n' >"$base/usr/sbin/policy-rc.d"
    chmod 755 "$base/usr/sbin/policy-rc.d"
    rm -rf "$base"/var/cache/apt/archives/*.deb "$base"/var/lib/apt/lists/*
    tar -C "$base" -cf "$cache.new" . && mv "$cache.new" "$cache"
    rm -rf --one-file-system "$base"
fi

work=${2:-$(mktemp -d /var/tmp/vellmoor-fresh.XXXXXX)}
root=$work/root
mkdir -p "$root"
tar -C "$root" -xf "$cache"
chmod 755 "$work" "$root"  # apt's download user must reach its folders
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
# The certificate authorities this machine adds to Debian's, as any machine
# on its network needs them (a proxy that signs the npm registry's, say).
if compgen -G '/usr/local/share/ca-certificates/*.crt' >/dev/null; then
    cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
    chroot "$root" update-ca-certificates >/dev/null
fi
git clone -q "$repo" "$root/root/vellmoor"
echo "Fresh Debian $version root in $root, clone of $(git -C "$repo" rev-parse --short HEAD)"

# One command as root inside the fresh root, in a private mount namespace,
# so that its mounts go away with it. Its output is shown and kept in a log.
in_root() {  # LOG COMMAND
    unshare --mount --propagation private bash -euo pipefail -c '
        root=$1
        mount -t proc proc "$root/proc"
        mount -t sysfs sys "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
        exec chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
            bash -c "cd /root/vellmoor && $2"' _ "$root" "$2" 2>&1 | tee "$work/$1"
}

used() { du -sxm "$root" | cut -f1; }
before=$(used)
for step in run test; do
    start=$SECONDS
    echo "== ./scripts/$step.sh"
    in_root "$step.log" "./scripts/$step.sh" ||
        { echo "FAIL: ./scripts/$step.sh exited non-zero on the fresh root (log: $work/$step.log)"; exit 1; }
    echo "== ./scripts/$step.sh: $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s," \
        "root now $(($(used) - before)) MB larger"
    if [ $step = run ]; then
        # Textured: a good share of the picture is neither grey (the sky) nor
        # the untextured landscape's purple nor the clear colour. (Lines of
        # convert's txt: are "x,y: (r,g,b) ...".)
        share=$(in_root shot.log "convert vellmoor.png -depth 8 txt:- | awk -F'[(,)]' \
            'NR > 1 { n++; r = \$3; g = \$4; b = \$5; d = (r > g ? r - g : g - r) + (g > b ? g - b : b - g);
                      if (d > 40 && !(r > g && b > g) && !(r == 51 && g == 102 && b == 153)) t++ }
             END { print int(100 * t / n) }'")
        echo "screenshot: $share % of it coloured by the ramp"
        ((share >= 10)) || { echo "FAIL: the screenshot does not show the textured landscape"; exit 1; }
        cp "$root/root/vellmoor/vellmoor.png" "$work/" 2>/dev/null || true
    fi
done
echo "fresh machine: ok"
