#!/usr/bin/env bash
# Installs everything Quarn needs to build, test and run on Debian 12, from Debian's packages.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
    build-essential cmake ninja-build pkg-config \
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins qt6-image-formats-plugins libqt6multimedia6 \
    libmpg123-dev libnatpmp-dev libminiupnpc-dev \
    libgtest-dev libgmock-dev libbenchmark-dev liblz4-dev \
    xvfb xauth x11-apps dbus-daemon \
    clang clang-format libclang-rt-14-dev llvm-14
