#!/usr/bin/env bash
# Static analysis of the product code (core/ and ui/): clang-tidy with the
# checks in .clang-tidy, then cppcheck. Files that need windows.h are analysed
# as the Windows build sees them, with the MinGW-w64 headers; the platform-free
# core is analysed for the host as well, since both compilers build it. Then
# the layout of every C++ source (product, tests, bench) against .clang-format,
# and the manifest's XML.
# Prints nothing but a summary when clean; exits non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

for tool in clang-tidy clang-format cppcheck i686-w64-mingw32-g++-posix; do
  command -v "$tool" >/dev/null || { echo "lint: $tool is missing (run scripts/setup.sh)"; exit 1; }
done

# A core file is Windows-only when it or its header includes windows.h.
host_sources=()
for f in core/*.cpp; do
  grep -q '<windows.h>' "$f" "${f%.cpp}.h" 2>/dev/null || host_sources+=("$f")
done
win_sources=(core/*.cpp ui/*.cpp)

# clang plays the MinGW compiler: its target, and g++'s C++ library headers
# with the MinGW-w64 system headers. (-fexec-charset only matters to g++.)
mapfile -t cxx_dirs < <(i686-w64-mingw32-g++-posix -E -x c++ - -v </dev/null 2>&1 |
  sed -n '/^#include <...> search starts here:/,/^End of search list./p' | sed -n 's|^ \(.*/include/c++.*\)$|\1|p')
[ ${#cxx_dirs[@]} -gt 0 ] || { echo "lint: no MinGW C++ include directories found"; exit 1; }
win_flags=(--target=i686-w64-mingw32 -std=c++17 -I"$root" -nostdinc++)
for d in "${cxx_dirs[@]}"; do win_flags+=(-isystem "$d"); done
win_flags+=(-isystem /usr/i686-w64-mingw32/include)
host_flags=(-std=c++17 -I"$root")

out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0

# Runs a check quietly; on failure shows what it found, without the counts of
# warnings suppressed in system headers.
run() {
  local name=$1; shift
  if ! "$@" >"$out" 2>&1; then
    status=1
    echo "lint: $name found problems:"
    grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter|^Error while processing' "$out" || true
  fi
}

run "clang-tidy (host)" clang-tidy --quiet "${host_sources[@]}" -- "${host_flags[@]}"
run "clang-tidy (Windows)" clang-tidy --quiet "${win_sources[@]}" -- "${win_flags[@]}"

cppcheck_flags=(--enable=warning,performance,portability --error-exitcode=1 --inline-suppr
                --std=c++17 -I. --suppress=missingIncludeSystem --quiet)
run "cppcheck (host)" cppcheck "${cppcheck_flags[@]}" "${host_sources[@]}"
# The windows library teaches cppcheck the Win32 calls' allocation and
# resource rules (GDI objects, DCs, global memory).
run "cppcheck (Windows)" cppcheck "${cppcheck_flags[@]}" -D_WIN32 --library=windows "${win_sources[@]}"

# res/resource.h stays a hand-aligned table of the control ids.
mapfile -t cxx_files < <(git ls-files '*.cpp' '*.h' ':!res/resource.h')
run "clang-format (layout differs; clang-format -i fixes it)" \
  clang-format --dry-run -Werror "${cxx_files[@]}"

# Windows refuses to start a program whose manifest is not well-formed XML;
# Wine starts it all the same, so the tests under Wine would not notice.
run "manifest (not well-formed XML)" \
  python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' res/pikurio.manifest

if [ $status -eq 0 ]; then
  echo "lint: clean (clang-tidy and cppcheck, ${#win_sources[@]} files; clang-format, ${#cxx_files[@]} files; the manifest)"
fi
exit $status
