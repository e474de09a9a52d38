#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12 (as root). Skips apt when
# everything is already there.
set -euo pipefail

packages=(
    build-essential cmake pkg-config libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins libx11-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-xserver-utils x11-utils openbox fonts-liberation2 locales
    poppler-utils imagemagick xdg-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# Locales the regional-settings tests switch to.
wanted=(en_US en_CA fr_CA de_DE)
need_gen=0
for l in "${wanted[@]}"; do
    locale -a 2>/dev/null | grep -qi "^${l}\.utf-\?8$" || need_gen=1
done
if ((need_gen)); then
    for l in "${wanted[@]}"; do
        sed -i -E "s/^# *(${l}\.UTF-8 UTF-8)/\1/" /etc/locale.gen
    done
    locale-gen >/dev/null
fi
