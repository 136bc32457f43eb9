#!/usr/bin/env bash
# Fails unless every function the program imports is in the list kept beside this script, each
# entry with its DLL and the oldest Windows that has it, and unless that Windows is no newer than
# the program's floor, Windows 7. A toolchain update that brings a new import fails here instead
# of shipping a program that a supported system cannot start. It also checks the PE header: the
# machine the build is for, and the OS and subsystem versions (6.1), which make older systems
# refuse the file with their own message; and that the program holds exactly one manifest. None of
# it runs the program, so it holds on hosts that cannot run it too.
#   check_imports.sh OBJDUMP PROGRAM.exe IMPORTS.list FORMAT   (FORMAT: pei-x86-64 or pei-i386)
set -euo pipefail
objdump=$1
program=$2
list=$3
format=$4

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
if ! "$objdump" -f "$program" | grep -q "file format $format\$"; then
    echo "$program: not $format: $("$objdump" -f "$program" | grep 'file format')"
    status=1
fi
if ! grep -q '^\s*TERMINAL_SERVICE_AWARE$' <<<"$header"; then
    echo "$program: not marked Terminal Server aware"
    status=1
fi
# In the resource directory's listing, a type's entries are indented by three spaces, and each
# resource is a leaf below it; type 0x18 is RT_MANIFEST.
manifests=$(awk '/^The .rsrc Resource Directory section/ { rsrc = 1 }
                 rsrc && /^[0-9a-f]+   Entry: ID: / { type = $4 }
                 rsrc && /Leaf: Addr/ && type == "0x000018," { n++ }
                 END { print n + 0 }' <<<"$header")
if ((manifests != 1)); then
    echo "$program: $manifests manifests, not exactly one"
    status=1
fi
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
echo "$program: $format, one manifest, ${#imports[@]} imports, all listed;" \
    "OS and subsystem version 6.1, Terminal Server aware"
