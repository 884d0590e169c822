#!/usr/bin/env bash
# cmake --install puts everything in its place, and what it installs passes the freedesktop
# validators. Usage: install_test.sh <build-dir>
set -uo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null || { echo "FAIL install"; exit 1; }
fail=0
check() { [ -e "$root/usr/$1" ] || { echo "FAIL missing /usr/$1"; fail=1; }; }
program=$(readlink -f "$root/usr/bin/zellwerk")
[ -x "$program" ] || { echo "FAIL bin/zellwerk does not lead to the program"; fail=1; }
dir=$(dirname "$program")
for f in Help.pdf Zellwerk.ico; do [ -s "$dir/$f" ] || { echo "FAIL $f is not next to the program"; fail=1; }; done
for f in applications/zellwerk.desktop mime/packages/zellwerk.xml \
    metainfo/de.brunfeld.zellwerk.metainfo.xml icons/hicolor/scalable/apps/zellwerk.svg \
    man/man1/zellwerk-cli.1 bash-completion/completions/zellwerk-cli; do check share/$f; done
for s in 16 32 48 64 128 256; do check share/icons/hicolor/${s}x${s}/apps/zellwerk.png; done
check bin/zellwerk-cli
share=$root/usr/share
warnings=$(! command -v groff >/dev/null || groff -man -ww -z "$share/man/man1/zellwerk-cli.1" 2>&1)
[ -z "$warnings" ] || { echo "FAIL the manual page: $warnings"; fail=1; }
bash -n "$share/bash-completion/completions/zellwerk-cli" || fail=1
! command -v desktop-file-validate >/dev/null ||
    desktop-file-validate "$share/applications/zellwerk.desktop" || fail=1
! command -v appstreamcli >/dev/null ||
    appstreamcli validate --no-net "$share/metainfo/de.brunfeld.zellwerk.metainfo.xml" || fail=1
! command -v xmllint >/dev/null || xmllint --noout "$share/mime/packages/zellwerk.xml" || fail=1
[ $fail -eq 0 ] && echo "install test passed"
exit $fail
