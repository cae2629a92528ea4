#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the program need,
# only those that are missing. Runs apt-get through sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl-dev
  libsqlite3-dev libhidapi-dev libudev-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk xvfb xauth
)
if [[ "${1:-}" == "--fuzz" ]]; then packages+=(clang libclang-rt-14-dev); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
