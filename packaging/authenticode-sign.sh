#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Signs Windows programs, libraries and installers in place (Authenticode,
# SHA-256) when SIGN_PKCS12 names a PKCS#12 file with a code-signing
# certificate and its key and SIGN_PASSWORD_FILE a file holding its password.
# The signing time is SOURCE_DATE_EPOCH's, so a signed release is as
# reproducible as an unsigned one. SIGN_TIMESTAMP_URL adds an RFC 3161
# timestamp from that server (which no build here can reach; each differs).
# With SIGNATURES_FROM instead (a folder of FILE.sig, see authenticode-signatures.sh), it
# attaches those signatures, which anyone can do to check a signed release.
# Without either it does nothing. Usage: packaging/authenticode-sign.sh FILE...
set -euo pipefail
. "$(dirname "$0")/../toolchains/settings.sh"
for file; do
    if [ -n "${SIGNATURES_FROM:-}" ]; then
        osslsigncode attach-signature -sigin "$SIGNATURES_FROM/$(basename "$file").sig" \
            -CAfile "$SIGNATURES_FROM/certificates.pem" -in "$file" -out "$file.signed" >/dev/null
    elif [ -n "${SIGN_PKCS12:-}" ]; then
        osslsigncode sign -pkcs12 "$SIGN_PKCS12" -readpass "${SIGN_PASSWORD_FILE:?}" -h sha256 \
            -time "${SOURCE_DATE_EPOCH:?}" -n "Proxy Password" -i "$project_homepage" \
            ${SIGN_TIMESTAMP_URL:+-ts "$SIGN_TIMESTAMP_URL"} -in "$file" -out "$file.signed" >/dev/null
    else
        exit 0
    fi
    touch --reference="$file" "$file.signed" # its date kept, for the packages made of it
    mv "$file.signed" "$file"
done
