#!/bin/sh
# Makes sure the Debian packages named as arguments are installed. Nothing is done when
# all are there (no root, no package tool needed); the missing ones are installed with
# apt-get when running as root; otherwise they are named and the step fails. On a system
# without dpkg nothing is checked: CMake reports what it cannot find.
set -eu
command -v dpkg-query >/dev/null 2>&1 || exit 0
missing=""
for package in "$@"; do
  dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing="$missing $package"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null 2>&1; then
  echo "Installing:$missing"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
  exit 0
fi
echo "Missing packages:$missing" >&2
echo "Install them as root (apt-get install$missing) and run make again." >&2
exit 1
