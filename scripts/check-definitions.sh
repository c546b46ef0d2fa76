#!/usr/bin/env bash
# Fails when a program loads one of the suite's objects twice: a function or object of the
# suite's own code (a C++ name) defined, not merely inlined, both in the program and in a
# shared library of the suite it loads, or in two such libraries, exported or hidden. Two copies in one process
# share nothing but their names: each module's code sees its own, and a sanitizer reports the
# second one as a breach of the one-definition rule.
#
#   scripts/check-definitions.sh <program> [<program> ...]
#
# The suite's shared libraries are those the program loads from under the folder of its build
# tree (the folder holding CMakeCache.txt above the program).
set -euo pipefail

status=0
# Each module's definitions are read once, however many programs load it.
symbols=$(mktemp -d)
trap 'rm -rf "$symbols"' EXIT
definitions() {
  local module=$1 file
  file="$symbols/$(printf '%s' "$module" | md5sum | cut -c1-32)"
  if [ ! -f "$file" ]; then
    # Strong definitions of text, data and read-only data with a C++ name, whether the module
    # exports them or keeps them to itself (a library that hides the copies it holds still
    # holds them): inline functions, templates and vtables without a home are weak and may
    # stand in several modules, names of one file's own (static, anonymous namespace) are not
    # shared, and the compiler's local clones of a function (".isra.0", ".cold") go with it.
    nm --defined-only "$module" |
      awk -v m="$(basename "$module")" '$2 ~ /^[TDBRtdbr]$/ && $3 ~ /^_Z/ && $3 !~ /^_ZL/ && $3 !~ /_GLOBAL__N_/ && $3 !~ /\./ {print $3, m}' |
      sort -u -k1,1 > "$file"
  fi
  cat "$file"
}
# Names a module holds as weak: inline functions and template instances. A library built with
# hidden symbols keeps its copies of them as local definitions, which are the language's
# copies of one inline definition, not a second definition of the suite's own.
weak_names() {
  local module=$1 file
  file="$symbols/$(printf '%s' "$module" | md5sum | cut -c1-32).weak"
  if [ ! -f "$file" ]; then
    nm --defined-only "$module" | awk '$2 ~ /^[VWvw]$/ && $3 ~ /^_Z/ {print $3}' | sort -u > "$file"
  fi
  cat "$file"
}

for program in "$@"; do
  tree=$(dirname "$(readlink -f "$program")")
  while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do
    tree=$(dirname "$tree")
  done
  modules=("$program")
  while read -r library; do
    case "$library" in
      "$tree"/*) modules+=("$library") ;;
    esac
  done < <(ldd "$program" | awk '$2 == "=>" && $3 ~ /^\// {print $3}')
  for module in "${modules[@]}"; do weak_names "$module"; done | sort -u > "$symbols/weak"
  duplicates=$(for module in "${modules[@]}"; do definitions "$module"; done | sort |
    awk 'NR == FNR {weak[$1]; next} ($1 in weak) {next}
         $1 == last {print $1 " in " lastModule " and " $2} {last = $1; lastModule = $2}' "$symbols/weak" -)
  if [ -n "$duplicates" ]; then
    count=$(printf '%s\n' "$duplicates" | wc -l)
    echo "$(basename "$program"): $count objects defined twice, for example:"
    printf '%s\n' "$duplicates" | head -5 | c++filt
    status=1
  else
    echo "$(basename "$program"): each object once in ${#modules[@]} modules"
  fi
done
exit $status
