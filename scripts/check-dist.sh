#!/usr/bin/env bash
# Checks the release zip that `make dist` wrote: exactly pikurio.exe, readme.txt
# and LICENSE, in that order, the exe byte for byte the build that is tested, and
# a readme.txt that Japanese Windows editors open as it is: Shift-JIS, CRLF only.
set -euo pipefail
cd "$(dirname "$0")/.."
zips=(build/dist/pikurio-*-win32.zip)
[ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || { echo "check-dist: want one zip in build/dist (make dist), found: ${zips[*]}"; exit 1; }
exec python3 - "${zips[0]}" build/win32/pikurio.exe <<'EOF'
import sys, zipfile
zip_path, exe_path = sys.argv[1:]
with zipfile.ZipFile(zip_path) as archive:
    names = archive.namelist()
    if names != ["pikurio.exe", "readme.txt", "LICENSE"]:
        sys.exit(f"check-dist: {zip_path} lists {names}")
    with open(exe_path, "rb") as exe:
        if archive.read("pikurio.exe") != exe.read():
            sys.exit(f"check-dist: the zip's pikurio.exe is not {exe_path}")
    try:
        text = archive.read("readme.txt").decode("cp932")
    except UnicodeDecodeError as error:
        sys.exit(f"check-dist: readme.txt is not Shift-JIS: {error}")
lines = text.split("\r\n")
bare = [number for number, line in enumerate(lines, 1) if "\r" in line or "\n" in line]
if bare or lines[-1]:
    sys.exit(f"check-dist: readme.txt has a bare CR or LF on lines {bare} or no final CRLF")
print(f"check-dist: {zip_path}: {', '.join(names)}; readme.txt is Shift-JIS, {len(lines) - 1} CRLF lines")
EOF
