#!/bin/sh
# Runs a Windows program under Wine: wine-run.sh PREFIX PROGRAM [ARGS...]
# PREFIX is a Wine prefix of the build's own, made on first use; Wine's own chatter is off.
set -e
WINEPREFIX=$1
shift
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine's 64-bit loader itself: Debian's `wine` takes the 32-bit loader whenever wine32 is
# installed, even for a 64-bit program, and a kernel without 32-bit support cannot start it.
wine=/usr/lib/wine/wine64
export WINELOADER=$wine
if [ ! -f "$WINEPREFIX/.jobsift-ready" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.jobsift-ready" ]; then
            "$wine" wineboot -i >/dev/null 2>&1 || true
            # Without a window manager, Wine stalls about 2 s whenever a managed window hides.
            "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
            # Wine's own fonts (Debian's fonts-wine), Marlett among them, which draws the caption
            # buttons: this Wine does not find them where the package puts them.
            for font in /usr/share/wine/fonts/*.ttf; do
                if [ -f "$font" ]; then cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/"; fi
            done
            wineserver -w
            touch "$WINEPREFIX/.jobsift-ready"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
