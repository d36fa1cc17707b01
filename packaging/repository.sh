#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Makes the apt repository of a release in DIR, a static tree (dists/, pool/)
# that any web server can host, with Debian's apt-ftparchive. The packages of
# earlier releases already in DIR's pool stay and are listed beside the new
# ones, so that apt can install any of them by version. A suite per
# Debian release, each with its main component for the architectures built,
# indexes by hash too (Acquire-By-Hash), and no Valid-Until, since nothing
# signs it again later. Each .deb goes into the suite its version names
# (~deb12u1: bookworm, ~deb13u1: trixie). Dated SOURCE_DATE_EPOCH; signed by
# openpgp-sign.sh. Usage: packaging/repository.sh DIR DEB...
set -euo pipefail
out=$(realpath -m "$1")
shift
declare -A suites # by Debian release number, as distro-info knows them
for suite in $(debian-distro-info --all); do suites[$(debian-distro-info --series="$suite" -r)]=$suite; done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
pool=$out/pool/main/p/proxy-password
rm -rf "$out/dists" && mkdir -p "$pool" && cp "$@" "$pool/"
for deb in "$pool"/*.deb; do
    version=$(dpkg-deb -f "$deb" Version) arch=$(dpkg-deb -f "$deb" Architecture)
    suite=${suites[$(sed -n 's/.*~deb\([0-9]*\)u[0-9]*$/\1/p' <<<"$version")]}
    mkdir -p "$out/dists/$suite/main/binary-$arch"
    echo "pool/main/p/proxy-password/$(basename "$deb")" >>"$tmp/${suite}_$arch"
done
{ echo "Dir { ArchiveDir \"$out\"; CacheDir \"$tmp\"; FileListDir \"$tmp\"; };"
  echo 'Default { Packages::Compress ". xz"; FileMode 0644; };'
  for suite in $(ls "$tmp" | sed 's/_.*//' | sort -u); do
      echo "Tree \"dists/$suite\" { Sections \"main\"; FileList \"${suite}_\$(ARCH)\";"
      echo "  Architectures \"$(ls "$tmp" | sed -n "s/^${suite}_//p" | sort | xargs)\"; };"
  done; } >"$tmp/generate.conf"
options=(-o APT::FTPArchive::Contents=false -o APT::FTPArchive::DoByHash=true
         -o APT::FTPArchive::Release::MD5=false -o APT::FTPArchive::Release::SHA1=false)
apt-ftparchive -qq "${options[@]}" generate "$tmp/generate.conf" >/dev/null
cd "$out/dists"
for suite in *; do
    apt-ftparchive "${options[@]}" -o APT::FTPArchive::Release::Origin="Proxy Password" \
        -o APT::FTPArchive::Release::Label="Proxy Password" -o APT::FTPArchive::Release::Suite="$suite" \
        -o APT::FTPArchive::Release::Codename="$suite" -o APT::FTPArchive::Release::Components=main \
        -o APT::FTPArchive::Release::Architectures="$(ls "$suite/main" | sed 's/^binary-//' | xargs)" \
        -o APT::FTPArchive::Release::Acquire-By-Hash=yes \
        -o APT::FTPArchive::Release::Date="$(date -u -R -d "@${SOURCE_DATE_EPOCH:?}")" \
        release "$suite" >"$tmp/Release" && mv "$tmp/Release" "$suite/Release"
done
