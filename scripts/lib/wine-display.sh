# shellcheck shell=bash
# Sourced by the scripts that show the Windows programs' windows under Wine (scripts/screenshots-windows,
# bench/measure-windows): a virtual X server and a fresh Wine prefix of their own in one temporary
# folder, both ended and removed by wine_display_stop (set it as the EXIT trap).
#   wine_display_start   sets WINEPREFIX, TMPDIR, DISPLAY, WINEDEBUG, WINEDLLOVERRIDES, LC_ALL and
#                        wine_run (the temporary folder)
#   wine_display_stop
#   wine_window_id TITLE [SECONDS]   prints the X window id of the window whose title begins with TITLE

wine_display_start() {
    wine_run=$(mktemp -d "${TMPDIR:-/tmp}/orvane-winedisplay.XXXXXX")
    mkdir "$wine_run/prefix" "$wine_run/tmp"
    local fd display
    exec {fd}<> <(:)
    Xvfb -displayfd "$fd" -screen 0 1280x1024x24 -nolisten tcp >"$wine_run/xvfb.log" 2>&1 &
    wine_xvfb=$!
    read -r -t 10 -u "$fd" display || { echo "Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$display WINEPREFIX=$wine_run/prefix TMPDIR=$wine_run/tmp WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
    wineserver -p 2>/dev/null
    wineboot -i >"$wine_run/boot.log" 2>&1
    # The windows ask for Arial; Wine has none, and takes Liberation Sans (the same metrics) for it.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
}

wine_display_stop() {
    [ -n "${wine_run:-}" ] || return 0
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    kill "$wine_xvfb" 2>/dev/null || true
    rm -rf "$wine_run"
}

wine_window_id() {
    local title=$1 seconds=${2:-20} id=""
    for _ in $(seq $((seconds * 20))); do
        id=$(xwininfo -root -tree | grep -F "\"$title" | awk '{print $1}' | head -1)
        [ -n "$id" ] && break
        sleep 0.05
    done
    echo "$id"
}
