#!/usr/bin/env bash
# Sets up what is missing, builds, and then runs the program or every test.
#   ./dev.sh run [toolkit options]   open the Proxy Password window
#   ./dev.sh test                    run the whole test suite
# On Debian/Ubuntu it installs missing packages with apt (as root or via sudo).
set -euo pipefail
cd "$(dirname "$0")"
build=${BUILD_DIR:-build}

packages=(cmake g++ qt6-base-dev)
case ${1:-} in
    run) ;;
    test) packages+=(zlib1g-dev xvfb xauth xdotool xclip python3) ;;
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

[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --parallel "$(nproc 2>/dev/null || echo 2)"

case $1 in
    run) shift; exec "$build/app/proxy-password" "$@" ;;
    test) ctest --test-dir "$build" --output-on-failure --no-tests=error ;;
esac
