#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Makes the release files of this commit in DIR: the Debian source package
# and a .deb per Debian release and architecture, each with the .buildinfo of
# its sbuild build (packaging/debian.sh), the Windows zip and installer (MSI)
# of the staged programs (packaging/windows-stage.sh, windows-zip.py, msi.sh),
# their SBOM (packaging/sbom.py), the source tarball (packaging/source-tarball.sh),
# SHA256SUMS over them, the apt repository of the
# .debs in DIR/debian (packaging/repository.sh; it keeps the packages of an
# earlier release made into DIR) and the MSI's winget manifests in
# DIR/winget (packaging/winget.py). Builds of the same commit from
# the same Debian packages give the same bytes: the dates are the commit's (a
# .buildinfo records its build's own date, and a release made again takes the
# .debs already built from the cache, with their .buildinfo).
# With SIGN_PKCS12 (a PKCS#12 file: code-signing certificate and key) and
# SIGN_PASSWORD_FILE (a file holding its password), every Windows program,
# DLL and the MSI are signed (packaging/authenticode-sign.sh), just as reproducibly; with
# SIGNATURES_FROM (from packaging/authenticode-signatures.sh), they get a published
# release's signatures instead. With OPENPGP_KEY (and OPENPGP_PASSWORD_FILE),
# SHA256SUMS, the source tarball and the repository are signed with OpenPGP (packaging/openpgp-sign.sh),
# if it is the release key (packaging/release-key.fingerprint, or the key that
# OPENPGP_FINGERPRINT names): that is checked first.
# Usage (via ./dev.sh release DIR): packaging/release.sh DIR
set -euo pipefail
out=$(realpath -m "$1")
signing=()
[ -z "${SIGN_PKCS12:-}" ] || signing=("$(realpath "$SIGN_PKCS12")" "$(realpath "${SIGN_PASSWORD_FILE:?}")")
[ -z "${SIGNATURES_FROM:-}" ] || signatures=$(realpath "$SIGNATURES_FROM")
[ -z "${OPENPGP_KEY:-}" ] || OPENPGP_KEY=$(realpath "$OPENPGP_KEY")
[ -z "${OPENPGP_PASSWORD_FILE:-}" ] || OPENPGP_PASSWORD_FILE=$(realpath "$OPENPGP_PASSWORD_FILE")
cd "$(dirname "$0")/.."
[ -z "${OPENPGP_KEY:-}" ] || packaging/openpgp-sign.sh --check
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH TZ=UTC
sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo

# The Debian source package, and its .debs and their .buildinfo built by sbuild.
. toolchains/settings.sh
mapfile -t debian < <($sudo packaging/debian.sh build-release/debian "${targets[@]}")
debian=("${debian[@]#"$PWD/"}") && mapfile -t debs < <(printf '%s\n' "${debian[@]}" | grep '\.deb$')
# The Windows packages, in the Debian 13 root: the programs built and staged, signed, then packed.
# The root sees only this tree and the cache: the key and its password stay in
# the build folder, readable by root alone, while they sign.
in_root() { $sudo toolchains/debian-root.sh env SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" "$@"; }
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
in_root toolchains/windows-build.sh build-release-windows release >/dev/null
staged=$(in_root packaging/windows-stage.sh build-release-windows | tail -n1) # named as the packages are
windows=(build-release-windows/"${staged##*/}".zip build-release-windows/"${staged##*/}".msi)
in_root env "${sign[@]}" packaging/authenticode-sign.sh $(find "$staged" -name '*.exe' -o -name '*.dll')
in_root python3 packaging/windows-zip.py "$staged" "${windows[0]}"
in_root packaging/msi.sh "$staged" "${windows[1]}" "$project_version" build-release-windows/proxy-password.ico
in_root env "${sign[@]}" packaging/authenticode-sign.sh "${windows[1]}"

sbom=build-release-windows/proxy-password-"$project_version".cdx.json
qt=$(in_root toolchains/qt-windows.sh | tail -n1) # the toolkit's prefix in the root, which has its SBOM
in_root python3 packaging/sbom.py "$sbom" "$project_version" "${windows[@]}" "$qt" build-release-windows/mingw-runtime.txt "${debian[@]}"
in_root python3 packaging/winget.py build-release-windows/winget "${windows[1]}"
mkdir -p "$out"
cp "${debian[@]}" "${windows[@]}" "$sbom" "$out" && cp -r build-release-windows/winget "$out"
packaging/repository.sh "$out/debian" "${debs[@]}"
source=$(packaging/source-tarball.sh "$out")
files=("${debian[@]}" "${windows[@]}" "$sbom" "$source") # this release's: DIR may hold an earlier one too
(cd "$out" && sha256sum -- "${files[@]##*/}" >SHA256SUMS)
if [ -n "${OPENPGP_KEY:-}" ]; then
    packaging/openpgp-sign.sh "$out"
else
    echo "release.sh: no OPENPGP_KEY: SHA256SUMS and the apt repository are not signed" >&2
fi
cat "$out/SHA256SUMS"
