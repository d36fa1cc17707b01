#!/usr/bin/env bash
# Sets up what is missing, builds, and then runs the program or every test.
#   ./dev.sh run [toolkit options]   open the Proxy Password window
#   ./dev.sh test                    run the whole test suite twice: in an
#                                    ordinary build, then in a clang build with
#                                    ASan+UBSan, which also fuzzes the encoding
# On Debian/Ubuntu it installs missing packages with apt (as root or via sudo).
set -euo pipefail
cd "$(dirname "$0")"
build=${BUILD_DIR:-build}
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake g++ qt6-base-dev zlib1g-dev) # zlib: the tests are configured too
case ${1:-} in
    run) ;;
    test) packages+=(xvfb xauth xdotool xclip python3 clang libclang-rt-14-dev
                     dpkg-dev file desktop-file-utils appstream) ;;
    *) echo "usage: $0 run|test" >&2; exit 64 ;;
esac

install_missing() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -gt 0 ] || return 0
    command -v apt-get >/dev/null || { echo "please install: ${missing[*]}" >&2; exit 1; }
    local sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

if command -v dpkg-query >/dev/null; then install_missing "${packages[@]}"; fi

configure_and_build() { # DIR [cmake options]
    local dir=$1; shift
    [ -f "$dir/CMakeCache.txt" ] || cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$dir" --parallel "$jobs"
}

configure_and_build "$build"
case $1 in
    run) shift; exec "$build/app/proxy-password" "$@" ;;
esac
ctest --test-dir "$build" --output-on-failure --no-tests=error
CC=clang CXX=clang++ configure_and_build "$build-sanitize" -DSANITIZE=ON
ctest --test-dir "$build-sanitize" --output-on-failure --no-tests=error
