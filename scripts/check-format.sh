#!/usr/bin/env bash
# Checks that C++ files follow .clang-format. Without arguments it checks every tracked
# .cpp and .h file; with `--changed <base>` only those changed since <base> (a commit);
# otherwise the files given. `--fix` rewrites them instead of checking.
#     bash scripts/check-format.sh                 # the whole tree (CI)
#     bash scripts/check-format.sh --changed main  # before a commit
#     bash scripts/check-format.sh --fix host/TServer.cpp
set -euo pipefail
cd "$(dirname "$0")/.."

format=$(command -v clang-format-14 || command -v clang-format || true)
if [[ -z $format ]]; then
    echo "check-format: clang-format not found (apt-get install clang-format)" >&2
    exit 2
fi

fix=0
files=()
case ${1:-} in
    --fix) fix=1; shift; files=("$@") ;;
    --changed) mapfile -t files < <(git diff --name-only --diff-filter=ACMR "${2:?base commit}" -- '*.cpp' '*.h') ;;
    *) files=("$@") ;;
esac
if [[ ${#files[@]} -eq 0 && ${1:-} != --changed ]]; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi
[[ ${#files[@]} -eq 0 ]] && exit 0

if [[ $fix -eq 1 ]]; then
    "$format" -i --style=file "${files[@]}"
    exit 0
fi
if ! "$format" --dry-run --Werror --style=file "${files[@]}"; then
    echo "check-format: the files above differ from .clang-format; fix with: bash scripts/check-format.sh --fix <files>" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
