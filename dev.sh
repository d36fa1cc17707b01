#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Sets up what is missing, builds, and then runs the program or the tests.
#   ./dev.sh run [toolkit options]  open the Proxy Password window
#   ./dev.sh test                   every test on every platform (what CI runs):
#                                   Linux with this system's Qt, Linux with
#                                   Qt 6.8 (Debian 13), 64-bit Windows with
#                                   Qt 6.8 under wine
#   ./dev.sh test-linux             only the first of those, quicker
#   ./dev.sh release DIR            the release files, their SHA256SUMS and the apt
#                                   repository in DIR (signed with SIGN_PKCS12 and
#                                   SIGN_PASSWORD_FILE, and OPENPGP_KEY)
# Each Linux leg runs the suite twice: in an ordinary build and in a build with
# ASan+UBSan+LSan; "test" ends with the release check (signed release builds of
# the last commit from two clones must be the same; a .deb must pass Debian's
# checks; the apt repository must work, and refuse what it must, in clean
# Debian 12 and 13 roots), and the Debian source package goes through Debian's
# tools (tests/debian_package.sh). On Debian it installs what is missing with apt.
set -euo pipefail
cd "$(dirname "$0")"
build=${BUILD_DIR:-build}

packages=(cmake g++ qt6-base-dev)
case ${1:-} in
    run) ;;
    release) [ -n "${2:-}" ] || { echo "usage: $0 release DIR" >&2; exit 64; }
             packages+=(dpkg-dev file osslsigncode apt-utils gpg gpg-agent) ;;
    test | test-linux) packages+=(xvfb xauth xdotool xclip python3-xlib xfce4-settings mutter python3-gi gir1.2-glib-2.0 wl-clipboard qt6-wayland python3
                                  dpkg-dev file desktop-file-utils appstream lintian devscripts man-db
                                  openssl faketime osslsigncode reuse apt-utils gpg gpg-agent gpgv msitools dbus-daemon dbus-bin)
                 # KDE's Klipper: in Debian 12 a program of its own (in Plasma 6, part of plasmashell).
                 [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" != bookworm ] || packages+=(plasma-workspace libglib2.0-bin) ;;
    *) echo "usage: $0 run|test|test-linux|release DIR" >&2; exit 64 ;;
esac
# The release check validates the SBOM with the CycloneDX library from npm.
[ "${1:-}" != test ] || command -v npm >/dev/null || packages+=(npm)
# It runs the Debian source package's autopkgtests and reprotest (which builds on this system).
[ "${1:-}" != test ] || packages+=(autopkgtest reprotest debhelper disorderfs)
if command -v dpkg-query >/dev/null; then toolchains/install-missing.sh "${packages[@]}"; fi

configure_and_build() { # DIR [cmake options]
    [ -f "$1/CMakeCache.txt" ] || cmake -S . -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:2}"
    cmake --build "$1" --parallel "$(nproc)"
}

[ "$1" != release ] || exec packaging/release.sh "$2"
if [ "$1" = test ]; then
    sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
    # With no cache, the Windows toolkit's build is most of the run, and making
    # the roots is mostly waiting for downloads: both start now, beside the
    # Linux legs, each in a process group of its own, stopped if this run ends.
    [ -z "$sudo" ] || sudo -v # asks for the password here, not in the background
    mkdir -p "$build" && set -m
    { $sudo toolchains/debian-root.sh toolchains/qt-windows.sh
      echo "== Windows toolkit ready after $SECONDS s"; } </dev/null >"$build/toolkit.log" 2>&1 & toolkit=$!
    # The Windows leg's packages (wine), while the toolkit builds.
    { $sudo toolchains/debian-root.sh toolchains/windows-build.sh build-windows deps
      echo "== Windows leg's packages ready after $SECONDS s"; } </dev/null >"$build/wine.log" 2>&1 & wine=$!
    # The Debian source package through Debian's own tools, mostly waiting for apt and dpkg.
    { $sudo rm -rf debian-check && $sudo tests/debian_package.sh "$PWD"
      echo "== Debian package checked after $SECONDS s"; } </dev/null >"$build/debian.log" 2>&1 & debian=$!
    set +m && trap '$sudo kill -- -$toolkit -$wine -$debian 2>/dev/null || true' EXIT
fi
configure_and_build "$build"
[ "$1" != run ] || exec "$build/app/proxy-password" "${@:2}"
ctest --test-dir "$build" --output-on-failure --no-tests=error
configure_and_build "$build-sanitize" -DSANITIZE=ON
ctest --test-dir "$build-sanitize" --output-on-failure --no-tests=error

echo "== Linux leg passed in $SECONDS s"

if [ "$1" = test ]; then
    SECONDS=0
    $sudo toolchains/debian-root.sh env BUILD_DIR=build-qt6.8 ./dev.sh test-linux
    echo "== Qt 6.8 leg passed in $SECONDS s"
    await() { # JOB: a background job's end, and its figures
        wait "${!1}" || { cat "$build/$1.log"; echo "FAIL: the $1 job" >&2; exit 1; }
        grep -h -e '^==' -e 'built in' "$build/$1.log"
    }
    await wine && await toolkit
    SECONDS=0
    $sudo toolchains/debian-root.sh tests/windows_leg.sh build-windows
    echo "== Windows leg passed in $SECONDS s"
    SECONDS=0
    tests/release.sh "$PWD"
    echo "== Release check passed in $SECONDS s"
    await debian
fi
