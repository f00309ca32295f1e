#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the kit.
# Quiet and quick when everything is already there.
#
# Mirrors are not always whole: one index of the package lists may fail to
# download (a mirror sync in progress). That is not fatal. Without the
# security suite's i386 index, though, wine32 cannot resolve (the i386 halves
# of Multi-Arch libraries must equal the installed amd64 versions), so a
# failed install is tried again with the release suite's own versions.
set -euo pipefail

packages=(
  cmake make g++ ccache googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev
  wine wine64 wine32:i386 socat iproute2 util-linux clang libclang-rt-14-dev
  fonts-wine xvfb imagemagick fonts-wqy-microhei x11-utils
  libqrencode-dev libzint-dev libpng-dev console-setup-linux unifont zbar-tools python3-qrcodegen
  nsis osslsigncode openssl dpkg-dev
  pkg-config libcpp-httplib-dev nlohmann-json3-dev chromium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "deps: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo[@]}" dpkg --add-architecture i386
fi

# apt-get update exits non-zero when any one index fails; what it did fetch
# is still used. Three tries, then go on with whatever lists we have.
updated=no
for try in 1 2 3; do
  if "${sudo[@]}" apt-get update -q >/tmp/kit-apt-update.log 2>&1; then
    updated=yes
    break
  fi
  sleep $((try * 5))
done
[ $updated = yes ] || echo "deps: some package lists failed to download; going on with the rest" \
  "($(grep -m1 -E '^(E|W):' /tmp/kit-apt-update.log || echo 'see apt-get update'))"

install() {
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "$@" \
    >/tmp/kit-apt-install.log 2>&1
}
install "${missing[@]}" && exit 0
install -t bookworm "${missing[@]}" && exit 0
why=$(grep -m1 -E '^(E:|.*Depends:)' /tmp/kit-apt-install.log || tail -n1 /tmp/kit-apt-install.log)
echo "deps: cannot install ${missing[*]}: ${why} (full log: /tmp/kit-apt-install.log)" >&2
exit 1
