#!/usr/bin/env bash
# Installs the Debian packages listed in packages.txt (as root, or through sudo).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t pkgs < <(grep -v '^\s*#' "$here/packages.txt" | grep -v '^\s*$')
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#pkgs[@]} packages present"
  exit 0
fi
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "install-deps: installing ${#missing[@]} packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Packages named with :i386 (Wine's 32-bit half) need that architecture added before the update.
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
apt_install() { $sudo apt-get "$@" install -y -q --no-install-recommends --no-remove "${missing[@]}"; }
# apt-get update fails when a mirror, caught mid-sync, serves an index that does not match its Release
# file; such a fault passes within minutes or hours, so try a few times and then go on with what came.
for attempt in 1 2 3; do
  $sudo apt-get update -q && break
  [ "$attempt" -eq 3 ] || sleep 20
done
apt_install && exit 0
# Seen here: the security archive's i386 index out of sync. Without it, amd64 libraries at security
# versions have no i386 twin of the same version, which a Multi-Arch: same pair needs, so nothing for
# i386 installs. The main archive's point release is consistent on its own: install from it alone
# (never removing a package, which an installed package newer than the point release would ask).
echo "install-deps: installing again from the main archive only, without the security archive" >&2
alone=$(mktemp -d)
trap 'rm -rf "$alone"' EXIT
mkdir -p "$alone/parts" "$alone/lists/partial"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] && awk 'BEGIN { RS = ""; ORS = "\n\n" } !/debian-security/' "$f" > "$alone/parts/${f##*/}"
done
for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list; do
  [ -e "$f" ] && grep -v 'debian-security' "$f" > "$alone/parts/${f##*/}" || true
done
options=(-o Dir::Etc::SourceParts="$alone/parts" -o Dir::Etc::SourceList=/dev/null -o Dir::State::Lists="$alone/lists")
$sudo apt-get "${options[@]}" update -q
apt_install "${options[@]}"
