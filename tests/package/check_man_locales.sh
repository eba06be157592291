#!/usr/bin/env bash
# The manual pages under the locales a user may have: under a UTF-8 locale
# man shows their Russian texts; under one without UTF-8 (unset, C, POSIX)
# man formats for plain ASCII, and the page then says in ASCII that its
# Russian texts need a UTF-8 locale, with a "?" for each of their letters
# rather than nothing.
# Usage: check_man_locales.sh MAN_DIR
set -uo pipefail
man_dir=$1
status=0
fail() {
  echo "check_man_locales: $*" >&2
  status=1
}

# Each page, a Russian text it quotes, and that text as ASCII shows it.
pages=(
  "tarnel-calc|229.2   0.4593  0.0008033       Готов ...|0\.0008033 +\?{5} \.\.\.$"
  "tarnel|“Введите D < R2 - R1”|\"\?{7} D < R2 - R1\""
)
for entry in "${pages[@]}"; do
  IFS='|' read -r name russian ascii <<<"$entry"
  page=$man_dir/$name.1
  for lang in C.UTF-8 unset C POSIX; do
    if [ "$lang" = unset ]; then
      run=(env -u LANG -u LC_ALL -u LC_CTYPE -u LC_MESSAGES -u LANGUAGE)
    else
      run=(env -u LC_ALL -u LC_CTYPE -u LC_MESSAGES -u LANGUAGE LANG="$lang")
    fi
    out=$("${run[@]}" MANWIDTH=80 man -l "$page" 2>&1)
    warnings=$("${run[@]}" man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$name.1 under LANG=$lang: man warns: $warnings"
    if [ "$lang" = C.UTF-8 ]; then
      grep -qF -- "$russian" <<<"$out" || fail "$name.1 under LANG=$lang does not show '$russian'"
      grep -q 'cannot be shown' <<<"$out" && fail "$name.1 under LANG=$lang has the ASCII note"
      continue
    fi
    if LC_ALL=C grep -q '[^[:print:][:space:]]' <<<"$out"; then
      fail "$name.1 under LANG=$lang is not plain ASCII"
    fi
    grep -q "Russian texts, which cannot be shown" <<<"$out" ||
      fail "$name.1 under LANG=$lang does not say that its Russian texts cannot be shown"
    grep -q "LANG=C.UTF-8 man $name" <<<"$out" ||
      fail "$name.1 under LANG=$lang does not say how to read it"
    grep -Eq -- "$ascii" <<<"$out" || fail "$name.1 under LANG=$lang does not show '$ascii'"
  done
done
exit "$status"
