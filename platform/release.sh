#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Makes the release files of this commit in DIR: the .deb (built on this
# Debian 12 system; it installs on Debian 13 too), the Windows zip and
# installer (MSI), their SBOM (platform/sbom.py), and SHA256SUMS over them.
# Every build of the same commit gives the same bytes, wherever and whenever
# it is made: the dates are the commit's. With SIGN_PKCS12 (a PKCS#12 file: code-signing certificate and
# key) and SIGN_PASSWORD_FILE (a file holding its password), every Windows
# program, DLL and the MSI are signed (platform/sign.sh), just as reproducibly;
# with SIGNATURES_FROM (from platform/signatures.sh), they get a published
# release's signatures instead.
# Usage (via ./dev.sh release DIR): platform/release.sh DIR
set -euo pipefail
out=$(realpath -m "$1")
signing=()
[ -z "${SIGN_PKCS12:-}" ] || signing=("$(realpath "$SIGN_PKCS12")" "$(realpath "${SIGN_PASSWORD_FILE:?}")")
[ -z "${SIGNATURES_FROM:-}" ] || signatures=$(realpath "$SIGNATURES_FROM")
cd "$(dirname "$0")/.."
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC
sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo

rm -rf build-release build-release-windows
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-release --parallel "$(nproc)" >/dev/null
(cd build-release && cpack -G DEB >/dev/null)
# The Debian 13 root sees only this tree and the cache: the key and its
# password stay in the build folder, readable by root alone, for the build.
keys=build-release-windows/signing sign=()
mkdir -p -m 700 "$keys"
trap 'rm -rf "$keys"' EXIT
if [ ${#signing[@]} -gt 0 ]; then
    install -m 600 "${signing[0]}" "$keys/key.p12" && install -m 600 "${signing[1]}" "$keys/password"
    sign=(SIGN_PKCS12="/src/$keys/key.p12" SIGN_PASSWORD_FILE="/src/$keys/password"
          SIGN_TIMESTAMP_URL="${SIGN_TIMESTAMP_URL:-}")
elif [ -n "${signatures:-}" ]; then
    cp -r "$signatures" "$keys/signatures" && sign=(SIGNATURES_FROM="/src/$keys/signatures")
fi
$sudo platform/trixie.sh env SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" "${sign[@]}" \
    platform/windows.sh build-release-windows package >/dev/null

version=$(dpkg-deb -f build-release/proxy-password_*.deb Version)
files=(build-release/proxy-password_"$version"_amd64.deb build-release-windows/proxy-password-"$version"-win64.zip
       build-release-windows/proxy-password-"$version"-win64.msi)
$sudo platform/trixie.sh env SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" bash -c 'python3 "$@" "$(platform/qt-windows.sh | tail -n1)"' \
    bash platform/sbom.py build-release-windows/proxy-password-"$version".cdx.json "$version" "${files[@]}"
mkdir -p "$out"
cp "${files[@]}" build-release-windows/proxy-password-"$version".cdx.json "$out"
(cd "$out" && sha256sum -- *.deb *.zip *.msi *.cdx.json >SHA256SUMS && cat SHA256SUMS)
