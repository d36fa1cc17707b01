#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Signs a release with its OpenPGP key (OPENPGP_KEY: the secret key as gpg
# exports it; OPENPGP_PASSWORD_FILE: a file holding its passphrase, if it has
# one): SHA256SUMS (SHA256SUMS.asc, detached) and the apt repository's suites
# (InRelease, and Release.gpg for older clients); and publishes the public
# key, binary (the keyring apt's Signed-By takes) and armored, beside them and
# in the repository. Signed at SOURCE_DATE_EPOCH's time: an Ed25519 or RSA
# signature of the same bytes at the same time is the same, so the release
# stays reproducible.
# Usage: packaging/openpgp.sh RELEASE_DIR
set -euo pipefail
out=$(realpath "$1")
GNUPGHOME=$(mktemp -d)
export GNUPGHOME
trap 'gpgconf --kill gpg-agent; rm -rf "$GNUPGHOME"' EXIT
gpg --batch --quiet --import "${OPENPGP_KEY:?}" 2>/dev/null
key=$(gpg --batch --with-colons --list-secret-keys | awk -F: '$1 == "fpr" { print $10; exit }')
sign() { # gpg's signing options, then its own
    gpg --batch --yes --quiet --local-user "$key" --faked-system-time "${SOURCE_DATE_EPOCH:?}!" --digest-algo SHA512 \
        --pinentry-mode loopback ${OPENPGP_PASSWORD_FILE:+--passphrase-file "$OPENPGP_PASSWORD_FILE"} "$@" \
        2> >(grep -v "faked system time" >&2)
}
gpg --batch --export "$key" >"$out/proxy-password-archive-keyring.pgp"
gpg --batch --armor --export "$key" >"$out/proxy-password-archive-keyring.asc"
cp "$out"/proxy-password-archive-keyring.* "$out/debian/" # at the repository's address too
sign --armor --detach-sign --output "$out/SHA256SUMS.asc" "$out/SHA256SUMS"
for release in "$out"/debian/dists/*/Release; do
    sign --clearsign --output "$(dirname "$release")/InRelease" "$release"
    sign --armor --detach-sign --output "$release.gpg" "$release"
done
echo "openpgp.sh: signed with $key"
