#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Takes the signatures out of a signed release: of every program and DLL in
# its zip and of its MSI, one NAME.sig each in SIGNATURES, and the
# certificates they carry (certificates.pem). A release built
# from the same commit with SIGNATURES_FROM=SIGNATURES ./dev.sh release DIR
# then carries them, and its SHA256SUMS must be the published ones.
# Usage: packaging/authenticode-signatures.sh RELEASE_DIR SIGNATURES
set -euo pipefail
release=$(realpath "$1") signatures=$(realpath -m "$2")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$signatures"
(cd "$tmp" && cmake -E tar xf "$release"/proxy-password-*-win64.zip)
for file in $(find "$tmp" -name '*.exe' -o -name '*.dll') "$release"/proxy-password-*-win64.msi; do
    osslsigncode extract-signature -in "$file" -out "$signatures/$(basename "$file").sig" >/dev/null
done
# The certificates the signatures carry, which osslsigncode checks an attached signature
# against: whether they are trusted is not the question here, only whether the bytes agree.
osslsigncode extract-signature -pem -in "$file" -out "$tmp/signature.pem" >/dev/null
openssl pkcs7 -in "$tmp/signature.pem" -print_certs -out "$signatures/certificates.pem"
