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
  libifcplusplus-dev
  libboost-dev
  locales
)

# Optional groups, asked for by option; the set-up commands of the README need none of them.
fuzz_packages=(clang-14 libclang-rt-14-dev)
for argument in "$@"; do
  case "$argument" in
    --fuzz) packages+=("${fuzz_packages[@]}") ;;
    *) echo "install-deps: unknown option $argument (known: --fuzz)" >&2; exit 2 ;;
  esac
done

# The IFC library refuses to read without this locale (it calls setlocale with its name).
ensure_ifc_locale() {
  if locale -a 2>/dev/null | grep -qi '^en_US\.utf-\?8$'; then return; fi
  echo "install-deps: generating the locale en_US.UTF-8 (the IFC reader needs it)"
  run_as_root localedef -i en_US -f UTF-8 en_US.UTF-8
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

run_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  ensure_ifc_locale
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
run_as_root apt-get update
run_as_root apt-get install -y --no-install-recommends "${missing[@]}"
ensure_ifc_locale
