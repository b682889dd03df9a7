#!/usr/bin/env bash
# Installs what building and testing Pikurio needs on Debian 12. Idempotent and
# quiet when everything is already there.
#
# The 32-bit Wine comes in a step of its own. Its libraries must match the
# versions of their 64-bit twins, so while the archive serves a stale i386
# index apt cannot install it: then set-up says why, remembers the refusal in
# build/.wine32-refused for an hour (deleting that file retries at once) and
# succeeds, and the Wine tests run the 64-bit build (see wine-env.sh).
set -euo pipefail
repo_root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake make g++ googletest libgtest-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb x11-utils
  x11-apps xdotool imagemagick python3
  fonts-horai-umefont fonts-ipafont-mincho locales
  clang clang-tidy clang-format cppcheck libclang-rt-14-dev
)
wine32=wine32:i386
refused=build/.wine32-refused
refusal_minutes=60
# `apt-get update` is tried this often, this many seconds apart (the set-up
# test sets the pause to 0).
update_tries=4
update_pause=${PIKURIO_APT_RETRY_PAUSE:-40}

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
apt_out=$(mktemp)
trap 'rm -f "$apt_out"' EXIT

# Whether dpkg has the package installed.
installed() {
  [ "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null || true)" = installed ]
}

# Runs apt-get quietly, keeping what it said in $apt_out.
apt() {
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -qq "$@" >"$apt_out" 2>&1
}

# The telling line of what apt last said: its first error (head) or its last (tail).
apt_reason() {
  local line
  line=$(grep '^E:' "$apt_out" | "$1" -n 1) || line=$(tail -n 1 "$apt_out")
  echo "${line:-apt-get failed}"
}

# Fetches the package lists, trying again while the archive is being synced;
# then goes on with the lists apt has (it keeps those that did download).
update_lists() {
  local try
  for try in $(seq "$update_tries"); do
    apt update && return 0
    if [ "$try" -lt "$update_tries" ]; then
      echo "setup: apt-get update failed ($try of $update_tries), trying again in $update_pause s: $(apt_reason head)"
      sleep "$update_pause"
    else
      echo "setup: apt-get update failed ($try of $update_tries), going on with the lists apt has: $(apt_reason head)"
    fi
  done
}

# Installs the missing packages, then the 32-bit Wine on its own. Fails when
# apt refuses anything but the 32-bit Wine.
install_packages() {
  local p reason refused_packages=()
  echo "setup: installing" "${missing[@]}" ${try_wine32:+"$try_wine32"}
  if [ -n "$try_wine32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
  update_lists
  if [ ${#missing[@]} -gt 0 ] && ! apt install -y --no-install-recommends --no-remove "${missing[@]}"; then
    reason=$(apt_reason tail)
    # Names the packages that apt refuses on their own (simulated: changes nothing).
    for p in "${missing[@]}"; do
      apt-get -qq -s install --no-install-recommends "$p" >/dev/null 2>&1 || refused_packages+=("$p")
    done
    echo "setup: apt-get cannot install ${refused_packages[*]:-${missing[*]}}: $reason"
    exit 1
  fi
  [ -n "$try_wine32" ] || return 0
  if apt install -y --no-install-recommends --no-remove "$wine32"; then
    rm -f "$repo_root/$refused"
  else
    mkdir -p "$repo_root/build"
    echo "$(apt_reason tail) (remembered until $(date -d "+$refusal_minutes min" +%H:%M); delete $refused to try again now)" \
      >"$repo_root/$refused"
    echo "setup: the 32-bit Wine cannot be installed, the Wine tests run the 64-bit build: $(cat "$repo_root/$refused")"
  fi
}

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
try_wine32=
if installed "$wine32"; then
  rm -f "$repo_root/$refused"
elif [ -n "$(find "$repo_root/$refused" -mmin -$refusal_minutes 2>/dev/null)" ]; then
  echo "setup: not trying the 32-bit Wine again yet, the Wine tests run the 64-bit build: $(cat "$repo_root/$refused")"
else
  try_wine32=$wine32
fi

if [ ${#missing[@]} -gt 0 ] || [ -n "$try_wine32" ]; then
  install_packages
fi

# Wine reads the ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  "${sudo_cmd[@]}" sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi
