#!/usr/bin/env bash
# Fails, naming each file, when a C++ file of the tree is not formatted by .clang-format.
# Usage: check_format.sh [SOURCE_DIR]
set -uo pipefail
cd "${1:-$(dirname "$0")/../..}"
command -v clang-format >/dev/null || { echo "clang-format is missing (scripts/install-deps.sh)"; exit 1; }
unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z '*.cpp' '*.h')
if [ ${#unformatted[@]} -gt 0 ]; then
  printf 'not formatted: %s\n' "${unformatted[@]}"
  echo "${#unformatted[@]} file(s) differ from .clang-format; run: clang-format -i FILE"
  exit 1
fi
echo "format: every C++ file follows .clang-format"
