#!/bin/sh
# Installs what a fresh Debian machine lacks to build, test and run radiocps.
set -e
# dpkg-dev and file: the package test computes the package's dependencies;
# appstream: it validates the AppStream metadata. qttranslations5-l10n: Qt's
# own Chinese texts for the Chinese window's standard dialogs.
PACKAGES="cmake g++ make qtbase5-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools fonts-wqy-microhei fp-utils
          dpkg-dev file appstream qttranslations5-l10n"
# `setup.sh hardening`: also the sanitizer, fuzzing and memcheck tools.
[ "${1:-}" = hardening ] && PACKAGES="$PACKAGES clang libclang-rt-14-dev valgrind"
# `setup.sh package`: also lintian for `make package`.
[ "${1:-}" = package ] && PACKAGES="$PACKAGES lintian"

missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
$SUDO apt-get update -qq
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
