#!/usr/bin/env bash
# Installs the Debian packages that are missing, builds, and then either starts the program on
# the bundled example site ("run", which also builds the batch tool) or builds and runs the whole test suite under AddressSanitizer
# and UndefinedBehaviorSanitizer ("test"). Works as root or through sudo on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-run}
case "$mode" in
run | test) ;;
*)
    echo "usage: scripts/setup.sh run|test" >&2
    exit 2
    ;;
esac

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-svg-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    nlohmann-json3-dev libcli11-dev libfmt-dev
    fonts-liberation
)
if [ "$mode" = test ]; then
    # wmf2svg checks the metafiles; it needs the URW fonts for any file with text.
    packages+=(libwmf-bin fonts-urw-base35 clang-format locales)
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=300 update -qq
    "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

if [ "$mode" = run ]; then
    cmake --preset release >/dev/null
    cmake --build --preset release --target tesmor42 tesmor42-cli
    exec build/release/src/gui/tesmor42 examples/site/BOHEM1.ran
fi

# The tests run once under a locale with a decimal comma, so that locale-dependent number
# formatting cannot slip in unnoticed.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || true
fi
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
