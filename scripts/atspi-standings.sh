#!/usr/bin/env bash
# Starts Tablora on the sample season on a virtual display with the
# accessibility bus (AT-SPI) running, opens the standings window from the
# keyboard, and has scripts/atspi-standings.py read the table as a screen
# reader does and compare it with tablora-cli standings.
#
#   scripts/atspi-standings.sh [BUILD_DIR]     (default: build)
#
# What it needs is the a11y group of scripts/install-deps.sh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

# Inside the display and the session bus: the program, the keys, the reading.
if [ "${1:-}" = "--inside" ]; then
    bin=$2 work=$3
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    sleep 1
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 NO_AT_BRIDGE=0
    XDG_CONFIG_HOME="$work/config" "$bin/tablora" "$work/sample.qvk" &
    program=$!
    window=$(xdotool search --sync --onlyvisible --name "タブローラ" | head -1)
    xdotool windowfocus --sync "$window"
    sleep 1
    xdotool key --delay 300 alt+r j Return # 順位 → 勝敗表 → the first district
    status=0
    # Debian's own Python: pyatspi is its package.
    /usr/bin/python3 "$here/atspi-standings.py" "$bin/tablora-cli" "$work/sample.qvk" || status=$?
    kill "$program" 2>/dev/null || true
    exit $status
fi

"$here/install-deps.sh" a11y
bin=$(cd "${1:-build}/bin" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$bin/data/sample.qvk" "$work/sample.qvk"
xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- "$0" --inside "$bin" "$work" 2> >(grep -v "fd limit" >&2)
