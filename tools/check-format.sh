#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ file under src/, tests/ or bench/ is laid out otherwise than the repository's
# .clang-format asks; prints each such file with its first differing line and the command that
# fixes it. With --fix, reformats those files in place instead.
# The layout is that of Debian 12's clang-format 14; other versions may differ in details.
set -euo pipefail
cd "$(dirname "$0")/.."

fix=0
if [ "${1:-}" = "--fix" ]; then fix=1; fi

CLANG_FORMAT="${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}"
if [ -z "$CLANG_FORMAT" ]; then
  echo "check-format: clang-format not found; run tools/setup.sh" >&2
  exit 2
fi

# Every C++ file, committed or new (ignored files aside); deleted ones are skipped.
patterns=()
for folder in src tests bench; do
  for extension in h hh hpp c cc cpp cxx inl ipp; do patterns+=("$folder/*.$extension"); done
done
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  list_sources() { git ls-files --cached --others --exclude-standard -- "${patterns[@]}"; }
else
  list_sources() {
    find src tests bench -type f \( -name '*.h' -o -name '*.hh' -o -name '*.hpp' -o -name '*.c' \
      -o -name '*.cc' -o -name '*.cpp' -o -name '*.cxx' -o -name '*.inl' -o -name '*.ipp' \)
  }
fi
sources=()
while IFS= read -r file; do
  [ -f "$file" ] && sources+=("$file")
done < <(list_sources | sort -u)
[ ${#sources[@]} -gt 0 ] || exit 0

# clang-format reports every difference as "file:line:column: error: ..." followed by the source
# line; keep the first one of each file.
status=0
output=$(printf '%s\0' "${sources[@]}" |
  xargs -0 "$CLANG_FORMAT" --style=file --dry-run --Werror 2>&1 >/dev/null) || status=$?
report=$(awk -F: '/: error: / && !seen[$1]++ { print $1 ":" $2 }' <<<"$output")
if [ $status -ne 0 ] && [ -z "$report" ]; then
  echo "check-format: $CLANG_FORMAT failed:" >&2
  head -5 <<<"$output" >&2
  exit 2
fi
[ -n "$report" ] || exit 0

count=0
while IFS= read -r place; do
  file="${place%:*}"
  count=$((count + 1))
  if [ $fix -eq 1 ]; then
    "$CLANG_FORMAT" --style=file -i "$file"
    echo "$file: reformatted"
  else
    echo "$place: not clang-formatted; fix: clang-format -i $file"
  fi
done <<<"$report"
if [ $fix -eq 0 ]; then
  echo "check-format: $count file(s) differ from .clang-format ($("$CLANG_FORMAT" --version |
    sed 's/.*version //')); fix them all: tools/check-format.sh --fix"
  exit 1
fi
