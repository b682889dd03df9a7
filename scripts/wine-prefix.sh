#!/usr/bin/env bash
# Prepares the project's Wine prefix under build/ (32- or 64-bit, as
# wine-env.sh chooses): a virtual desktop (so captions are drawn and windows
# sit where the program puts them), the Japanese UI fonts mapped to stand-ins
# of the same metrics, and Marlett for the caption buttons. Does nothing when
# it is ready.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"

stamp=$WINEPREFIX/.pikurio-ready
# Bump this when the settings below change, so existing prefixes are redone.
version=6
[ "$(cat "$stamp" 2>/dev/null)" = "$version" ] && exit 0

echo "wine-prefix: preparing $WINEPREFIX"
remove_own_prefix "$WINEPREFIX"
# The marker goes in first, so that even a half-made prefix counts as ours.
mkdir -p "$WINEPREFIX"
echo "made by Pikurio's wine-prefix.sh" >"$WINEPREFIX/.pikurio-prefix"
DISPLAY= "$wine_loader" wineboot --init >/dev/null 2>&1
"$wine_server" -w

reg() { DISPLAY= "$wine_loader" reg add "$@" /f >/dev/null 2>&1; }
subst='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
# The Ume faces keep the Windows faces' widths and heights at the dialog's
# 12 px: half-width digits and '#' of 6 px in both, so "#888888" takes 42 px
# (IPA P Gothic's 8 px digits overflow the colour code's field), and a line
# height of 12 (IPA's 13 makes the dialog 22 px taller than on Windows).
reg "$subst" /v 'ＭＳ ゴシック' /d 'Ume Gothic'
reg "$subst" /v 'ＭＳ Ｐゴシック' /d 'Ume P Gothic'
reg "$subst" /v 'MS Gothic' /d 'Ume Gothic'
reg "$subst" /v 'MS PGothic' /d 'Ume P Gothic'
reg "$subst" /v 'MS UI Gothic' /d 'Ume UI Gothic'
reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
# The caption buttons are glyphs of the Marlett font. Debian's Wine does not
# look where fonts-wine puts Wine's own faces (/usr/share/wine/fonts), so
# without this a fallback face is chosen and the close button shows an "r".
# Wine reads the prefix's Fonts folder whenever a program starts.
cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
"$wine_server" -w
echo "$version" > "$stamp"
