#!/usr/bin/env bash
# Copyright (C) 2026 The Proxy Password developers
# SPDX-License-Identifier: MIT
# Makes the Windows Installer package of a staged folder (windows-stage.sh's)
# with wixl, from proxy-password.wxs and msi-files.py's list of the folder's
# files.
# The same inputs give the same bytes: the dates are SOURCE_DATE_EPOCH's (wixl
# writes the current time) and the product and package codes are derived from
# the version and the inputs (wixl's package code is random).
# Run inside the trixie root. Usage: packaging/msi.sh FOLDER OUTPUT.msi VERSION ICON
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../toolchains/settings.sh"
folder=$(realpath "$1") out=$(realpath -m "$2") version=$3 icon=$(realpath "$4")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$tmp"
export TZ=UTC SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(stat -c %Y "$here/proxy-password.wxs")}

# The licence page of the installer's dialog shows the folder's LICENSE.
{ echo '{\rtf1\ansi\deff0{\fonttbl{\f0 Tahoma;}}\fs16'
  sed 's/[\\{}]/\\&/g' "$folder/LICENSE" | awk -v RS= '{ gsub(/\n/, " "); print $0 "\\par\\par" }'
  echo '}'; } >License.rtf
upgrade_code=$(grep -o 'UpgradeCode="[^"]*"' "$here/proxy-password.wxs" | cut -d'"' -f2)
python3 "$here/msi-files.py" "$folder" SourceDir "$upgrade_code" >files.wxs
uuid() { uuidgen --sha1 --namespace "$1" --name "$2" | tr a-f A-F; } # NAMESPACE NAME: always the same
facts=(-D Vendor="$project_vendor" -D Description="$project_description" -D Homepage="$project_homepage")
inputs=$( (cd "$folder" && find . -type f | LC_ALL=C sort | xargs -d '\n' sha256sum; cat "$here/proxy-password.wxs" "$icon"
           printf '%s\n' "${facts[@]}") | sha256sum)
faketime -f "$(date -d "@$SOURCE_DATE_EPOCH" "+%F %T")" wixl -a x64 --ext ui -D Win64=yes -D SourceDir="$folder" -D Version="$version" \
    -D ProductCode="$(uuid "$upgrade_code" "$version")" -D Icon="$icon" "${facts[@]}" -o "$out" "$here/proxy-password.wxs" files.wxs
# The PATH entry of the Path component (ADD_TO_PATH=1): the install folder added at the
# end of the system PATH ("*") when installed, and taken away when removed ("-").
# Not by wixl, which gives the row a random key: no two builds would be the same.
printf '%s\t%s\t%s\t%s\n' Environment Name Value Component_ s72 l255 L255 s72 >Environment.idt
printf '%s\t%s\n%s\t%s\t%s\t%s\n' Environment Environment Path '=-*PATH' '[~];[INSTALLDIR]' Path >>Environment.idt
msibuild "$out" -i Environment.idt
msibuild "$out" -q "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('RemoveEnvironmentStrings', 3300)"
msibuild "$out" -q "INSERT INTO InstallExecuteSequence (Action, Sequence) VALUES ('WriteEnvironmentStrings', 5200)"
# The install folder writable by administrators only, wherever it is: a folder made
# under a drive's root would inherit Modify for every signed-in user, who could then
# plant code that an administrator runs (through PATH too). A protected DACL, inherited
# by everything inside, with Program Files' rights, which Windows Installer's
# CreateFolders action sets. wixl does not write this table.
printf '%s\t%s\t%s\t%s\t%s\n' MsiLockPermissionsEx LockObject Table SDDLText Condition s72 s72 s32 s0 S255 >MsiLockPermissionsEx.idt
printf '%s\t%s\n%s\t%s\t%s\t%s\t\n' MsiLockPermissionsEx MsiLockPermissionsEx InstallDir INSTALLDIR CreateFolder \
    'D:PAI(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)' >>MsiLockPermissionsEx.idt
msibuild "$out" -i MsiLockPermissionsEx.idt
msibuild "$out" -s "Proxy Password $version" "$project_vendor" "x64;1033" \
    "{$(uuid "$upgrade_code" "$version $inputs")}"
