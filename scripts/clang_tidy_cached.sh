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

# Each file with the .clang-tidy files that apply to it, those of its own
# folder and of every folder above: "INDEX<TAB>FILE<TAB>CONFIG...".
files=("$@")
for i in "${!files[@]}"; do
  file=${files[$i]}
  line="$i"$'\t'"$file"
  dir=${file%/*}
  [ "$dir" != "$file" ] || dir=.
  while :; do
    [ ! -f "$dir/.clang-tidy" ] || line+=$'\t'"$dir/.clang-tidy"
    [ -n "$dir" ] && [ "$dir" != . ] || break
    dir=${dir%/*}
  done
  printf '%s\n' "$line"
done >"$work/files"

# The text behind each key, in $work/key.INDEX: the clang-tidy version, the
# configurations, the compile command (from compile_commands.json, one
# "command" line before its "file" line, as CMake writes it) and each file
# the object was compiled from with the hash of its content. No key text
# when any of these is unknown or a header is gone.
awk -F '\t' -v work="$work" '
  BEGIN { while ((getline line < (work "/version")) > 0) version = version line "\n" }
  FILENAME == ARGV[1] { hash[substr($0, 67)] = substr($0, 1, 64); next }
  FILENAME == ARGV[2] {
    if ($0 !~ /^[ \t]/) {
      object = ""
      if ($0 ~ /\(VALID\)$/) { split($0, word, " "); object = substr(word[1], 1, length(word[1]) - 1); deps[object] = "" }
      next
    }
    if (object == "") next
    path = $0; sub(/^[ \t]+/, "", path)
    if (path in hash) deps[object] = deps[object] hash[path] " " path "\n"; else gone[object] = 1
    next
  }
  FILENAME == ARGV[3] {
    if ($0 ~ /^  "command": /) command = substr($0, 15, length($0) - 16)
    else if ($0 ~ /^  "file": /) commands[substr($0, 12, length($0) - 12)] = command
    next
  }
  {
    if (!($2 in commands)) next
    command = commands[$2]
    if (!match(command, / -o [^ ]+ /)) next
    object = substr(command, RSTART + 4, RLENGTH - 5)
    if (!(object in deps) || deps[object] == "" || (object in gone)) next
    out = work "/key." $1
    printf "%s", version > out
    for (k = 3; k <= NF; k++) {
      print "config " $k > out
      while ((getline line < $k) > 0) print line > out
      close($k)
    }
    print "command " command > out
    printf "%s", deps[object] > out
    close(out)
  }' "$work/hashes" "$work/deps" "$build/compile_commands.json" "$work/files"
declare -A key_of=()
while read -r hash name; do
  key_of[${name#key.}]=$hash
done < <(cd "$work" && find . -maxdepth 1 -name 'key.*' -printf '%f\0' | xargs -0 -r sha256sum)

to_check=()
keys=()
skipped=0
for i in "${!files[@]}"; do
  key=${key_of[$i]:-}
  if [ -n "$key" ] && [ -e "$cache/$key" ]; then
    skipped=$((skipped + 1))
    continue
  fi
  to_check+=("${files[$i]}")
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
