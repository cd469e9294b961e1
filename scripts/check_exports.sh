#!/usr/bin/env bash
# Fails unless the DLL exports exactly the eight host entry points under their
# underscored names with ordinals 1..8. For a 32-bit DLL it also checks that
# each export is the stdcall function with the matching argument size (the
# decorated symbol _nbName@N sits at the exported address).
#   scripts/check_exports.sh quillmont.dll i686-w64-mingw32-objdump
set -euo pipefail
dll="${1:?usage: check_exports.sh DLL OBJDUMP}"
objdump="${2:?usage: check_exports.sh DLL OBJDUMP}"
[ -f "$dll" ] || { echo "check_exports: no such file: $dll" >&2; exit 1; }
command -v "$objdump" >/dev/null || { echo "check_exports: $objdump not found" >&2; exit 1; }

expected="_nbAbout 1 0
_nbEditAction 2 8
_nbExecAction 3 8
_nbInitPlugIn 4 16
_nbMessage 5 8
_nbRegisterInterfaceAccess 6 4
_nbRegisterPlugIn 7 16
_nbRegisterScriptProcessor 8 4"

headers="$("$objdump" -p "$dll")"
base="$(sed -n 's/.*Export Address Table -- Ordinal Base \([0-9]*\).*/\1/p' <<<"$headers" | head -1)"
[ -n "$base" ] || { echo "check_exports: $dll has no export table" >&2; exit 1; }

# "[   3] _nbInitPlugIn": the index is the ordinal less the base.
actual="$(awk -v base="$base" '
  /\[Ordinal\/Name Pointer\] Table/ { on = 1; next }
  on && /^[[:space:]]*$/ { on = 0 }
  on && /^[[:space:]]*\[/ { gsub(/[\[\]]/, " "); print $2, $1 + base }' <<<"$headers" | sort)"
want="$(cut -d' ' -f1,2 <<<"$expected" | sort)"
if [ "$actual" != "$want" ]; then
  echo "check_exports: FAIL: $dll exports (name ordinal):" >&2
  echo "${actual:-<none>}" >&2
  echo "expected:" >&2
  echo "$want" >&2
  exit 1
fi

if "$objdump" -f "$dll" | grep -q 'pei-i386'; then
  imagebase=$((16#$(sed -n 's/^ImageBase[[:space:]]*\([0-9a-fA-F]*\).*/\1/p' <<<"$headers")))
  symbols="$("$objdump" -t "$dll")"
  sections="$("$objdump" -h "$dll")"
  while read -r name ordinal bytes; do
    rva_hex="$(awk -v want="$((ordinal - base))" '
      /Export Address Table -- Ordinal Base/ { on = 1; next }
      on && /^[[:space:]]*$/ { on = 0 }
      on && /^[[:space:]]*\[/ { gsub(/[\[\]]/, " "); if ($1 == want) print $4 }' <<<"$headers")"
    line="$(grep -E "[[:space:]]${name}@${bytes}\$" <<<"$symbols" || true)"
    if [ -z "$line" ]; then
      echo "check_exports: FAIL: no stdcall symbol ${name}@${bytes} (is the function __stdcall with that argument size?)" >&2
      exit 1
    fi
    sec="$(sed -n 's/.*(sec *\([0-9]*\)).*/\1/p' <<<"$line")"
    value=$((16#$(awk '{print $(NF-1)}' <<<"$line" | sed 's/^0x//')))
    vma=$((16#$(awk -v idx="$((sec - 1))" '$1 == idx { print $4 }' <<<"$sections")))
    if [ $((vma - imagebase + value)) -ne $((16#$rva_hex)) ]; then
      echo "check_exports: FAIL: export $name (ordinal $ordinal) is not ${name}@${bytes}" >&2
      exit 1
    fi
  done <<<"$expected"
  echo "check_exports: $dll: 8 exports, ordinals 1..8, stdcall decoration checked"
else
  echo "check_exports: $dll: 8 exports, ordinals 1..8"
fi
