#!/usr/bin/env bash
# Installs everything Tellavo's build and tests need on a Debian 12 machine, as root.
# Idempotent and quick when all is there: apt packages, a deb-src entry for Debian's own
# source packages, libjpeg-turbo cross-built for mingw, the Google Benchmark sources for the
# Windows build and the Wine prefix (makensis and zip for the release packages come with the
# apt packages). Nothing is downloaded from outside Debian's archive.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache=$root/build/cache
deps=$root/build/deps/mingw
mkdir -p "$cache/src"

packages=(
  cmake ninja-build make g++ python3 dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine64 xvfb xauth x11-utils xdotool imagemagick
  googletest libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev
  clang libclang-rt-14-dev libjpeg-dev
  nsis zip unzip
)

apt_updated=0
apt_update() { [ $apt_updated = 1 ] || { apt-get update -qq; apt_updated=1; }; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt_update
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# apt-get source needs deb-src entries; add them for the suites already configured.
if ! grep -rqs '^\(Types:.*deb-src\|deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  echo "setup: adding deb-src entries"
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
      > /etc/apt/sources.list.d/tellavo-deb-src.sources
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
      > /etc/apt/sources.list.d/tellavo-deb-src.list
  fi
  apt_updated=0
fi

fetch_source() {  # fetch_source <package> <dir-glob>: Debian's source package under build/cache/src
  local dir
  dir=$(ls -d "$cache/src/"$2 2>/dev/null | head -n 1 || true)
  if [ -z "$dir" ]; then
    apt_update
    (cd "$cache/src" && apt-get source -qq "$1" >/dev/null 2>&1)
    dir=$(ls -d "$cache/src/"$2 | head -n 1)
  fi
  echo "$dir"
}

# libjpeg-turbo (the jpeglib.h interface) as a static mingw library.
if [ ! -f "$deps/lib/libjpeg.a" ]; then
  echo "setup: cross-building libjpeg-turbo for mingw"
  src=$(fetch_source libjpeg-turbo 'libjpeg-turbo-*/')
  rm -rf "$cache/jpeg-build"
  cmake -S "$src" -B "$cache/jpeg-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-toolchain.cmake" -DCMAKE_CROSSCOMPILING_EMULATOR= \
    -DCMAKE_INSTALL_PREFIX="$deps" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
    -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DWITH_JPEG7=OFF -Wno-dev >/dev/null
  cmake --build "$cache/jpeg-build" -j2 --target install >/dev/null
fi

# Google Benchmark sources for the Windows build (the native build uses libbenchmark-dev).
bench=$(fetch_source benchmark 'benchmark-*/')
ln -sfn "$bench" "$cache/src/benchmark"

"$root/tools/wine-prefix.sh"
echo "setup: ready"
