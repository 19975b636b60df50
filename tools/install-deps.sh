#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and benchmark veltutil. The drawing
# plotting module's tests look at its pages in headless Chromium (screenshots read through
# netpbm's pngtopnm, in DejaVu fonts; the library's own table headings are Chinese, which the
# Droid fallback font draws) and check its SVG with xmllint. veltsim runs ngspice. The Qt face
# shows the library's windows through Qt 6; its checks run offscreen and once on a virtual X
# server (xvfb, typed into with xdotool), with a CJK font for the log window's Chinese texts.
# Runs as root, or as a user who may use sudo. Supported: Debian 12 (bookworm).
set -euo pipefail
supported="Debian 12 (bookworm)"
packages=(cmake g++ clang libclang-rt-14-dev make pkg-config
          libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev rapidjson-dev libboost-dev libsigc++-3.0-dev
          chromium netpbm libxml2-utils fonts-dejavu-core fonts-droid-fallback
          libngspice0 libngspice0-dev libmuparserx-dev
          qt6-base-dev xvfb xauth xdotool fonts-noto-cjk)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
((${#missing[@]})) || exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  echo "install-deps: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi
"${as_root[@]}" apt-get update -qq
unavailable=()
for p in "${missing[@]}"; do
  apt-cache show "$p" >/dev/null 2>&1 || unavailable+=("$p")
done
if ((${#unavailable[@]})); then
  release=$(. /etc/os-release 2>/dev/null && echo "${PRETTY_NAME:-unknown}")
  echo "install-deps: not available on this system ($release): ${unavailable[*]}" >&2
  echo "install-deps: veltutil is built and tested on $supported" >&2
  exit 1
fi
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
