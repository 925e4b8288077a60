#!/usr/bin/env bash
# Installs the Debian packages listed in packages.txt (as root, or through sudo).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
mapfile -t pkgs < <(grep -v '^\s*#' "$here/packages.txt" | grep -v '^\s*$')
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

# Wine's 32-bit half needs a kernel that runs 32-bit x86 programs; some do not (seen here: a virtual
# machine whose host runs 64-bit user code only, where every i386 program fails with "Exec format
# error"). There the half is left out, and taken out again if installed, because Debian's wine command
# starts the 32-bit loader whenever it is installed, so that even 64-bit programs would fail. The
# win32 build is still built; its tests are reported as skipped.
runs_32bit_code() {
  local probe
  probe=$(mktemp "$here/../.probe32.XXXXXX")  # in the checkout: /tmp may forbid running programs
  # The smallest i386 ELF program: one loadable segment whose code is exit(0).
  printf '\x7fELF\x01\x01\x01\0\0\0\0\0\0\0\0\0\x02\0\x03\0\x01\0\0\0\x54\x80\x04\x08\x34\0\0\0'\
'\0\0\0\0\0\0\0\0\x34\0\x20\0\x01\0\0\0\0\0\0\0\x01\0\0\0\0\0\0\0\0\x80\x04\x08\0\x80\x04\x08'\
'\x5d\0\0\0\x5d\0\0\0\x05\0\0\0\0\x10\0\0\xb8\x01\0\0\0\x31\xdb\xcd\x80' > "$probe"
  chmod +x "$probe"
  local ok=1
  "$probe" 2>/dev/null && ok=0
  rm -f "$probe"
  return $ok
}
if ! runs_32bit_code; then
  echo "install-deps: this machine runs no 32-bit x86 programs: leaving out Wine's 32-bit half (the win32 tests will be skipped)"
  mapfile -t pkgs < <(printf '%s\n' "${pkgs[@]}" | grep -v ':i386$')
  half=()
  for p in wine32:i386 libwine:i386; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' && half+=("$p")
  done
  if [ ${#half[@]} -gt 0 ]; then
    echo "install-deps: removing ${half[*]}, which cannot run here and would stop the 64-bit Wine"
    $sudo apt-get remove -y -q "${half[@]}"
  fi
fi

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#pkgs[@]} packages present"
  exit 0
fi
echo "install-deps: installing ${#missing[@]} packages: ${missing[*]}"
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
