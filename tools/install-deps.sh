#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and benchmark veltutil.
set -euo pipefail
packages=(cmake g++ clang libclang-rt-14-dev make pkg-config
          libgtest-dev libgmock-dev libbenchmark-dev
          nlohmann-json3-dev rapidjson-dev libboost-dev libsigc++-3.0-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
