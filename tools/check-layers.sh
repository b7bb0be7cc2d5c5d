#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a core source includes from a layer above its own, or includes Qt or the desktop
# program. The layers are the folders of src/core in the order QUORVEL_CORE_FOLDERS lists them
# in the top CMakeLists.txt, lowest first: a file of src/core/X may include "Y/..." only when Y
# is X or comes before X. Prints one "file:line: reason" per problem.
set -euo pipefail
cd "$(dirname "$0")/.."

# The words of set(QUORVEL_CORE_FOLDERS ...), which may span lines and carry comments.
folders=$(awk '
  /^[ \t]*set[ \t]*\([ \t]*QUORVEL_CORE_FOLDERS([ \t)]|$)/ { inside = 1 }
  inside {
    sub(/#.*/, "")
    done = sub(/\).*/, "")
    text = text " " $0
    if (done) { sub(/.*QUORVEL_CORE_FOLDERS/, "", text); print text; exit }
  }' CMakeLists.txt | xargs)
if [ -z "$folders" ]; then
  echo "check-layers: CMakeLists.txt sets no QUORVEL_CORE_FOLDERS list" >&2
  exit 2
fi

# Every core source, committed or new (ignored files aside); deleted ones are skipped.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  list_sources() { git ls-files --cached --others --exclude-standard -- src/core; }
else
  list_sources() { find src/core -type f; }
fi
sources=()
while IFS= read -r file; do
  [ -f "$file" ] && sources+=("$file")
done < <(list_sources | grep -E '(\.(h|hh|hpp|c|cc|cpp|cxx|inc|inl|ipp)|/CMakeLists\.txt)$' | sort -u)
[ ${#sources[@]} -gt 0 ] || exit 0

awk -v folders="$folders" '
  BEGIN {
    count = split(folders, layer, " ")
    for (i = 1; i <= count; i++) rank[layer[i]] = i
    problems = 0
  }
  function report(line, reason) {
    printf "%s:%d: %s\n", FILENAME, line, reason
    problems++
  }
  # The layers a file of folder "own" may include: its own and every one listed before it.
  function allowed(own,    i, text) {
    text = layer[1]
    for (i = 2; i <= rank[own]; i++) text = text ", " layer[i]
    return text
  }
  FNR == 1 {
    own = (split(FILENAME, part, "/") > 3) ? part[3] : ""
    cmake = FILENAME ~ /\/CMakeLists\.txt$/
    if (own == "")
      report(1, "sits outside the layer folders of src/core")
    else if (!(own in rank))
      report(1, "src/core/" own " is not a layer of QUORVEL_CORE_FOLDERS in CMakeLists.txt")
  }
  cmake {
    if ($0 ~ /Qt[0-9]*::|find_package[ \t]*\([ \t]*Qt/)
      report(FNR, "a core library links Qt; the core stays free of Qt")
    next
  }
  /^[ \t]*#[ \t]*include[ \t]*[<"]/ {
    header = $0
    sub(/^[ \t]*#[ \t]*include[ \t]*/, "", header)
    angled = substr(header, 1, 1) == "<"
    header = substr(header, 2)
    sub(/[>"].*/, "", header)
    top = header
    if (!sub(/\/.*/, "", top)) top = ""
    # Qt headers: <QString>, <QtCore/QString>, <QtCore/qstring.h>, <qglobal.h>; project headers
    # always end in .h and never sit in a folder named Qt*.
    qt = header ~ /^Q[A-Za-z0-9_]*$/ || top ~ /^Qt[A-Za-z]*$/ || (angled && header ~ /^q[a-z0-9_]*\.h$/)
    if (qt || top == "qt")
      report(FNR, "includes Qt (" header "); the core stays free of Qt")
    else if (top == "shell")
      report(FNR, "includes the desktop program (" header "); the core never depends on it")
    else if (header ~ /(^|\/)\.\.\//)
      report(FNR, "includes " header " by a relative path; write it as \"layer/File.h\"")
    else if ((top in rank) && (own in rank) && rank[top] > rank[own])
      report(FNR, "upward include of " header ": " own " may include only from " allowed(own))
  }
  END {
    if (problems) {
      printf "check-layers: %d problem(s); core layers, lowest first: %s\n", problems, folders
      exit 1
    }
  }' "${sources[@]}"
