#!/usr/bin/env bash
# The README's test command as a new user meets it: in a fresh Debian root (debootstrap,
# minimal variant, from the mirror this machine's apt uses), as a user who is not root but has
# sudo, logged in with `su -`, on a clone of the current commit. Ends with one line: the exit
# code, the time, whether the fresh root's /etc/apt changed, and how many checks were skipped.
#
# Needs root here: it mounts and chroots. Every mount lives in a private mount and process
# namespace, so nothing outlives the run, interrupted or not; the fresh root is deleted after.
# The root's tarball is cached in $SKYVANE_CACHE/fresh-check (default ~/.cache/skyvane).
#   tools/ci/fresh-check.sh       (the run's whole output is kept in the cache's last-run.log)
set -euo pipefail
cd "$(dirname "$0")/../.."
source tools/lib/packages.sh

if ((EUID != 0)); then
  echo "error: fresh-check needs root (it builds a Debian root, mounts /proc and /dev in it, and chroots)" >&2
  exit 2
fi
ensure_packages fresh-check

release=$(. /etc/os-release && echo "$VERSION_CODENAME")
mirror=$(apt-get indextargets --no-release-info --format '$(REPO_URI)' "Release: $release" 'Created-By: Packages' |
  head -n1)
[ -n "$mirror" ] || { echo "error: this machine's apt has no source for $release" >&2; exit 1; }
commit=$(git rev-parse HEAD)
cache=${SKYVANE_CACHE:-$HOME/.cache/skyvane}/fresh-check
# What a new user brings: sudo, and git, which made their clone. Everything else the project
# must install itself.
given=sudo,git
tarball=$cache/debian-$release-minbase-${given//,/-}.tar
user=newdev
mkdir -p "$cache"

if [ ! -f "$tarball" ]; then
  echo "== making a fresh $release root from $mirror (cached in $tarball)"
  staging=$(mktemp -d "$cache/debootstrap.XXXXXX")
  trap 'rm -rf "$staging"' EXIT
  debootstrap --variant=minbase --include="$given" "$release" "$staging" "$mirror" >"$cache/debootstrap.log" 2>&1 || {
    tail -n 20 "$cache/debootstrap.log" >&2
    exit 1
  }
  tar -C "$staging" -cf "$tarball.part" . && mv "$tarball.part" "$tarball"
  rm -rf "$staging"
  trap - EXIT
fi

root=$(mktemp -d "$cache/root.XXXXXX")
log=$cache/last-run.log
inner=
# Killing unshare kills the namespace's first process (--kill-child), and with it every process
# in the namespace; its mounts go with the last of them. The root is removed once nothing runs
# in it any more, or files still being written would survive the removal.
clean_up() {
  if [ -n "$inner" ]; then
    kill -KILL "$inner" 2>/dev/null || true
    wait "$inner" 2>/dev/null || true
  fi
  local pid busy
  for _ in $(seq 50); do
    busy=
    for pid in /proc/[0-9]*; do
      [ "$(readlink "$pid/root" 2>/dev/null)" = "$root" ] && { busy=$pid; break; }
    done
    [ -z "$busy" ] && break
    sleep 0.2
  done
  rm -rf "$root"
}
trap clean_up EXIT
trap 'echo "fresh-check: interrupted" >&2; exit 130' INT TERM
tar -C "$root" -xf "$tarball"
chmod 0755 "$root" # mktemp made it private; it is the new root's /
cp /etc/resolv.conf "$root/etc/resolv.conf"
echo "127.0.1.1 $(hostname)" >>"$root/etc/hosts" # sudo looks its host up
chroot "$root" useradd --create-home --shell /bin/bash --groups sudo "$user"
echo "$user ALL=(ALL) NOPASSWD:ALL" >"$root/etc/sudoers.d/$user"
chmod 0440 "$root/etc/sudoers.d/$user"
git clone --quiet --no-hardlinks "$PWD" "$root/home/$user/skyvane"
git -C "$root/home/$user/skyvane" checkout --quiet --detach "$commit"
chroot "$root" chown -R "$user:$user" "/home/$user/skyvane"
apt_before=$(cd "$root/etc/apt" && find . -type f -print0 | sort -z | xargs -0 sha256sum)

echo "== ./skyvane test in a fresh $release root, as '$user' with sudo, on $commit (log: $log)"
started=$SECONDS
status=0
# A private mount namespace takes every mount with it, and a private process namespace ends
# every process left running (X servers, wineservers) when the run ends.
# It runs in the background so that a signal here is handled at once, not when the run ends;
# unshare itself ignores SIGINT and SIGTERM while its child runs.
unshare --mount --pid --fork --kill-child --propagation private bash -c '
  set -e
  root=$1 user=$2
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
  mount -t tmpfs -o mode=1777 tmp "$root/tmp"
  # As the user logs in: `su -` makes a login shell whose environment is what the fresh root
  # gives (no LANG there), none of this one.
  exec chroot "$root" env -i su - "$user" -c "cd ~/skyvane && ./skyvane test"
' fresh-check "$root" "$user" </dev/null >"$log" 2>&1 &
inner=$!
tail -n +1 -f --pid="$inner" "$log" &
wait "$inner" || status=$?
inner=
wait
took=$((SECONDS - started))

apt_after=$(cd "$root/etc/apt" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
apt_state=unchanged
if [ "$apt_before" != "$apt_after" ]; then
  apt_state=CHANGED
  diff <(echo "$apt_before") <(echo "$apt_after") >&2 || true
  ((status != 0)) || status=1
fi
skipped=$(sed -n 's/^total: [0-9]* passed, [0-9]* failed, \([0-9]*\) skipped$/\1/p' "$log" | tail -n1)
if [ -z "$skipped" ]; then
  skipped="unknown (no summary line)"
  ((status != 0)) || status=1
elif [ "$skipped" != 0 ]; then
  ((status != 0)) || status=1
fi
echo "fresh-check: exit $status, $((took / 60)) min $((took % 60)) s, /etc/apt $apt_state, skipped $skipped"
exit "$status"
