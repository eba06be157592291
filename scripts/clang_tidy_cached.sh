#!/usr/bin/env bash
# Runs clang-tidy on each FILE with its compile command from BUILD_DIR, but
# only on the files whose verdict could have changed since their last clean
# check. A clean check is remembered under a key made of everything the
# verdict depends on: the clang-tidy version, every .clang-tidy file that
# applies to the file, its compile command, and the content of the file and of
# every header it includes (the list Ninja recorded when it last compiled the
# file). A file without such a list, or with one older than the file's object,
# is always checked and never remembered; so is every file of a build that
# does not use Ninja.
#
# Usage: clang_tidy_cached.sh CLANG_TIDY NINJA BUILD_DIR FILE...
#   The remembered checks are empty files in BUILD_DIR/clang-tidy-clean/.
set -euo pipefail

if [ "$#" -lt 3 ]; then
  echo "usage: $0 CLANG_TIDY NINJA BUILD_DIR FILE..." >&2
  exit 2
fi
clang_tidy=$1
ninja=$2
build=$(cd "$3" && pwd)
shift 3

cache=$build/clang-tidy-clean
mkdir -p "$cache"
work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-tidy.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The headers each object was compiled from, as Ninja recorded them: blocks
# of "OBJECT: #deps N, deps mtime T (VALID)" followed by indented paths,
# relative to the build folder.
if [ -f "$build/build.ninja" ] && [ -n "$ninja" ] && [ -x "$(command -v "$ninja" || true)" ]; then
  (cd "$build" && "$ninja" -t deps) >"$work/deps" 2>/dev/null || : >"$work/deps"
else
  : >"$work/deps"
fi
# Every path once, hashed once.
awk '/^[ \t]/ { sub(/^[ \t]+/, ""); if (!seen[$0]++) print }' "$work/deps" >"$work/paths"
(cd "$build" && tr '\n' '\0' <"$work/paths" | xargs -0 -r sha256sum) >"$work/hashes" 2>/dev/null || true

"$clang_tidy" --version >"$work/version"

# The compile command of FILE from compile_commands.json (one
# "command": "..." line before its "file": "..." line, as CMake writes it).
command_of() {
  awk -v file="$1" '
    /^  "command": / { command = substr($0, 15, length($0) - 16) }
    /^  "file": / {
      f = substr($0, 12, length($0) - 12)
      if (f == file) { print command; exit }
    }' "$build/compile_commands.json"
}

# The key of FILE's verdict on stdout; nothing when it cannot be known.
key_of() {
  local file=$1 command object dir
  command=$(command_of "$file")
  [ -n "$command" ] || return 0
  object=$(sed -n 's/.* -o \([^ ]*\) .*/\1/p' <<<"$command")
  [ -n "$object" ] || return 0
  # This object's block, only when Ninja marks its list valid.
  awk -v object="$object" '
    /^[^ \t]/ { inside = ($1 == object ":" && $0 ~ /\(VALID\)$/) ; next }
    inside && /^[ \t]/ { sub(/^[ \t]+/, ""); print }' "$work/deps" >"$work/own_paths"
  [ -s "$work/own_paths" ] || return 0
  {
    cat "$work/version"
    dir=$(dirname "$file")
    while :; do
      if [ -f "$dir/.clang-tidy" ]; then
        echo "config $dir"
        cat "$dir/.clang-tidy"
      fi
      [ "$dir" != / ] || break
      dir=$(dirname "$dir")
    done
    echo "command $command"
    # Each included file with the hash of its content; a header that is
    # gone makes the key unknowable.
    awk 'NR == FNR { hash[substr($0, 67)] = substr($0, 1, 64); next }
         { if (!($0 in hash)) { print "missing"; exit 1 } print hash[$0], $0 }' \
      "$work/hashes" "$work/own_paths" || return 0
  } >"$work/key_text" || return 0
  sha256sum "$work/key_text" | cut -c1-64
}

to_check=()
keys=()
skipped=0
for file in "$@"; do
  key=$(key_of "$file")
  if [ -n "$key" ] && [ -e "$cache/$key" ]; then
    skipped=$((skipped + 1))
    continue
  fi
  to_check+=("$file")
  keys+=("$key")
done

echo "clang-tidy: ${#to_check[@]} file(s) to check, $skipped unchanged since a clean check"
[ "${#to_check[@]}" -ne 0 ] || exit 0

# One clang-tidy per file, as many at once as there are processors.
for i in "${!to_check[@]}"; do
  printf '%s\0%s\0%s\0' "$i" "${to_check[$i]}" "${keys[$i]:--}"
done | xargs -0 -n 3 -P "$(nproc)" sh -c '
  if "$0" -p "$1" --quiet "$5" >"$2/out.$4" 2>&1; then
    [ "$6" = - ] || : >"$3/$6"
  else
    : >"$2/failed.$4"
  fi' "$clang_tidy" "$build" "$work" "$cache"
status=0
for i in "${!to_check[@]}"; do
  if [ -e "$work/failed.$i" ]; then
    cat "$work/out.$i"
    echo "clang-tidy: ${to_check[$i]} is not clean"
    status=1
  fi
done
exit "$status"
