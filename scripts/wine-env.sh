# Sourced by the Wine scripts: the project's own prefix and the test screens'
# copies of it, Japanese locale (ANSI code page 932) and quiet Wine.
#
# The shipped exe is the 32-bit build, and Wine runs it where this machine can
# execute 32-bit code. Where it cannot (some virtual machines have no 32-bit
# mode), or where set-up could not install the 32-bit Wine (see setup.sh), the
# tests run the 64-bit build of the same sources under wine64.
# PIKURIO_WINE_ARCH=win32|win64 overrides the choice; build/$PIKURIO_WINE_ARCH
# holds the programs that Wine runs, and PIKURIO_WINE_WHY says why.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# The 32-bit loader (the set-up test points this at a stand-in).
wine32_loader=${PIKURIO_WINE32_LOADER:-/usr/lib/wine/wine}
if [ -n "${PIKURIO_WINE_ARCH:-}" ]; then
  PIKURIO_WINE_WHY=${PIKURIO_WINE_WHY:-PIKURIO_WINE_ARCH=$PIKURIO_WINE_ARCH chooses it}
elif "$wine32_loader" --version >/dev/null 2>&1; then
  PIKURIO_WINE_ARCH=win32 PIKURIO_WINE_WHY="this machine runs the 32-bit Wine"
else
  PIKURIO_WINE_ARCH=win64
  if [ -e "$wine32_loader" ]; then
    PIKURIO_WINE_WHY="this machine runs no 32-bit code"
  elif [ -f "$repo_root/build/.wine32-refused" ]; then
    PIKURIO_WINE_WHY="the 32-bit Wine could not be installed: $(cat "$repo_root/build/.wine32-refused")"
  else
    PIKURIO_WINE_WHY="the 32-bit Wine is not installed (scripts/setup.sh installs it)"
  fi
fi
export PIKURIO_WINE_ARCH PIKURIO_WINE_WHY
export WINEARCH=$PIKURIO_WINE_ARCH
if [ "$PIKURIO_WINE_ARCH" = win64 ]; then
  default_prefix=$repo_root/build/wineprefix64
  wine_loader=/usr/lib/wine/wine64
  wine_server=/usr/lib/wine/wineserver64
  # Wine starts its helper programs with this loader.
  export WINELOADER=$wine_loader
else
  default_prefix=$repo_root/build/wineprefix
  wine_loader=wine
  wine_server=wineserver
fi
export WINEPREFIX=${PIKURIO_WINEPREFIX:-$default_prefix}
# The prefixes of the two test screens (see with-displays.sh): copies of that
# one, so that the tests never share a Wine server with `make run`.
test_prefix24=$WINEPREFIX-24bpp
test_prefix16=$WINEPREFIX-16bpp
export WINEDEBUG=-all
# PIKURIO_LANG=C runs a program in code page 1252 instead, as a Windows with
# a Western system locale would (the tests whose names end in _in_locale_c).
export LANG=${PIKURIO_LANG:-ja_JP.UTF-8}
export LC_ALL=$LANG
# No Mono or Gecko installers: nothing here needs them, and they would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Deletes a Wine prefix only when these scripts made it (it holds one of our
# marker files); any other existing directory, a user's own prefix named by
# PIKURIO_WINEPREFIX for one, is refused and left alone.
remove_own_prefix() {
  [ -e "$1" ] || return 0
  if [ ! -f "$1/.pikurio-prefix" ] && [ ! -f "$1/.pikurio-ready" ]; then
    echo "$1 exists and was not made by Pikurio's scripts: not deleting it" \
         "(point PIKURIO_WINEPREFIX at a new directory)" >&2
    return 1
  fi
  rm -rf "$1"
}
