#!/usr/bin/env bash
# Fails unless every function the program imports is in the list kept beside this script, each
# entry with its DLL and the oldest Windows that has it, and unless that Windows is no newer than
# the program's floor, Windows 7. A toolchain update that brings a new import fails here instead
# of shipping a program that a supported system cannot start. It also checks the PE header's OS
# and subsystem versions (6.1), which make older systems refuse the file with their own message.
#   check_imports.sh OBJDUMP PROGRAM.exe IMPORTS.list
set -euo pipefail
objdump=$1
program=$2
list=$3

# Oldest first; anything after "Windows 7" is above the floor.
releases=("Windows NT 4.0" "Windows 2000" "Windows XP" "Windows XP x64" "Windows Vista" "Windows 7")

declare -A oldest
while IFS=$'\t' read -r dll function windows _; do
    [[ -z $dll || $dll == \#* ]] && continue
    known=0
    for release in "${releases[@]}"; do [[ $windows == "$release" ]] && known=1; done
    if ((!known)); then
        echo "$list: $dll $function: \"$windows\" is not Windows 7 or older"
        exit 1
    fi
    oldest["${dll,,} $function"]=$windows
done <"$list"

header=$("$objdump" -p "$program")
status=0
for field in MajorOSystemVersion:6 MinorOSystemVersion:1 MajorSubsystemVersion:6 \
             MinorSubsystemVersion:1; do
    value=$(awk -v name="${field%:*}" '$1 == name { print $2 }' <<<"$header")
    if [[ $value != "${field#*:}" ]]; then
        echo "$program: ${field%:*} is ${value:-missing}, not ${field#*:}"
        status=1
    fi
done

# objdump lists each DLL, then one "vma hint name" line per function imported from it.
mapfile -t imports < <(awk '/^\tDLL Name: / { dll = $3; next }
                            dll && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }' \
                            <<<"$header")
((${#imports[@]})) || { echo "no imports found in $program"; exit 1; }
for import in "${imports[@]}"; do
    dll=${import%% *}
    if [[ -z ${oldest["${dll,,} ${import#* }"]:-} ]]; then
        echo "$program imports $import, which $list does not list"
        status=1
    fi
done
((status)) && exit 1
echo "$program: ${#imports[@]} imports, all listed; OS and subsystem version 6.1"
