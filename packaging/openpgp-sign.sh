#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Signs a release with its OpenPGP key (OPENPGP_KEY: the secret key as gpg
# exports it; OPENPGP_PASSWORD_FILE: a file holding its passphrase, if it has
# one): SHA256SUMS and this release's source tarball (.asc, detached) and the apt repository's suites
# (InRelease, and Release.gpg for older clients); and publishes the public
# key, binary (the keyring apt's Signed-By takes) and armored, beside them and
# in the repository. Only the key of the fingerprint in release-key.fingerprint,
# or in OPENPGP_FINGERPRINT, signs. Signed at SOURCE_DATE_EPOCH's time, or at
# the key's own time if it is later (a signature older than its key is
# invalid): an Ed25519 or RSA signature of the same bytes at the same time is
# the same, so the release stays reproducible.
# Usage: packaging/openpgp-sign.sh RELEASE_DIR, or packaging/openpgp-sign.sh --check to
# check the key only.
set -euo pipefail
expected=${OPENPGP_FINGERPRINT-$(sed '/^#/d; s/ //g' "$(dirname "$0")/release-key.fingerprint" | tr -d '\n')}
GNUPGHOME=$(mktemp -d)
export GNUPGHOME
trap 'gpgconf --kill gpg-agent; rm -rf "$GNUPGHOME"' EXIT
gpg --batch --quiet --import "${OPENPGP_KEY:?}" 2>/dev/null
key=$(gpg --batch --with-colons --list-secret-keys | awk -F: '$1 == "fpr" { print $10; exit }')
if [ "${expected^^}" != "$key" ]; then
    echo "openpgp-sign.sh: refusing to sign with $key: the release key is ${expected:-not set (none has been published; OPENPGP_FINGERPRINT=FINGERPRINT names one)}" >&2
    exit 1
fi
[ "$1" != --check ] || exit 0
out=$(realpath "$1")
# The newest of the key's and its signatures' dates (a self-signature may be a second younger than the key).
created=$(gpg --batch --export "$key" | gpg --batch --list-packets | grep -o 'created [0-9]*' | cut -d' ' -f2 | sort -n | tail -n1)
time=$(( ${SOURCE_DATE_EPOCH:?} > created ? SOURCE_DATE_EPOCH : created ))
sign() { # gpg's signing options, then its own
    gpg --batch --yes --quiet --local-user "$key" --faked-system-time "$time!" --digest-algo SHA512 \
        --pinentry-mode loopback ${OPENPGP_PASSWORD_FILE:+--passphrase-file "$OPENPGP_PASSWORD_FILE"} "$@" \
        2> >(grep -v "faked system time" >&2)
}
gpg --batch --export "$key" >"$out/proxy-password-archive-keyring.pgp"
gpg --batch --armor --export "$key" >"$out/proxy-password-archive-keyring.asc"
cp "$out"/proxy-password-archive-keyring.* "$out/debian/" # at the repository's address too
sign --armor --detach-sign --output "$out/SHA256SUMS.asc" "$out/SHA256SUMS"
for tarball in $(awk '/ proxy-password-.*\.tar\.gz$/ { print $2 }' "$out/SHA256SUMS"); do # this release's source
    sign --armor --detach-sign --output "$out/$tarball.asc" "$out/$tarball"
done
for release in "$out"/debian/dists/*/Release; do
    sign --clearsign --output "$(dirname "$release")/InRelease" "$release"
    sign --armor --detach-sign --output "$release.gpg" "$release"
done
echo "openpgp-sign.sh: signed with $key"
