#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a C++ source differs from the project's .clang-format style.
# Run from anywhere; `clang-format -i` on the files it names mends them.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}
mapfile -d '' files < <(find engine catalogue ui catalogue_ui exercise app tools tests bench fuzz \
    -type f \( -name '*.cpp' -o -name '*.c' -o -name '*.h' \) -print0 2>/dev/null | sort -z)
"$clang_format" --dry-run -Werror "${files[@]}"
echo "${#files[@]} sources follow .clang-format"
