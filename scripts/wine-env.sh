# Sourced by the Wine scripts: the project's own 32-bit prefix, Japanese locale
# (ANSI code page 932) and quiet Wine.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${PIKURIO_WINEPREFIX:-$repo_root/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=-all
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
# No Mono or Gecko installers: nothing here needs them, and they would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
