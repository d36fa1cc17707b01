#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Cross-builds the toolkit (qtbase from Debian's source package) for 64-bit
# Windows with mingw-w64, using Debian 13's own Qt of the same version as host
# tools. Run inside the trixie root (toolchains/debian-root.sh). The result is a
# prefix in the cache, keyed on the source version and the options, reused
# when present. Prints the prefix on its last line. The source is the pinned
# version while Debian's archive has it; once a stable update replaces it
# there, the version the archive has then, and it says so.
# Usage: toolchains/qt-windows.sh [source-version] (that: only print the
# version it would build; QT_WINDOWS_PINNED pins another, for a test)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
pinned=${QT_WINDOWS_PINNED:-6.8.2+dfsg-9+deb13u2} # Debian 13's qt6-base, the same as the host tools
cache=${QT_WINDOWS_CACHE:-/cache/qt-windows}

# Only what the programs and their tests use; the rest would double the build
# and the download. Optimised for size (-Os): the window does little work.
options=(
    -DBUILD_SHARED_LIBS=ON -DCMAKE_BUILD_TYPE=Release -DFEATURE_optimize_size=ON -DQT_UNITY_BUILD=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    -DINPUT_opengl=no # what -no-opengl sets; FEATURE_opengl=OFF still wants dynamic GL
    -DFEATURE_tabletevent=OFF # needs src/3rdparty/wintab, which Debian's source drops
    -DFEATURE_direct2d1_1=OFF
    -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF
    # Windows draws text with DirectWrite; FreeType is only an alternative engine.
    -DFEATURE_freetype=OFF
    # Documents, movies and image formats a password window never reads or writes.
    -DFEATURE_pdf=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
    -DFEATURE_textodfwriter=OFF -DFEATURE_movie=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
    # Widgets the window does not have (Qt builds them into Qt6Widgets.dll).
    -DFEATURE_filedialog=OFF -DFEATURE_colordialog=OFF -DFEATURE_fontdialog=OFF
    -DFEATURE_wizard=OFF -DFEATURE_mdiarea=OFF -DFEATURE_calendarwidget=OFF
    -DFEATURE_splashscreen=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_dial=OFF -DFEATURE_undoview=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF
    # Qt's own SPDX document of what it built: the bundled libraries, their versions and
    # licences, for the release's SBOM (tag:value; JSON would need Python modules).
    -DQT_GENERATE_SBOM=ON -DQT_SBOM_GENERATE_JSON=OFF -DQT_SBOM_VERIFY=OFF
    # The same DLLs from every build: no link time in the PE headers, no build
    # paths in the code (and the source package's date for rcc, below).
    -DCMAKE_C_FLAGS="-ffile-prefix-map=$cache/=/" -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$cache/=/"
    -DCMAKE_SHARED_LINKER_FLAGS=-Wl,--no-insert-timestamp -DCMAKE_EXE_LINKER_FLAGS=-Wl,--no-insert-timestamp
)
# HarfBuzz as a unity build: 167 s of compiling becomes 56 s here, and
# Qt6Gui.dll 0.57 MB larger (the subsetter, for PDF only, comes in with the rest).
options+=(-DCMAKE_PROJECT_QtBase_INCLUDE="$here/qt-windows-harfbuzz.cmake")
key() { (printf '%s\n' "$1" "${options[@]}"; cat "$here/qt-windows-harfbuzz.cmake") | sha256sum | cut -c1-12; }
version=$pinned
if [ ! -e "$cache/qt-$pinned-mingw64-$(key "$pinned")/.complete" ]; then
    "$here/apt.sh" update # the archive as it is now
    versions=$(apt-cache showsrc qt6-base | sed -n 's/^Version: //p' | sort -V)
    if ! grep -qxF "$pinned" <<<"$versions"; then
        version=$(tail -n1 <<<"$versions")
        echo "qt-windows.sh: qt6-base $pinned is no longer in Debian's archive; building $version, which it has now" >&2
    fi
fi
[ "${1:-}" != source-version ] || { echo "$version"; exit 0; }
key=$(key "$version")
prefix=$cache/qt-$version-mingw64-$key
mkdir -p "$cache" && exec 9>"$cache/lock" && flock 9 # one build at a time: the test runs start it early
if [ -e "$prefix/.complete" ]; then echo "$prefix"; exit 0; fi

"$here/install-missing.sh" dpkg-dev ca-certificates cmake ninja-build \
    g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools perl

work=$cache/build-$key
rm -rf "$work" "$prefix"
mkdir -p "$work"
(cd "$work" && "$here/apt.sh" source --download-only "qt6-base=$version" \
    && dpkg-source --no-check -x ./*.dsc source >/dev/null)

started=$(date +%s)
SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l "$work/source/debian/changelog" -STimestamp)
export SOURCE_DATE_EPOCH # rcc's file dates
cmake -S "$work/source" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
    "${options[@]}"
cmake --build "$work/build" --parallel "$(nproc)"
cmake --install "$work/build" >/dev/null
# The licence texts and where the DLLs' source is, for the packages.
mkdir -p "$prefix/share/licenses"
cp "$work/source/LICENSES/"* "$prefix/share/licenses/" # Qt's, and those of the libraries bundled in its DLLs
# The Debian patches it was built with, for the SBOM.
grep -v '^#' "$work/source/debian/patches/series" | sed '/^$/d' >"$prefix/sbom/debian-patches"
cat >"$prefix/share/licenses/SOURCE" <<SOURCE
Qt ${version%%+*} (Core, Gui, Widgets), LGPL-3.0-only, built from Debian's source
package qt6-base version $version (Qt's source with Debian's patches):
"apt-get source qt6-base=$version" on Debian 13, or
https://sources.debian.org/src/qt6-base/$version/
SOURCE
echo "qt-windows.sh: built in $(( $(date +%s) - started )) s" >&2
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
