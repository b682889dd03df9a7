#!/usr/bin/env bash
# Fails when the exe imports any DLL other than the Windows system DLLs.
#   check-imports.sh OBJDUMP EXE
set -euo pipefail
objdump=$1
shift
allowed='^(USER32|GDI32|COMCTL32|ADVAPI32|SHELL32|KERNEL32|msvcrt)\.dll$'
imports=$("$objdump" -p "$1" | sed -n 's/^\s*DLL Name: //p')
[ -n "$imports" ] || { echo "no imports found in $1"; exit 1; }
bad=$(printf '%s\n' "$imports" | grep -viE "$allowed" || true)
if [ -n "$bad" ]; then
  echo "unexpected imports: $bad"
  exit 1
fi
echo "imports: $(echo $imports)"
