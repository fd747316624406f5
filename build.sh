#!/usr/bin/env bash
# Sets up a Debian machine, builds the verifier in Release and then either
# runs it on the bundled example or runs every test.
#
#   ./build.sh example    install what is missing, build, verify examples/solution.txt
#   ./build.sh test       install what is missing, build, run all tests
#
# TESMO_WERROR=ON turns compiler warnings into errors (CI sets it).
set -euo pipefail
cd "$(dirname "$0")"

packages=(g++ make cmake libboost-program-options-dev libboost-filesystem-dev
          libboost-system-dev libgtest-dev libxml2-utils librsvg2-bin admesh)
# Only the tests need them: the browser that drives the page of
# `tesmo render --html`. Without their recommends (fonts, desktop parts).
browser_packages=(chromium chromium-driver python3-selenium)

# install_missing [--no-install-recommends] PACKAGE...
install_missing() {
  local options=() missing=()
  [ "$1" = --no-install-recommends ] && { options=("$1"); shift; }
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${options[@]}" "${missing[@]}"
}

build() {
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTESMO_WERROR="${TESMO_WERROR:-OFF}" >/dev/null
  cmake --build build -j "$(nproc)"
}

case "${1:-}" in
  example)
    install_missing "${packages[@]}"
    build
    cd examples && ../build/tesmoVerifier solution.txt
    ;;
  test)
    install_missing "${packages[@]}"
    install_missing --no-install-recommends "${browser_packages[@]}"
    build
    cd build && ctest --output-on-failure -j "$(nproc)"
    ;;
  *)
    echo "usage: $0 example|test" >&2
    exit 2
    ;;
esac
