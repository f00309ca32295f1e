#!/usr/bin/env bash
# package.sh native: the Debian package of the Linux programs (rkit and
# vprinter with their manual pages, CPack's DEB generator) into
# build/package/native/.
# package.sh [PRESET]: the release a technician installs, made from the
# Windows build PRESET (default: windows, the shipped i686 one) with the other
# Windows build's driver resource DLLs, so the package carries both driver
# folders. Into build/package/PRESET/:
#   kit/                                    the package unpacked
#   receipt-kit-VERSION-ARCH.zip            that folder as a zip
#   receipt-kit-VERSION-ARCH-setup.exe      the per-user NSIS setup
# ARCH is win32 for windows and win64 for windows64 (which the tests use where
# 32-bit programs cannot run).
# Optional, from the environment:
#   KIT_SIGN_CERT, KIT_SIGN_KEY   PEM certificate and key: every .exe and .dll,
#                                 the setup and the uninstaller it writes are
#                                 Authenticode-signed
#   KIT_PACKAGE_OUT               another output folder (the signing test's)
#   KIT_PACKAGE_NO_BUILD=1        use the builds as they are
#   KIT_UNIDRV_DIR                a folder with "Windows NT x86" and "Windows x64"
#                                 holding the Windows universal printer driver
#                                 files drvsetup installs with (not ours to ship
#                                 in the repository)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
preset=${1:-windows}
if [ "$preset" = native ]; then
  [ "${KIT_PACKAGE_NO_BUILD:-}" = 1 ] || scripts/build.sh native
  out=${KIT_PACKAGE_OUT:-$root/build/package/native}
  rm -rf "$out"
  mkdir -p "$out"
  (cd build/native && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) ||
    { cat "$out/cpack.log" >&2; echo "package: cpack failed" >&2; exit 1; }
  rm -rf "$out/_CPack_Packages"
  for deb in "$out"/*.deb; do echo "package: $deb ($(stat -c %s "$deb") bytes)"; done
  exit 0
fi
case "$preset" in
  windows) other=windows64 arch=win32 target=x86-unicode ;;
  windows64) other=windows arch=win64 target=amd64-unicode ;;
  *) echo "package: PRESET must be native, windows or windows64, not '$preset'" >&2; exit 2 ;;
esac
[ "${KIT_PACKAGE_NO_BUILD:-}" = 1 ] || scripts/build.sh "$preset" "$other"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "build/$preset/CMakeCache.txt")
name="receipt-kit-$version-$arch"
out=${KIT_PACKAGE_OUT:-$root/build/package/$preset}
kit="$out/kit"
rm -rf "$out"
mkdir -p "$out"
cmake --install "build/$preset" --prefix "$kit" >/dev/null

# the other architecture's resource DLLs, from the other build
for folder in "Windows NT x86" "Windows x64"; do
  [ -e "$kit/$folder/POS80.DLL" ] || cp "build/$other/drvsetup/$folder/"POS{80,58}.DLL "$kit/$folder/"
done
# the builds carry debug information and symbols; the package does not
strip_tool() { if [ "$1" = "Windows x64" ]; then echo x86_64-w64-mingw32-strip; else echo i686-w64-mingw32-strip; fi; }
own=$([ "$preset" = windows64 ] && echo "Windows x64" || echo "Windows NT x86")
find "$kit" -type f \( -iname '*.exe' -o -iname '*.dll' \) ! -path "$kit/Windows*" -exec "$(strip_tool "$own")" --strip-all {} +
for folder in "Windows NT x86" "Windows x64"; do "$(strip_tool "$folder")" --strip-all "$kit/$folder/"*.DLL; done
if [ -n "${KIT_UNIDRV_DIR:-}" ]; then
  for folder in "Windows NT x86" "Windows x64"; do cp "$KIT_UNIDRV_DIR/$folder/"* "$kit/$folder/"; done
else
  echo "package: no KIT_UNIDRV_DIR: the driver folders lack the Windows universal printer driver files"
fi

signer=
[ -z "${KIT_SIGN_CERT:-}" ] || [ -z "${KIT_SIGN_KEY:-}" ] || signer=$root/cmake/release/sign-files
sign() { [ -z "$signer" ] || "$signer" "$@"; }
mapfile -t binaries < <(find "$kit" -type f \( -iname '*.exe' -o -iname '*.dll' \) | sort)
sign "${binaries[@]}"

# the zip holds one folder, named as the package
rm -rf "${out:?}/$name"
cp -r "$kit" "$out/$name"
(cd "$out" && find "$name" -type f | sort >files.txt && cmake -E tar cf "$name.zip" --format=zip --files-from=files.txt)
rm -rf "${out:?}/$name" "$out/files.txt"

# the uninstaller removes what the setup installed, deepest first
list="$out/uninstall-list.nsh"
(cd "$kit" && find . -mindepth 1 -depth | sed 's|^\./||') | while IFS= read -r path; do
  if [ -d "$kit/$path" ]; then echo "  RMDir \"\$INSTDIR\\${path//\//\\}\""; else echo "  Delete \"\$INSTDIR\\${path//\//\\}\""; fi
done >"$list"
makensis -V2 -INPUTCHARSET UTF8 "-DVERSION=$version" "-DSOURCE=$kit" "-DUNINSTALL_LIST=$list" \
  "-DOUTFILE=$out/$name-setup.exe" "-DTARGET=$target" ${signer:+"-DSIGN=$signer"} cmake/release/setup.nsi >"$out/makensis.log" 2>&1 ||
  { cat "$out/makensis.log" >&2; echo "package: makensis failed" >&2; exit 1; }
sign "$out/$name-setup.exe"
echo "package: $out/$name.zip ($(stat -c %s "$out/$name.zip") bytes)"
echo "package: $out/$name-setup.exe ($(stat -c %s "$out/$name-setup.exe") bytes)"
