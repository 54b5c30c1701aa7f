#!/usr/bin/env bash
# Makes the Debian package with scripts/package.sh and checks it without
# installing it: the exact list of files with their owners and modes, the
# Depends that dpkg-shlibdeps found, the control fields, and that the
# packed programs and metadata all carry the package's version.
#   scripts/check-package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
deb=$(scripts/package.sh "$work" | tail -1)
status=0
fail() { echo "FAIL: $*"; status=1; }

# Owner, mode and path of every file (directories aside), sorted.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort >"$work/files"
sort >"$work/expected" <<'LIST'
-rwxr-xr-x root/root ./usr/bin/tarnwick
-rwxr-xr-x root/root ./usr/bin/tarnwick-cli
-rw-r--r-- root/root ./usr/share/applications/tarnwick.desktop
-rw-r--r-- root/root ./usr/share/doc/tarnwick/changelog.gz
-rw-r--r-- root/root ./usr/share/doc/tarnwick/copyright
-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/tarnwick.svg
-rw-r--r-- root/root ./usr/share/man/man1/tarnwick-cli.1.gz
-rw-r--r-- root/root ./usr/share/man/man1/tarnwick.1.gz
-rw-r--r-- root/root ./usr/share/metainfo/example.tarnwick.Tarnwick.metainfo.xml
-rw-r--r-- root/root ./usr/share/mime/packages/tarnwick.xml
LIST
diff -u "$work/expected" "$work/files" >"$work/files.diff" || { fail "file list"; cat "$work/files.diff"; }

field() { dpkg-deb -f "$deb" "$1"; }
version=$(field Version)
[ "$(basename "$deb")" = "tarnwick_${version}_$(dpkg --print-architecture).deb" ] || fail "file name $(basename "$deb")"
[ "$(field Section)" = graphics ] || fail "Section: $(field Section)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ "$(field Description | wc -l)" -ge 3 ] || fail "no long description"
# Every library the programs link, and Qt's platform plugins.
depends=$(field Depends)
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libcairo2 libpng16-16 libexpat1 zlib1g \
               qt6-qpa-plugins; do
  [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] || fail "Depends lacks $package"
done

# The one version: the programs and the AppStream release say the same.
dpkg-deb -x "$deb" "$work/root"
[ "$("$work/root/usr/bin/tarnwick-cli" --version)" = "tarnwick-cli $version" ] || fail "tarnwick-cli --version"
[ "$(QT_QPA_PLATFORM=offscreen "$work/root/usr/bin/tarnwick" --version)" = "tarnwick $version" ] || fail "tarnwick --version"
grep -q "<release version=\"$version\"" "$work/root/usr/share/metainfo/example.tarnwick.Tarnwick.metainfo.xml" ||
  fail "metainfo release"

echo "Depends: $depends"
[ $status -eq 0 ] && echo "OK: $(basename "$deb") holds the expected files, Depends and version"
exit $status
