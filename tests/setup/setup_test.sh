#!/usr/bin/env bash
# Set-up's choices while the package archive misbehaves. A copy of setup.sh and
# wine-env.sh runs in a scratch tree, with stand-ins for apt-get, dpkg,
# dpkg-query, locale and sudo first on PATH, so this machine's packages are
# never touched. The case to run is the first argument (see the end).
set -uo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
case=${1:?which case}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
tree=$tmp/tree state=$tmp/state
mkdir -p "$tree/scripts" "$tmp/bin" "$state"
cp "$repo/scripts/setup.sh" "$repo/scripts/wine-env.sh" "$tree/scripts/"
: >"$state/installed"
: >"$state/refuse"
: >"$state/apt.log"
echo 0 >"$state/update-failures"
export STANDIN_STATE=$state PIKURIO_WINE32_LOADER=$state/wine PIKURIO_APT_RETRY_PAUSE=0
unset PIKURIO_WINE_ARCH PIKURIO_WINE_WHY

# apt-get: fails `update` as often as update-failures says, refuses the
# packages named in refuse, and records what it installs (the 32-bit Wine
# brings a loader that runs).
cat >"$tmp/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "$*" >>"$STANDIN_STATE/apt.log"
if [[ " $* " = *" update "* ]]; then
  n=$(cat "$STANDIN_STATE/update-failures")
  [ "$n" -gt 0 ] || exit 0
  echo $((n - 1)) >"$STANDIN_STATE/update-failures"
  echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
  exit 100
fi
packages=()
for a; do [[ $a = -* || $a = install ]] || packages+=("$a"); done
if printf '%s\n' "${packages[@]}" | grep -qxFf "$STANDIN_STATE/refuse"; then
  echo "E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages." >&2
  exit 100
fi
[[ " $* " != *" -s "* ]] || exit 0
printf '%s\n' "${packages[@]}" >>"$STANDIN_STATE/installed"
if [[ " ${packages[*]} " = *" wine32:i386 "* ]]; then
  printf '#!/bin/sh\n' >"$STANDIN_STATE/wine" && chmod +x "$STANDIN_STATE/wine"
fi
EOF
cat >"$tmp/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
grep -qxF "${!#}" "$STANDIN_STATE/installed" && printf installed
EOF
printf '#!/bin/sh\n[ "$1" != --print-foreign-architectures ] || echo i386\n' >"$tmp/bin/dpkg"
printf '#!/bin/sh\necho ja_JP.utf8\n' >"$tmp/bin/locale"
printf '#!/bin/sh\nexec "$@"\n' >"$tmp/bin/sudo"
chmod +x "$tmp/bin"/*

# Runs set-up: what it says in $out (times of day as HH:MM), its exit status in $status.
run_setup() {
  out=$(PATH="$tmp/bin:$PATH" bash "$tree/scripts/setup.sh" 2>&1 | sed 's/until [0-9][0-9]:[0-9][0-9]/until HH:MM/')
  status=${PIPESTATUS[0]}
}

# The Wine build that the tests would run, and why.
wine_choice() {
  (. "$tree/scripts/wine-env.sh" && echo "$PIKURIO_WINE_ARCH: $PIKURIO_WINE_WHY") |
    sed 's/until [0-9][0-9]:[0-9][0-9]/until HH:MM/'
}

failures=0
check() {  # step, expected, actual
  [ "$2" = "$3" ] && return
  failures=$((failures + 1))
  printf 'setup.%s: %s\n  expected: %s\n  actual:   %s\n' "$case" "$1" "$2" "$3"
}

update_lines() { grep -o '^setup: apt-get update failed ([0-9] of 4), [a-z ]*' <<<"$out"; }
breaks="E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages."
remembered="$breaks (remembered until HH:MM; delete build/.wine32-refused to try again now)"

case $case in
update_fails_once)
  echo 1 >"$state/update-failures"
  run_setup
  check "exit status" 0 "$status"
  check "what it says of apt-get update" "setup: apt-get update failed (1 of 4), trying again in " "$(update_lines)"
  check "Wine build" "win32: this machine runs the 32-bit Wine" "$(wine_choice)"
  ;;
update_fails_always)
  echo 99 >"$state/update-failures"
  run_setup
  check "exit status" 0 "$status"
  check "what it says of apt-get update" "$(printf 'setup: apt-get update failed (%s of 4), trying again in \n' 1 2 3)
setup: apt-get update failed (4 of 4), going on with the lists apt has" "$(update_lines)"
  check "Wine build (installed from the lists apt had)" "win32: this machine runs the 32-bit Wine" "$(wine_choice)"
  ;;
wine32_refused)
  echo wine32:i386 >"$state/refuse"
  run_setup
  check "exit status" 0 "$status"
  check "what it says" "setup: the 32-bit Wine cannot be installed, the Wine tests run the 64-bit build: $remembered" \
    "$(tail -n 1 <<<"$out")"
  check "Wine build" "win64: the 32-bit Wine could not be installed: $remembered" "$(wine_choice)"
  : >"$state/apt.log"
  run_setup
  check "second run: exit status" 0 "$status"
  check "second run: apt-get calls" "" "$(cat "$state/apt.log")"
  check "second run: what it says" \
    "setup: not trying the 32-bit Wine again yet, the Wine tests run the 64-bit build: $remembered" "$out"
  # An hour later the archive is whole again.
  touch -d '61 minutes ago' "$tree/build/.wine32-refused"
  : >"$state/refuse"
  run_setup
  check "an hour later: Wine build" "win32: this machine runs the 32-bit Wine" "$(wine_choice)"
  ;;
other_package_refused)
  echo cppcheck >"$state/refuse"
  run_setup
  check "exit status" 1 "$status"
  check "what it says" "setup: apt-get cannot install cppcheck: $breaks" "$(tail -n 1 <<<"$out")"
  check "Wine build" "win64: the 32-bit Wine is not installed (scripts/setup.sh installs it)" "$(wine_choice)"
  ;;
*)
  echo "setup_test: no case $case"
  exit 2
  ;;
esac
[ $failures -eq 0 ] && echo "setup.$case: passed"
