#!/usr/bin/env bash
# Installs every Debian package that building, testing and running the project needs.
# Idempotent: does nothing when all packages are present. Run as root (or with sudo available).
#   --fuzz   also the compiler and runtime of the fuzz campaign (scripts/fuzz-campaign.sh)
set -euo pipefail

packages=(
  g++
  cmake
  ninja-build
  pkg-config
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libsqlite3-dev
  libreadline-dev
  libeigen3-dev
  binutils
  qt6-base-dev
  qt6-3d-dev
  libqt6opengl6-dev
  libxkbcommon-dev
  libgl1-mesa-dri
  xvfb
  xauth
  fonts-dejavu-core
)

# Optional groups, asked for by option; the set-up commands of the README need none of them.
fuzz_packages=(clang-14 libclang-rt-14-dev)
for argument in "$@"; do
  case "$argument" in
    --fuzz) packages+=("${fuzz_packages[@]}") ;;
    *) echo "install-deps: unknown option $argument (known: --fuzz)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

run_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
run_as_root apt-get update
run_as_root apt-get install -y --no-install-recommends "${missing[@]}"
