#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix and checks what a user gets there: the program, its
# desktop entry, icons, AppStream metadata, manual page, guide, sample tables and licence; that
# they agree with one another and pass their validators; and that nothing of the tests, the
# benchmarks or the build tools is installed. A validator that is missing is skipped with a
# message (exit status 77, which CTest reports as skipped) after every other check has passed.
#   check_install.sh CMAKE BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
CMAKE="$1"
BUILD="$2"
SOURCE="$3"
VERSION="$4"

WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
PREFIX="$WORK/prefix"
failures=0
skipped=()
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

"$CMAKE" --install "$BUILD" --prefix "$PREFIX" > "$WORK/install.log" ||
  { cat "$WORK/install.log"; echo "FAILED: cmake --install"; exit 1; }

DOCS="$PREFIX/share/doc/quorvel"
DESKTOP="$PREFIX/share/applications/quorvel.desktop"
METAINFO="$PREFIX/share/metainfo/io.github.velmora.Quorvel.metainfo.xml"
MANPAGE="$PREFIX/share/man/man1/quorvel.1"
for file in bin/quorvel share/applications/quorvel.desktop \
  share/icons/hicolor/scalable/apps/quorvel.svg share/icons/hicolor/256x256/apps/quorvel.png \
  share/man/man1/quorvel.1 share/metainfo/io.github.velmora.Quorvel.metainfo.xml \
  share/doc/quorvel/guide.html share/doc/quorvel/index.html share/doc/quorvel/LICENSE; do
  [ -s "$PREFIX/$file" ] || fail "$file is missing or empty"
done
[ -x "$PREFIX/bin/quorvel" ] || fail "bin/quorvel is not executable"
for example in "$SOURCE"/examples/*; do
  cmp -s "$example" "$DOCS/examples/$(basename "$example")" ||
    fail "examples/$(basename "$example") is not installed as it is in the source tree"
done
cmp -s "$SOURCE/LICENSE" "$DOCS/LICENSE" || fail "the installed LICENSE differs from the source's"
# The pictures of the help pages are installed beside them.
pictures=0
for page in "$DOCS"/*.html; do
  for picture in $(grep -o '<img src="[^"]*"' "$page" | sed 's/^<img src="//; s/"$//'); do
    pictures=$((pictures + 1))
    head -c 8 "$DOCS/$picture" 2> /dev/null | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' ||
      fail "$(basename "$page") shows $picture, which is not installed as a PNG picture"
  done
done
[ "$pictures" -gt 0 ] || fail "the installed guide shows no picture"

# Only the program goes into bin, and nothing built for tests, benchmarks or the build itself
# goes anywhere.
programs="$(ls "$PREFIX/bin")"
[ "$programs" = "quorvel" ] || fail "bin holds more than the program: $programs"
strays="$(find "$PREFIX" -name '*_tests' -o -name 'bench_*' -o -name 'quorvel_manpage' \
  -o -name '*.a' -o -name '*.o' -o -name 'CMakeLists.txt')"
[ -z "$strays" ] || fail "build files are installed: $strays"

# The desktop entry, the icon theme and the metadata name one another.
grep -qx 'Icon=quorvel' "$DESKTOP" || fail "the desktop entry does not name the icon quorvel"
grep -q '^Exec=quorvel ' "$DESKTOP" || fail "the desktop entry does not start the program"
grep -q '<launchable type="desktop-id">quorvel.desktop</launchable>' "$METAINFO" ||
  fail "the metadata does not name the desktop entry"
grep -q "<release version=\"$VERSION\"" "$METAINFO" ||
  fail "the metadata has no release entry for version $VERSION"
head -c 8 "$PREFIX/share/icons/hicolor/256x256/apps/quorvel.png" | od -An -tx1 |
  grep -q '89 50 4e 47 0d 0a 1a 0a' || fail "the 256 px icon is not a PNG file"

if command -v desktop-file-validate > /dev/null; then
  desktop-file-validate "$DESKTOP" > "$WORK/desktop.log" 2>&1 || {
    cat "$WORK/desktop.log"
    fail "desktop-file-validate"
  }
else
  skipped+=("desktop-file-validate (package desktop-file-utils) is missing")
fi
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$METAINFO" > "$WORK/appstream.log" 2>&1 || {
    cat "$WORK/appstream.log"
    fail "appstreamcli validate"
  }
else
  skipped+=("appstreamcli (package appstream) is missing")
fi
if command -v man > /dev/null; then
  if MANWIDTH=80 MANPAGER=cat PAGER=cat man --warnings -l "$MANPAGE" > "$WORK/man.txt" \
    2> "$WORK/man.err"; then
    if [ -s "$WORK/man.err" ]; then
      cat "$WORK/man.err"
      fail "man reports warnings for the manual page"
    fi
    for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES "SEE ALSO"; do
      grep -q "^$heading\$" "$WORK/man.txt" || fail "the manual page has no section $heading"
    done
    grep -q '^   Export$' "$WORK/man.txt" || fail "the manual page has no keyword list"
    grep -q '^       -Exit' "$WORK/man.txt" || fail "the manual page does not list -Exit"
  else
    cat "$WORK/man.err"
    fail "man cannot render the manual page"
  fi
else
  skipped+=("man (package man-db) is missing")
fi

# The installed program runs from its installed place, on an installed sample table.
version="$("$PREFIX/bin/quorvel" --version)"
[ "$version" = "quorvel $VERSION" ] || fail "quorvel --version says '$version'"
mkdir -p "$WORK/config"
if env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME="$WORK/config" "$PREFIX/bin/quorvel" \
  "$DOCS/examples/iris_numeric.txt" -Ward -AutomationRow -ExportScreenInPngFile "$WORK/iris.png" \
  -Exit; then
  head -c 8 "$WORK/iris.png" 2> /dev/null | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' ||
    fail "the batch run of the installed program wrote no PNG picture"
else
  fail "the batch run of the installed program failed"
fi

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
if [ ${#skipped[@]} -gt 0 ]; then
  printf 'SKIPPED: %s\n' "${skipped[@]}"
  echo "Every other check passed; tools/setup.sh installs the missing tools."
  exit 77
fi
echo "The installation in a temporary prefix is complete and valid."
