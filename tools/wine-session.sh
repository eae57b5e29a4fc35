# Sourced by the scripts that run Windows programs: a Wine prefix of our own
# inside the build folder, one persistent wineserver for the whole session and
# a private X display. Nothing of the user's own ~/.wine or display is used.
#
#   wine_session_start <build-dir>   exports WINEPREFIX, WINEDEBUG, DISPLAY and
#                                    a UTF-8 locale (LANG, LC_ALL)
#   wine_session_stop                ends the server and the display
#
# With CORVANE_USE_DISPLAY set, the current DISPLAY is used instead of a
# private one (the demo on a desktop).

wine_session_start() {
    local build_dir
    build_dir=$(cd "$1" && pwd)
    export WINEPREFIX="$build_dir/wine-prefix"
    # Wine turns file names into Unix ones through the locale: under a
    # non-UTF-8 one (LANG=C) a Cyrillic or CJK name cannot even be created,
    # so Corvane's names in any language need a UTF-8 locale.
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    export WINEDEBUG=-all
    # No debugger: a program that crashes ends at once instead of waiting
    # for someone to attach.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"

    # The display comes first: a prefix booted without one cannot create
    # windows in the session that booted it.
    [ -z "${CORVANE_USE_DISPLAY:-}" ] && wine_session_start_display

    # The first program in a new prefix starts Wine's services, which keep
    # the output they inherit open for ever: boot with output to /dev/null.
    # The boot makes the prefix's own drives (C:, Z:), so the spare drives
    # come after it; its session then ends, because the mount manager it
    # started knows only the drives there were, and a drive it does not know
    # has no volume (no free space, no identity) while it runs.
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1
        timeout 60 wineserver -w </dev/null >/dev/null 2>&1 || wineserver -k </dev/null >/dev/null 2>&1 || true
    fi

    # A spare drive G: on a folder of the build, which the tests unplug by
    # moving that folder away and plug in again by moving it back.
    mkdir -p "$build_dir/wine-g-drive"
    ln -sfn "$build_dir/wine-g-drive" "$WINEPREFIX/dosdevices/g:"
    # A drive H: on another file system than the build's (the machine's
    # memory file system, where it has one), where files cannot be linked
    # to those of the build's drives.
    WINE_SESSION_OTHER_FS="/dev/shm/corvane-$(id -u)-$(printf '%s' "$build_dir" | md5sum | cut -c1-12)"
    rm -f "$WINEPREFIX/dosdevices/h:"
    if [ -d /dev/shm ] && mkdir -p "$WINE_SESSION_OTHER_FS" 2>/dev/null &&
       [ "$(stat -c %d "$WINE_SESSION_OTHER_FS")" != "$(stat -c %d "$build_dir")" ]; then
        ln -sfn "$WINE_SESSION_OTHER_FS" "$WINEPREFIX/dosdevices/h:"
    fi
    setsid wineserver -p </dev/null >/dev/null 2>&1 &
    # Warm the prefix so that its services, and the desktop process the first
    # window starts, exist before anyone captures output: they inherit the
    # output of the program that starts them and hold it open. The desktop
    # process ends some seconds after the last program, and its successor
    # would hold the next test's output, so one idle program stays for the
    # whole session to keep it.
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
    (setsid wine cmd /c "ping -n 2000000000 127.0.0.1 >nul" </dev/null >/dev/null 2>&1 &)
    wine rundll32 user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true

    if [ -z "${CORVANE_USE_DISPLAY:-}" ]; then
        # The private display has no window manager; without this Wine waits
        # for one about two seconds whenever a window closes.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    else
        # A real desktop has a window manager to decorate Wine's windows.
        wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 || true
    fi
}

wine_session_start_display() {
    local n i
    for n in $(seq 90 140); do
        { [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; } && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        WINE_SESSION_XVFB_PID=$!
        export DISPLAY=":$n"
        for i in $(seq 1 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && return 0
            kill -0 "$WINE_SESSION_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        # Another X server took this number first: try the next one.
    done
    echo "wine-session: no free X display" >&2
    return 1
}

wine_session_stop() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    [ -n "${WINE_SESSION_OTHER_FS:-}" ] && rm -rf "$WINE_SESSION_OTHER_FS"
    if [ -n "${WINE_SESSION_XVFB_PID:-}" ]; then
        kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
        wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    fi
}
