#!/usr/bin/env bash
# Makes the release: build/dist/pikurio-<version>-win32.zip (pikurio.exe,
# readme.txt, LICENSE) and build/dist/SHA256SUMS. The exe is the one `make test`
# tests, build/win32/pikurio.exe; before anything is written, the sources are
# built again in build/dist-check, and the release is refused unless the two
# exes are byte-identical.
set -euo pipefail
cd "$(dirname "$0")/.."

exe=build/win32/pikurio.exe
[ -f "$exe" ] || { echo "dist: $exe is missing; run 'make win32' first" >&2; exit 1; }
# The version and holder the About box shows and the version resource holds.
define() { sed -n "s/^#define $1 \(.*\)$/\1/p" res/strings.h; }
version=$(define APP_VERSION_MAJOR).$(define APP_VERSION_MINOR)
holder=$(define APP_HOLDER | sed 's/^"\(.*\)"$/\1/')
[[ $version =~ ^[0-9]+\.[0-9]+$ ]] && [ -n "$holder" ] ||
  { echo "dist: no APP_VERSION_MAJOR, APP_VERSION_MINOR or APP_HOLDER in res/strings.h" >&2; exit 1; }

out=build/dist
zip=$out/pikurio-$version-win32.zip
rm -rf "$out"

# The check builds the committed files as they are in the working tree, so
# that `make test` passes with changes not yet committed; a release comes from
# a clean checkout, and then that is HEAD itself.
sources=$(git stash create)
[ -z "$sources" ] || echo "dist: note: the working tree differs from HEAD; this zip is no commit's"
check=build/dist-check
rm -rf "$check"
mkdir -p "$check"
git archive "${sources:-HEAD}" | tar -x -C "$check"
echo "dist: building the sources again in $check"
log=build/dist-check.log
(cd "$check" && cmake --preset win32 && cmake --build build/win32 --target pikurio -j"$(nproc)") >"$log" 2>&1 ||
  { cat "$log"; echo "dist: the check build failed" >&2; exit 1; }
if ! difference=$(cmp "$exe" "$check/build/win32/pikurio.exe"); then
  byte=$(sed -n 's/.* differ: byte \([0-9]*\),.*/\1/p' <<<"$difference")
  if [ -n "$byte" ]; then
    offset=$((byte - 1))
    printf 'dist: the two builds of pikurio.exe differ, first at offset %d (0x%x); no zip written\n' \
      "$offset" "$offset" >&2
  else
    echo "dist: the two builds of pikurio.exe differ ($difference); no zip written" >&2
  fi
  exit 1
fi
rm -rf "$check" "$log"

# The zip's entries get the last commit's time, so the same commit gives the same zip.
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
mkdir -p "$out"
sed -e "s/@VERSION@/$version/g" -e "s/@HOLDER@/$holder/g" docs/readme-ja.txt |
  iconv -f UTF-8 -t CP932 | sed 's/$/\r/' >"$out/readme.txt"
sed 's/$/\r/' LICENSE >"$out/LICENSE"
python3 - "$zip" "$epoch" "$exe" "$out/readme.txt" "$out/LICENSE" <<'EOF'
import sys, time, zipfile
path, epoch, *files = sys.argv[1:]
stamp = time.gmtime(int(epoch))[:6]
with zipfile.ZipFile(path + ".tmp", "w") as archive:
    for name in files:
        entry = zipfile.ZipInfo(name.rsplit("/", 1)[-1], stamp)
        entry.compress_type = zipfile.ZIP_DEFLATED
        entry.create_system = 3           # Unix, so that the mode below is read
        entry.external_attr = 0o100644 << 16
        with open(name, "rb") as source:
            archive.writestr(entry, source.read(), compresslevel=9)
EOF
mv "$zip.tmp" "$zip"
rm "$out/readme.txt" "$out/LICENSE"
{
  (cd "$out" && sha256sum "$(basename "$zip")")
  printf '%s  pikurio.exe\n' "$(sha256sum <"$exe" | cut -d' ' -f1)"
} >"$out/SHA256SUMS"
echo "dist: wrote $zip"
cat "$out/SHA256SUMS"
