#!/usr/bin/env bash
# Fails when the program imports a DLL that Windows 10 and 11 do not ship themselves.
# usage: check-imports.sh OBJDUMP PROGRAM.exe
set -euo pipefail
objdump=$1 program=$2
windows_dlls='^(advapi32|authz|comdlg32|d2d1|d3d11|d3d9|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|msvcrt|netapi32|ole32|oleaut32|setupapi|shell32|shcore|shlwapi|user32|userenv|uxtheme|version|winmm|ws2_32|wtsapi32|api-ms-win-[a-z0-9-]+)\.dll$'
mapfile -t imported < <("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z')
((${#imported[@]} > 0)) || { echo "no import table read from $program" >&2; exit 1; }
foreign=$(printf '%s\n' "${imported[@]}" | grep -Ev "$windows_dlls" || true)
if [[ -n $foreign ]]; then
    echo "$program needs DLLs that Windows does not have:" >&2
    echo "$foreign" >&2
    exit 1
fi
echo "${#imported[@]} DLLs, all Windows' own: ${imported[*]}"
