#!/usr/bin/env bash
# Makes the Debian package tarnwick_<version>_<arch>.deb in the repository's
# top folder: a release build of both programs in build-package/ (apart from
# the build/ tree of ./test.sh), packed by CPack's DEB generator.
#   scripts/package.sh [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath "${1:-.}")
tree=build-package
for tool in cpack dpkg-shlibdeps dpkg-buildflags; do
  command -v "$tool" >/dev/null || { echo "package.sh: $tool is missing (apt-get install cmake dpkg-dev)" >&2; exit 1; }
done

# Debian's hardening flags (fortified functions, read-only relocations);
# CMake reads no CPPFLAGS, so they go with the compiler flags.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags=$(dpkg-buildflags --get CPPFLAGS)
CFLAGS="$cppflags $(dpkg-buildflags --get CFLAGS)" CXXFLAGS="$cppflags $(dpkg-buildflags --get CXXFLAGS)" \
LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
  cmake -S . -B "$tree" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
        -DTARNWICK_DEBIAN_PACKAGE=ON -DTARNWICK_TESTS=OFF -DTARNWICK_BENCH=OFF >/dev/null
cmake --build "$tree" -j"$(nproc)"
rm -f "$tree"/tarnwick_*.deb
(cd "$tree" && cpack -G DEB >/dev/null)
deb=$(ls "$tree"/tarnwick_*.deb)
mv "$deb" "$out/"
echo "$out/$(basename "$deb")"
