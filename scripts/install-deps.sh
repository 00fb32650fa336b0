#!/bin/sh
# Installs the Debian packages the build, the tests and headless runs need.
# Silent when everything is already there; one apt-get update only when needed.
set -eu

PACKAGES="
build-essential
cmake
ninja-build
pkg-config
qt6-base-dev
qt6-charts-dev
qt6-tools-dev
qt6-l10n-tools
libqt6opengl6-dev
libgl-dev
libcurl4-openssl-dev
libcpp-httplib-dev
zlib1g-dev
libxlsxwriter-dev
libarchive-dev
libgtest-dev
libgmock-dev
libbenchmark-dev
libgmp-dev
ccache
clang-format
qt6-translations-l10n
xvfb
xauth
imagemagick
fonts-dejavu-core
"

missing=""
for p in $PACKAGES; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing="$missing $p" ;;
  esac
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing
