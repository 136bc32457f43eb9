#!/usr/bin/env bash
# Fails unless the program imports only DLLs that every Windows system has: a statically linked
# runtime means nothing to ship beside the .exe.
#   check_imports.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=$1
program=$2

mapfile -t dlls < <("$objdump" -p "$program" | sed -n 's/^\s*DLL Name: //p')
((${#dlls[@]})) || { echo "no imports found in $program"; exit 1; }
status=0
for dll in "${dlls[@]}"; do
    case "${dll,,}" in
        kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | comctl32.dll | advapi32.dll) ;;
        *) echo "imports $dll, which is not a system DLL"; status=1 ;;
    esac
done
echo "imports: ${dlls[*]}"
exit "$status"
