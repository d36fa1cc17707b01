#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The release command, run in two clones of the last commit at different paths
# and times, signed with a certificate and an OpenPGP key made for the test
# (and refusing another key), gives the same files, signatures and apt
# repository included (the .debs are built once: a .buildinfo records its
# build's date); every program, DLL and the MSI carries a signature that
# verifies; a release made with the signatures taken from the signed one, into
# a folder that holds an earlier release, is that one, byte for byte, and keeps
# the earlier packages in its repository; the OpenPGP signatures of SHA256SUMS
# and of the source tarball verify.
# The Debian source package, the .debs and their .buildinfo pass Debian 13's
# lintian at its strictest (it also reads the manual pages with man); a .deb
# passes hardening-check on both programs, and the desktop entry and metainfo
# validators. The
# SBOM is valid CycloneDX 1.6 and lists every release file with its checksum;
# the winget manifests hold the MSI's own values. The apt repository, served over HTTP to clean Debian 12 and 13
# roots and set up as the administrators' guide says, installs either version
# by request and a package that works, refuses another key's signature, and
# installs the arm64 package, which works under qemu (apt_client.sh). Needs
# root (or sudo) and the Debian roots.
# Usage (the last step of ./dev.sh test): release.sh SOURCE_DIR
set -euo pipefail
src=$1
tmp=$(mktemp -d /var/tmp/proxy-password-release.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

release() { # CLONE OUT [VARIABLE=VALUE...]: the release command in a clone of the last commit
    [ -d "$tmp/$1" ] || git clone -q "$src" "$tmp/$1"
    env "${@:3}" "$tmp/$1/dev.sh" release "$tmp/$1/$2" >/dev/null
}
fail() { echo "FAIL: $*" >&2; exit 1; }
sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
. "$src/toolchains/settings.sh"
# Signed with a certificate made now, dated 2000 since it signs at the commit's time, and an
# OpenPGP key (Ed25519, as Debian 13's apt takes) made now, as a maintainer's first key is;
# another key signs what apt must refuse, and the release command must refuse it.
mkdir -m 700 "$tmp/key" && head -c 32 /dev/urandom | base64 >"$tmp/key/password"
faketime 2000-01-01 openssl req -x509 -newkey rsa:3072 -nodes -days 36500 -subj "/CN=Proxy Password test" \
    -addext extendedKeyUsage=codeSigning -keyout "$tmp/key/key.pem" -out "$tmp/key/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$tmp/key/key.pem" -in "$tmp/key/cert.pem" -passout "file:$tmp/key/password" \
    -out "$tmp/key/key.p12"
declare -A fpr
for name in release other; do
    gpg=(gpg --homedir "$tmp/key/$name" --batch --pinentry-mode loopback --passphrase-file "$tmp/key/password")
    mkdir -m 700 "$tmp/key/$name" && "${gpg[@]}" --quick-gen-key "$name" ed25519 sign never 2>/dev/null \
        && "${gpg[@]}" --export-secret-keys >"$tmp/key/$name.pgp" && gpgconf --homedir "$tmp/key/$name" --kill gpg-agent
    fpr[$name]=$("${gpg[@]}" --with-colons --list-keys | grep -m1 '^fpr:' | cut -d: -f10)
done
signing=(SIGN_PKCS12="$tmp/key/key.p12" SIGN_PASSWORD_FILE="$tmp/key/password" OPENPGP_FINGERPRINT="${fpr[release]}"
         OPENPGP_KEY="$tmp/key/release.pgp" OPENPGP_PASSWORD_FILE="$tmp/key/password")
! OPENPGP_KEY="$tmp/key/other.pgp" OPENPGP_FINGERPRINT="${fpr[release]}" "$src/packaging/openpgp-sign.sh" --check 2>"$tmp/refused" \
    && grep -q "${fpr[other]}.*${fpr[release]}" "$tmp/refused" || fail "signs with a key other than the release key"
clean=() && for suite in "${suites[@]}"; do # the clean roots for the apt repository (below), made beside the releases
    [ -e "$cache/$suite-clean/.ready" ] || $sudo env DEBIAN_SUITE=$suite DEBIAN_ROOT=$suite-clean "$src/toolchains/debian-root.sh" \
        toolchains/clean-root.sh $suite >/dev/null & clean+=($!)
done
signed=$tmp/one/signed
release one signed "${signing[@]}" & one=$!  # side by side: the two cores are not both busy in either
release other/clone signed "${signing[@]}"; wait $one
diff -r "$signed" "$tmp/other/clone/signed" || fail "two signed releases differ"
(mkdir "$tmp/unzipped" && cd "$tmp/unzipped" && cmake -E tar xf "$signed"/*.zip)
for file in $(find "$tmp/unzipped" -name '*.exe' -o -name '*.dll') "$signed"/*.msi; do
    osslsigncode verify -CAfile "$tmp/key/cert.pem" -in "$file" >/dev/null || fail "$file"
done
# What anyone can do to check a signed release against its commit; this build,
# on the other clone's kept build folders, also shows the unsigned files the same.
"$src/packaging/authenticode-signatures.sh" "$signed" "$tmp/signatures"
# Made into a folder that holds an earlier release (its packages: these, as version 0.9.0), it
# keeps that release's packages in its apt repository (tried below) and lists only its own files.
earlier=$tmp/other/clone/transplanted/debian/pool/main/p/proxy-password && mkdir -p "$earlier"
for deb in "$signed"/*_amd64.deb; do
    rm -rf "$tmp/repack" && dpkg-deb -R "$deb" "$tmp/repack" && sed -i 's/^Version: [^~]*/Version: 0.9.0/' "$tmp/repack/DEBIAN/control"
    dpkg-deb -b --root-owner-group "$tmp/repack" "$earlier" >/dev/null
done
release other/clone transplanted SIGNATURES_FROM="$tmp/signatures" "${signing[@]:2}"
diff "$signed/SHA256SUMS" "$tmp/other/clone/transplanted/SHA256SUMS" || fail "transplanted signatures"
# The source tarball's OpenPGP signature, as uscan checks it (SHA256SUMS's: apt_client.sh, with sqv).
gpgv --keyring "$signed/proxy-password-archive-keyring.pgp" "$signed"/proxy-password-*.tar.gz{.asc,} 2>/dev/null || fail "the source tarball's signature"

# Debian 13's lintian, at the strictest level ftp-masters read, but for what the package overrides with its reason.
(cd "$tmp/one" && $sudo toolchains/debian-root.sh toolchains/install-missing.sh lintian >/dev/null && $sudo toolchains/debian-root.sh \
    lintian --pedantic --fail-on error,warning,info,pedantic --allow-root signed/*.dsc signed/*.deb signed/*.buildinfo) || fail lintian
debs=("$signed"/*_amd64.deb) deb=$tmp/deb && dpkg -x "${debs[0]}" "$deb"
# lintian sees no PIE or RELRO, but not lazy binding, a missing stack protector or unfortified
# calls. Not asked for: control-flow protection, which needs every object linked to carry it,
# the C library's start files too, and Debian's do not; branch protection, an arm64 feature
# (the option is not in Debian 12's tool).
hardening-check --nocfprotection $(hardening-check --help 2>&1 | grep -o -- --nobranchprotection) "$deb"/usr/bin/*
desktop-file-validate "$deb"/usr/share/applications/*.desktop
appstreamcli validate --no-net --pedantic "$deb"/usr/share/metainfo/*.metainfo.xml

# The SBOM, validated with the CycloneDX library (from npm, kept in the cache).
[ -d "$cache/npm/node_modules/@cyclonedx/cyclonedx-library" ] || npm install --no-save --no-audit --no-fund \
    --prefix "$cache/npm" @cyclonedx/cyclonedx-library@10.3.0 ajv@8.17.1 ajv-formats@3.0.1 ajv-formats-draft2019@1.6.1 >/dev/null
sbom=$(echo "$signed"/*.cdx.json)
NODE_PATH="$cache/npm/node_modules" node "$src/tests/sbom_schema.js" "$sbom"
python3 "$src/tests/sbom_contents.py" "$sbom" "$signed"

# The winget manifests, in the community repository's layout: the MSI's own codes, version and
# SHA-256 (the one SHA256SUMS lists).
python3 "$src/tests/winget_manifests.py" "$signed"

# The apt repository as an administrator uses it, served over HTTP, in clean Debian 12 and
# 13 roots (apt_client.sh); the arm64 package that apt installs must work under qemu.
mkdir "$tmp/served" && cp -r "$tmp/other/clone/transplanted" "$tmp/served/good"
cp -r "$signed" "$tmp/served/other"
OPENPGP_KEY="$tmp/key/other.pgp" OPENPGP_PASSWORD_FILE="$tmp/key/password" OPENPGP_FINGERPRINT="${fpr[other]}" \
    SOURCE_DATE_EPOCH="$(date +%s)" "$src/packaging/openpgp-sign.sh" "$tmp/served/other" >/dev/null
python3 -u -m http.server --bind 127.0.0.1 --directory "$tmp/served" 0 >"$tmp/server" 2>/dev/null & # on a free port
server=$! && trap 'kill $server; $sudo rm -rf "$tmp"' EXIT
until port=$(grep -o 'port [0-9]*' "$tmp/server" | cut -d' ' -f2) && [ -n "$port" ]; do sleep 0.1; done
for pid in "${clean[@]}"; do wait "$pid" || fail "a clean root"; done
# The guide's commands that set apt up (its lines that begin with a command and name /etc/apt/).
guide=$(sed -n '/^### Installing with apt/,/^### /p' "$src/docs/administrators.md" | grep -E '^(sudo|printf) .*/etc/apt/' |
        sed "s/sudo //g; s|https://[^ ']*/debian|http://127.0.0.1:$port/good/debian|")
for suite in "${suites[@]}"; do ( # both at once: they mostly wait for apt and dpkg
    mkdir -p "$cache/apt-$suite/partial" && $sudo cp -a "$cache/$suite-clean" "$tmp/$suite" && $sudo cp "$signed"/*.pgp "$signed"/SHA256SUMS* "$tmp/$suite/root/"
    printf '%s\n' "$guide" | $sudo tee "$tmp/$suite/root/guide" >/dev/null
    $sudo env DEBIAN_ROOT="$tmp/$suite" "$tmp/one/toolchains/debian-root.sh" tests/apt_client.sh guide \
        || fail "the repository in a clean $suite root"
) & done
wait -n; wait -n
