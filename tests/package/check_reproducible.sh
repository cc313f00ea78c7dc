#!/usr/bin/env bash
# The release zip comes out byte for byte the same when built again from a copy
# of the sources in another folder, later, in another time zone and with
# another umask: what lets anyone check a release against its commit. On a
# difference, names the entries that differ and keeps the second zip beside the
# first as <name>.rebuilt.zip.
#   check_reproducible.sh ZIP SOURCE_DIR
set -euo pipefail
zip=$(realpath "$1") src=$(realpath "$2")
kept=${zip%.zip}.rebuilt.zip
rm -f "$kept"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy=$work/elsewhere/tillervane
mkdir -p "$copy"
# The tree as it stands, uncommitted changes and all, without builds or history.
tar -C "$src" --exclude=./build --exclude=./.git -cf - . | tar -C "$copy" -xf -
# The copy is no checkout, so it is given the date the sources' commit gives.
SOURCE_DATE_EPOCH=$(cmake -DSOURCE_DIR="$src" -P "$src/cmake/SourceDate.cmake")
export SOURCE_DATE_EPOCH

log=$work/build.log
if ! (cd "$copy" && umask 077 && export TZ=XYZ-13 &&
  cmake --preset package && cmake --build --preset package) >"$log" 2>&1; then
  tail -n 40 "$log"
  fail "the second build of the package failed"
fi
again=$copy/build/package/$(basename "$zip")
if cmp -s "$zip" "$again"; then
  echo "package_reproducible: $(basename "$zip") built twice, the same $(stat -c %s "$zip") bytes," \
    "sha256 $(sha256sum "$zip" | cut -c1-64)"
  exit 0
fi

cp "$again" "$kept"
echo "$(basename "$zip") differs from its rebuild, kept as $kept:" >&2
diff <(unzip -Z1 "$zip") <(unzip -Z1 "$kept") >&2 || echo "  the entries are not the same or not in the same order" >&2
cd "$work"
unzip -q "$zip" -d first
unzip -q "$kept" -d second
same_content=1
while IFS= read -r entry; do
  [ -f "first/$entry" ] || continue
  if ! cmp -s "first/$entry" "second/$entry"; then
    same_content=0
    echo "  $(cmp "first/$entry" "second/$entry" 2>&1 | head -n1)," \
      "$(cmp -l "first/$entry" "second/$entry" 2>/dev/null | wc -l) bytes in all" >&2
  fi
done < <(unzip -Z1 "$zip")
if [ "$same_content" = 1 ]; then
  # Permissions, x for extra fields, compressed size, date.
  echo "  every file is the same; the zip's records of them differ:" >&2
  diff <(zipinfo -l -T "$zip" | sed 1d) <(zipinfo -l -T "$kept" | sed 1d) >&2 || true
fi
fail "the release zip is not reproducible"
