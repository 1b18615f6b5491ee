#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks what a desktop reads from it: the
# desktop entry, the check-file type that makes "Open with" offer Sumwarden, and the manual
# that "Help" opens. The validators run where they are installed.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >"$prefix/install.log"
share=$prefix/share
entry=$share/applications/sumwarden.desktop
types=$share/mime/packages/sumwarden.xml
manual=$share/doc/sumwarden/manual

[ -x "$prefix/bin/sumwarden" ] || fail "no program in $prefix/bin"
grep -qx 'Exec=sumwarden %F' "$entry" || fail "the desktop entry does not pass the files: $(grep ^Exec "$entry")"
type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$entry")
[ -n "$type" ] || fail "the desktop entry names no MIME type"
grep -q "<mime-type type=\"$type\">" "$types" || fail "$type is not defined in $types"
for pattern in 'CheckSum.md5' '\*.md5'; do
  grep -q "<glob pattern=\"$pattern\"" "$types" || fail "$type does not cover $pattern"
done

[ -f "$manual/index.html" ] || fail "no manual in $manual"
# Every picture the manual shows lies beside it.
for picture in $(grep -o 'src="[^"]*"' "$manual/index.html" | sed 's/src="\(.*\)"/\1/'); do
  [ -f "$manual/$picture" ] || fail "the manual's picture $picture is not installed"
done

if command -v desktop-file-validate >/dev/null; then
  report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
  [ -z "$report" ] || fail "desktop-file-validate: $report"
else
  echo "desktop-file-validate not installed: the entry is not validated"
fi
if command -v xmllint >/dev/null; then
  xmllint --noout "$types" || fail "xmllint refuses $types"
  xmllint --html --noout "$manual/index.html" || fail "xmllint refuses the manual"
else
  echo "xmllint not installed: the MIME package is not validated"
fi
# The install refreshed the MIME database of the prefix: both names map to the type.
if command -v update-mime-database >/dev/null; then
  grep -q ":$type:CheckSum.md5" "$share/mime/globs2" || fail "CheckSum.md5 is not $type in the refreshed database"
  grep -q ":$type:\*.md5" "$share/mime/globs2" || fail "*.md5 is not $type in the refreshed database"
else
  echo "update-mime-database not installed: the database is not checked"
fi
if command -v update-desktop-database >/dev/null; then
  grep -q "^$type=.*sumwarden.desktop" "$share/applications/mimeinfo.cache" ||
    fail "the desktop database does not offer Sumwarden for $type"
fi
echo "install: entry, type and manual in place"
