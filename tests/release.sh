#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# The release command, run in two clones of the last commit at different paths
# and times, signed with a certificate made for the test, gives the same files;
# every program, DLL and the MSI carries a signature that verifies; a release
# made with the signatures taken from the signed one is that one, byte for
# byte. The SBOM is valid CycloneDX 1.6 and lists every release file and every
# file inside each with its checksum. The .deb passes Debian's own checks
# (lintian, hardening-check on both programs, man on the manual pages, the
# desktop entry and metainfo validators), and installs with apt on Debian 13
# and works there (the real window on Wayland, the encoder). This needs root
# (or sudo) and the Debian 13 root.
# Usage: release.sh SOURCE_DIR APP_ID
set -euo pipefail
src=$1 app_id=$2
tmp=$(mktemp -d /var/tmp/proxy-password-release.XXXXXX)
trap 'rm -rf "$tmp"' EXIT

release() { # CLONE OUT [VARIABLE=VALUE...]: the release command in a clone of the last commit
    [ -d "$tmp/$1" ] || git clone -q "$src" "$tmp/$1"
    env "${@:3}" "$tmp/$1/dev.sh" release "$tmp/$1/$2" >/dev/null
}
same() { diff "$tmp/one/$1/SHA256SUMS" "$tmp/other/clone/$2/SHA256SUMS" || { echo "FAIL: $1, $2" >&2; exit 1; }; }
# Signed with a certificate made now (valid from 2000, since it signs at the commit's time).
mkdir -m 700 "$tmp/key" && head -c 32 /dev/urandom | base64 >"$tmp/key/password"
faketime 2000-01-01 openssl req -x509 -newkey rsa:3072 -nodes -days 36500 -subj "/CN=Proxy Password test" \
    -addext extendedKeyUsage=codeSigning -keyout "$tmp/key/key.pem" -out "$tmp/key/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$tmp/key/key.pem" -in "$tmp/key/cert.pem" -passout "file:$tmp/key/password" \
    -out "$tmp/key/key.p12"
signing=(SIGN_PKCS12="$tmp/key/key.p12" SIGN_PASSWORD_FILE="$tmp/key/password")
release one signed "${signing[@]}" && release other/clone signed "${signing[@]}" && same signed signed
(mkdir "$tmp/unzipped" && cd "$tmp/unzipped" && cmake -E tar xf "$tmp"/one/signed/*.zip)
for file in $(find "$tmp/unzipped" -name '*.exe' -o -name '*.dll') "$tmp"/one/signed/*.msi; do
    osslsigncode verify -CAfile "$tmp/key/cert.pem" -in "$file" >/dev/null || { echo "FAIL: $file" >&2; exit 1; }
done
# What anyone can do to check a signed release against its commit; this unsigned
# build from the other clone also shows the unsigned files the same.
"$src/platform/signatures.sh" "$tmp/one/signed" "$tmp/signatures"
release other/clone transplanted SIGNATURES_FROM="$tmp/signatures" && same signed transplanted

lintian --fail-on error,warning --allow-root "$tmp"/one/signed/*.deb
dpkg -x "$tmp"/one/signed/*.deb "$tmp/deb"
# Not asked for: control-flow protection, which needs every object linked to
# carry it, the C library's start files too, and Debian's do not; branch
# protection, an arm64 feature (the option is not in Debian 12's tool).
hardening-check --nocfprotection $(hardening-check --help 2>&1 | grep -o -- --nobranchprotection) "$tmp"/deb/usr/bin/*
warnings=$(MANWIDTH=80 man --warnings -l "$tmp"/deb/usr/share/man/man1/*.1.gz 2>&1 >/dev/null)
[ -z "$warnings" ] || { echo "FAIL: man: $warnings" >&2; exit 1; }
desktop-file-validate "$tmp/deb/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net --pedantic "$tmp/deb/usr/share/metainfo/$app_id.metainfo.xml"

# The SBOM, validated with the CycloneDX library (from npm, kept in the cache).
npm=${PROXY_PASSWORD_CACHE:-/var/cache/proxy-password}/npm
[ -d "$npm/node_modules/@cyclonedx/cyclonedx-library" ] || npm install --no-save --no-audit --no-fund \
    --prefix "$npm" @cyclonedx/cyclonedx-library@10.3.0 ajv@8.17.1 ajv-formats@3.0.1 ajv-formats-draft2019@1.6.1 >/dev/null
sbom=$(echo "$tmp"/one/signed/*.cdx.json)
(cd "$npm" && node -e 'const c = require("@cyclonedx/cyclonedx-library");
    new c.Validation.JsonStrictValidator("1.6").validate(require("fs").readFileSync(process.argv[1], "utf8"))
        .then(e => { if (e) { console.error("FAIL: SBOM:", JSON.stringify(e)); process.exit(1) } })' "$sbom")
python3 - "$sbom" "$tmp/one/signed" "$tmp"/unzipped/* "$tmp/deb" <<'CHECK'
import hashlib, json, os, sys
sbom, signed, unzipped, deb = sys.argv[1:]
sha = lambda path: hashlib.sha256(open(path, "rb").read()).hexdigest()
tree = lambda root: {os.path.relpath(os.path.join(d, f), root): sha(os.path.join(d, f)) for d, _, fs in os.walk(root) for f in fs}
hashes = lambda components: {c["name"]: c["hashes"][0]["content"] for c in components}
packages = [c for c in json.load(open(sbom))["components"] if c["type"] == "file"]
assert hashes(packages) == {name: h for name, h in tree(signed).items() if name.endswith((".deb", ".zip", ".msi"))}
for package in packages:
    assert hashes(package["components"]) == tree(deb if package["name"].endswith(".deb") else unzipped), package["name"]
CHECK

sudo=; [ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo "$tmp/one/platform/trixie.sh" bash -c "set -e
    platform/install-missing.sh ./signed/proxy-password_*_amd64.deb sway wtype wl-clipboard
    trap 'apt-get purge -y -qq proxy-password >/dev/null' EXIT
    tests/real_window.sh wayland /usr/bin/proxy-password $app_id
    [ \"\$(printf 'abc\n' | proxy-password-encode)\" = 00000004789c8b0cf7ca0200036b0165 ]"
