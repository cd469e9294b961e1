#!/usr/bin/env bash
# Builds the release package through the native tree's release target (the
# i686 DLL cross-compiled, the two guides, the licence notes) and checks what
# an author unpacks: exactly those files, a DLL with exactly the eight host
# exports, and the documents as they stand in the repository.
#   scripts/release_package_test.sh SOURCE_DIR NATIVE_BUILD PACKAGE_NAME
set -euo pipefail
src="${1:?usage: release_package_test.sh SOURCE_DIR NATIVE_BUILD PACKAGE_NAME}"
build="${2:?usage: release_package_test.sh SOURCE_DIR NATIVE_BUILD PACKAGE_NAME}"
name="${3:?usage: release_package_test.sh SOURCE_DIR NATIVE_BUILD PACKAGE_NAME}"
# The i686 tree through its lock first, so a build of it still running ends
# before the release target builds in it.
bash "$src/scripts/cross_build.sh" "$src" "$build" i686 quillmont

zip="$build/$name.zip"
rm -f "$zip"
cmake --build "$build" --target release > "$build/release.log" 2>&1 || { tail -40 "$build/release.log"; exit 1; }
[ -f "$zip" ] || { echo "release target made no $zip" >&2; exit 1; }

unpack="$(mktemp -d)"
trap 'rm -rf "$unpack"' EXIT
(cd "$unpack" && cmake -E tar xf "$zip")
listing="$(cd "$unpack" && find . -type f | sort)"
want="./$name/LICENSE.txt
./$name/NOTICE.txt
./$name/actions.md
./$name/install.md
./$name/quillmont.dll"
if [ "$listing" != "$want" ]; then
  echo "release package: FAIL: $zip holds" >&2
  echo "$listing" >&2
  echo "expected:" >&2
  echo "$want" >&2
  exit 1
fi

dll="$unpack/$name/quillmont.dll"
i686-w64-mingw32-objdump -f "$dll" | grep -q 'pei-i386' || { echo "release package: FAIL: the DLL is not 32-bit" >&2; exit 1; }
bash "$src/scripts/check_exports.sh" "$dll" i686-w64-mingw32-objdump
for doc in docs/install.md docs/actions.md LICENSE.txt docs/NOTICE.txt; do
  cmp "$src/$doc" "$unpack/$name/$(basename "$doc")" ||
    { echo "release package: FAIL: $(basename "$doc") differs from $doc" >&2; exit 1; }
done
echo "Release package $name.zip: OK"
