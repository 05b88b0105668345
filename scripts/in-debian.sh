#!/usr/bin/env bash
# Runs a command as root in a brand-new minimal Debian root, in a clone of
# this checkout's HEAD, as a new user's machine would meet it:
#   scripts/in-debian.sh RELEASE COMMAND [ARG...]     (as root)
#   scripts/in-debian.sh trixie scripts/test.sh
# The root lives in a mount and PID namespace of its own, so its mounts and
# every process in it go when the command ends or this script is killed,
# even by SIGKILL. The debootstrap result is kept as a tarball for a week.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
[ $# -ge 2 ] || { echo "usage: $0 RELEASE COMMAND [ARG...]" >&2; exit 2; }
release=$1
shift
[ "$(id -u)" -eq 0 ] || { echo "$0: needs root (debootstrap, chroot, mounts)" >&2; exit 2; }
command -v debootstrap >/dev/null && command -v git >/dev/null || install_packages debootstrap git

cache=${ARF_DEBIAN_CACHE:-/var/cache/arf-in-debian}
base=$cache/$release-minbase.tar
mkdir -p "$cache"
if [ -z "$(find "$base" -mtime -7 2>/dev/null)" ]; then
    mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    [ -n "$mirror" ] || mirror=$(awk '/^deb / {print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
    fresh=$(mktemp -d "$cache/bootstrap-XXXXXX")
    echo "in-debian: debootstrap $release from ${mirror:-the default mirror}"
    if ! debootstrap --variant=minbase "$release" "$fresh/root" ${mirror:+"$mirror"} >"$fresh/log" 2>&1; then
        tail -n 20 "$fresh/log" >&2
        rm -rf --one-file-system "$fresh"
        exit 2
    fi
    tar -C "$fresh/root" -cf "$base.new" . && mv "$base.new" "$base"
    rm -rf --one-file-system "$fresh"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/arf-$release-XXXXXX")
root=$work/root
# Where mounts propagate back (a shared parent), take back what came here.
cleanup()
{
    awk -v r="$root/" 'index($2, r) == 1 {print $2}' /proc/mounts | sort -r | xargs -r -n 1 umount -l
    rm -rf --one-file-system "$work"
}
trap cleanup EXIT
mkdir "$root"
tar -C "$root" -xf "$base"
git clone -q . "$root/root/project"
# Tests that change the system itself run only where this marker is.
touch "$root/.arf-throw-away"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
echo "in-debian: $(. "$root/etc/os-release" && echo "$PRETTY_NAME"): $*"

# --kill-child: if this script dies, the namespace's first process dies with
# it, and the kernel ends the rest and drops the mounts. Inside a chroot the
# root is no mount point and keeps its propagation.
propagation=private
unshare --mount --propagation private true 2>/dev/null || propagation=unchanged
status=0
unshare --mount --propagation "$propagation" --pid --fork --kill-child bash -c '
    root=$1; shift
    mount -t proc proc "$root/proc"
    for m in sys dev dev/pts; do mount --rbind "/$m" "$root/$m"; done
    mount -t tmpfs tmpfs "$root/dev/shm"
    exec chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 CI="${CI:-}" \
        bash -c "cd /root/project && exec \"\$@\"" bash "$@"
' bash "$root" "$@" || status=$?
exit $status
