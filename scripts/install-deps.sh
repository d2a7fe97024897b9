#!/usr/bin/env bash
# Installs the Debian packages Tablora needs, only those missing. Quiet when
# everything is there already.
#
#   scripts/install-deps.sh [build|test|gui|bench|fuzz|check|deb|a11y]...   (default: build test gui)
set -euo pipefail

groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(build test gui)

packages=()
for group in "${groups[@]}"; do
    case "$group" in
        # The title race: Boost.Graph (maximum flow) and COIN-OR CBC (integer programs);
        # nlohmann-json (header-only) writes the JSON of tablora-cli.
        build) packages+=(g++ cmake ninja-build make pkg-config libboost-graph-dev coinor-libcbc-dev nlohmann-json3-dev) ;;
        # python3 reads the CSV and HTML exports back in the tests.
        test) packages+=(googletest libgtest-dev libgmock-dev python3) ;;
        # Qt 6 Widgets, libpng for the pictures of tablora-render, and the Japanese UI
        # font ("ＭＳ Ｐゴシック" is drawn with IPAPGothic).
        # Qt's own texts (buttons of message boxes, file dialogs) in Japanese too.
        gui) packages+=(qt6-base-dev libgl-dev libpng-dev zlib1g-dev fonts-ipafont-gothic qt6-translations-l10n) ;;
        bench) packages+=(libbenchmark-dev) ;;
        # scripts/atspi-standings.sh: the program on a virtual display, read
        # over the accessibility bus as a screen reader reads it.
        a11y) packages+=(xvfb xauth xdotool dbus-x11 at-spi2-core python3-pyatspi) ;;
        # The package build: icons drawn from the SVG, the shared-library
        # dependencies, the checkers of the desktop files and of the package.
        deb) packages+=(librsvg2-bin dpkg-dev file desktop-file-utils appstream lintian) ;;
        fuzz) packages+=(clang libfuzzer-14-dev libclang-rt-14-dev) ;;
        # The gates of `make check`: the formatting check.
        check) packages+=(clang-format git) ;;
        *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
    SUDO=sudo
else
    SUDO=
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
