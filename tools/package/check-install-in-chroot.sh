#!/usr/bin/env bash
# Installs the package into a brand-new Debian 12 system with apt-get, as a
# user would, and starts the programs there: the proof that Depends names
# everything they need. The system is made once with debootstrap (a few
# minutes and about 300 MB, from the mirror this machine's apt uses) and kept
# for later runs; the package is installed into a fresh copy of it each time.
#
#   check-install-in-chroot.sh DEB [ROOT]    (as root; ROOT defaults to ~/.cache/ostrel/bookworm-root)
set -euo pipefail

deb=$(realpath "$1")
base=${2:-$HOME/.cache/ostrel/bookworm-root}
mirror=$(awk '/^URIs:/ && $2 ~ /debian$/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
mirror=${mirror:-http://deb.debian.org/debian}

if [ ! -x "$base/usr/bin/apt-get" ]; then
    echo "Making a minimal Debian 12 system in $base from $mirror"
    rm -rf "$base"
    debootstrap --variant=minbase bookworm "$base" "$mirror" > "$base.log" 2>&1 ||
        { tail -20 "$base.log"; exit 1; }
fi

root=$(mktemp -d)
cleanup() {
    umount "$root/proc" 2>/dev/null || true
    rm -rf "$root"
}
trap cleanup EXIT
cp -a "$base/." "$root/"
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
chroot "$root" apt-get update -qq
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")" > /dev/null
version=$(chroot "$root" env QT_QPA_PLATFORM=offscreen ostrel-view --version)
echo "ostrel-view --version in a new Debian 12: $version"
case "$version" in *1.0.0.2*) ;; *) echo "FAIL: unexpected version text" >&2; exit 1 ;; esac
chroot "$root" env QT_QPA_PLATFORM=offscreen ostrel-inspect \
    /usr/share/doc/ostrel-viewer/examples/default.ostrelScript --seek 5 | head -n 2
echo "The package installs and runs in a new Debian 12."
