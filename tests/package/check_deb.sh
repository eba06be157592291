#!/usr/bin/env bash
# Builds the Debian package from an already built tree with cpack, checks its
# name, control fields and file list, unpacks it, validates the desktop entry
# and the AppStream metadata it carries, checks the hardening of its programs,
# its copyright and changelog, opens its manual pages with man -l, runs the
# unpacked tarnel-calc on one line and starts the unpacked window on the
# offscreen platform: it must still be running after two seconds. Nothing is
# installed on this machine.
#
# Usage: check_deb.sh CPACK CPACK_CONFIG VERSION EXPECTED_FILES
#   CPACK           the cpack program
#   CPACK_CONFIG    CPackConfig.cmake of the build tree
#   VERSION         the project version the package must carry
#   EXPECTED_FILES  the regular files the package must hold, one a line:
#                   "./path mode owner/group", sorted (LC_ALL=C)
set -euo pipefail

if [ "$#" -ne 4 ]; then
  echo "usage: $0 CPACK CPACK_CONFIG VERSION EXPECTED_FILES" >&2
  exit 2
fi
cpack=$1
cpack_config=$2
version=$3
expected_files=$4

app_id=org.example.Tarnel
package_file=tarnel_${version}_amd64.deb

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnel-package.XXXXXX")
program_pid=
cleanup() {
  if [ -n "$program_pid" ]; then
    kill -KILL "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
# A fault after which the later checks make no sense.
fatal() {
  echo "FAIL: $*" >&2
  exit 1
}

# The package: cpack runs the install step of the build tree into its own
# staging folder under $work/out and leaves the package there.
if ! "$cpack" -G DEB --config "$cpack_config" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fatal "cpack -G DEB failed"
fi
packages=$(cd "$work/out" && find . -maxdepth 1 -name '*.deb' -printf '%f\n' | LC_ALL=C sort)
if [ "$packages" != "$package_file" ]; then
  cat "$work/cpack.log" >&2
  fatal "cpack made [${packages//$'\n'/ }], expected [$package_file]"
fi
deb=$work/out/$package_file
echo "package: $package_file"

# Control fields.
dpkg-deb -I "$deb" >"$work/info"
control_field() {
  sed -n "s/^ $1: //p" "$work/info"
}
[ "$(control_field Package)" = tarnel ] || fail "Package is '$(control_field Package)', expected tarnel"
[ "$(control_field Version)" = "$version" ] || fail "Version is '$(control_field Version)', expected $version"
[ "$(control_field Architecture)" = amd64 ] || fail "Architecture is '$(control_field Architecture)', expected amd64"
[ -n "$(control_field Maintainer)" ] || fail "no Maintainer"
depends=$(control_field Depends)
echo "Depends: $depends"
# dpkg-shlibdeps gives every library package a minimal version taken from
# the symbols the program uses; the program needs at least these three.
for library in libqt6widgets6 libstdc++6 libc6; do
  if ! tr ',' '\n' <<<"$depends" | sed 's/^ *//' |
       grep -Fq "$library (>= "; then
    fail "Depends has no computed entry '$library (>= ...)'"
  fi
done
# The font the window is laid out for, which dpkg-shlibdeps cannot know.
tr ',' '\n' <<<"$depends" | sed 's/^ *//' | grep -qx fonts-liberation ||
  fail "Depends has no fonts-liberation"
tr ',' '\n' <<<"$depends" | sed 's/^ *//' | grep -qx qt6-translations-l10n ||
  fail "Depends has no qt6-translations-l10n"

# The file list: exactly the expected regular files, with their modes and
# owners, and nothing but folders besides them.
dpkg-deb -c "$deb" >"$work/contents"
others=$(awk '$1 !~ /^[-d]/' "$work/contents")
[ -z "$others" ] || fail "entries that are neither files nor folders: $others"
awk '$1 ~ /^-/ { print $6, $1, $2 }' "$work/contents" | LC_ALL=C sort >"$work/files"
if ! diff -u "$expected_files" "$work/files"; then
  fail "the package's files differ from $expected_files (- expected, + packaged)"
fi

# Unpacked, the files must pass their validators and refer to each other.
root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
program=$root/usr/bin/tarnel
[ -f "$desktop" ] || fatal "no desktop entry $app_id.desktop"
[ -f "$metainfo" ] || fatal "no AppStream metadata $app_id.metainfo.xml"
[ -x "$program" ] || fatal "no executable usr/bin/tarnel"

# Hints count too: one says, for instance, that no main category is named.
if ! desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 ||
   [ -s "$work/desktop.log" ]; then
  cat "$work/desktop.log" >&2
  fail "desktop-file-validate"
fi
# As a user or a software centre would run it: with the network checks, so
# that a web address nobody can reach fails the test.
if ! appstreamcli validate "$metainfo" >"$work/metainfo.log" 2>&1; then
  cat "$work/metainfo.log" >&2
  fail "appstreamcli validate"
fi
# The tree as a whole: the metadata with the desktop entry and icons it names.
if ! appstreamcli validate-tree --no-net "$root" >"$work/tree.log" 2>&1; then
  cat "$work/tree.log" >&2
  fail "appstreamcli validate-tree --no-net"
fi

desktop_key() {
  sed -n "s/^$1=//p" "$desktop"
}
[ "$(desktop_key Exec)" = tarnel ] || fail "desktop Exec is '$(desktop_key Exec)', expected tarnel"
[ "$(desktop_key Icon)" = "$app_id" ] || fail "desktop Icon is '$(desktop_key Icon)', expected $app_id"
[ "$(desktop_key Name)" = Tarnel ] || fail "desktop Name is '$(desktop_key Name)', expected Tarnel"
for key in 'GenericName\[ru\]' 'Comment\[ru\]'; do
  # Russian text: at least one Cyrillic letter (lead byte 0xD0 or 0xD1 in
  # UTF-8; bytes, so that the test does not depend on the locale).
  desktop_key "$key" | LC_ALL=C grep -q $'[\xd0\xd1]' || fail "desktop ${key//\\/} is not Russian text"
done
for icon in icons/hicolor/32x32/apps/$app_id.png icons/hicolor/scalable/apps/$app_id.svg; do
  [ -s "$root/usr/share/$icon" ] || fail "no icon $icon"
done
file -b "$root/usr/share/icons/hicolor/32x32/apps/$app_id.png" | grep -q '^PNG image data, 32 x 32' ||
  fail "the hicolor 32x32 icon is not a 32x32 PNG"
grep -Fq "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not launch $app_id.desktop"

# The unpacked programs must not lean on the build tree.
for binary in tarnel tarnel-calc; do
  if readelf -d "$root/usr/bin/$binary" | grep -Eq '\((RPATH|RUNPATH)\)'; then
    fail "usr/bin/$binary has a run path: $(readelf -d "$root/usr/bin/$binary" | grep -E 'RPATH|RUNPATH')"
  fi
done

# Debian's hardening in both programs: position-independent, relocations
# read-only and bound at start (relro, now), the stack protector and the
# fortified string and print functions.
for binary in tarnel tarnel-calc; do
  path=$root/usr/bin/$binary
  [ -x "$path" ] || { fail "no executable usr/bin/$binary"; continue; }
  readelf -hW "$path" | grep -Eq 'Type: +DYN' || fail "$binary is not position-independent"
  readelf -lW "$path" | grep -q GNU_RELRO || fail "$binary has no relro segment"
  readelf -dW "$path" | grep -Eq '\(FLAGS(_1)?\) +.*\bNOW\b|BIND_NOW' || fail "$binary is not bound now"
  symbols=$(readelf --dyn-syms -W "$path")
  grep -q '__stack_chk_fail' <<<"$symbols" || fail "$binary has no stack protector"
  grep -Eq '__[a-z]+printf_chk|__mem[a-z]+_chk|__str[a-z]+_chk' <<<"$symbols" ||
    fail "$binary uses no fortified function"
done

# The copyright in the machine-readable format with the licence the
# metadata states, and the changelog of this version, compressed without
# name or time stamp.
copyright=$root/usr/share/doc/tarnel/copyright
changelog=$root/usr/share/doc/tarnel/changelog.gz
license=$(sed -n 's|.*<project_license>\(.*\)</project_license>.*|\1|p' "$metainfo")
[ "$(head -n1 "$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] ||
  fail "the copyright file is not in the machine-readable format"
grep -q '^Copyright: .*Tarnel developers' "$copyright" || fail "the copyright names no Tarnel developers"
[ -n "$license" ] && grep -qx "License: $license" "$copyright" ||
  fail "the copyright does not state the licence of the metadata ('$license')"
[ "$(gzip -dc "$changelog" | head -n1)" = "tarnel ($version) unstable; urgency=medium" ] ||
  fail "changelog.gz does not start with version $version: $(gzip -dc "$changelog" | head -n1)"
grep -Eq "<release version=\"$version\"" "$metainfo" || fail "the metadata has no release $version"

# The manual pages open, name their program and make man give no warning.
# Their Cyrillic renders only under a UTF-8 locale, whatever the caller's.
for binary in tarnel tarnel-calc; do
  page=$root/usr/share/man/man1/$binary.1.gz
  if ! LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" >"$work/$binary.man" 2>"$work/$binary.man.log" ||
     [ -s "$work/$binary.man.log" ]; then
    cat "$work/$binary.man.log" >&2
    fail "man -l $binary.1.gz"
  fi
  grep -Eq "^ +$binary +- " "$work/$binary.man" || fail "the manual page of $binary has no NAME line for it"
  LC_ALL=C.UTF-8 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>"$work/$binary.man.log" >/dev/null
  [ ! -s "$work/$binary.man.log" ] || { cat "$work/$binary.man.log" >&2; fail "man warns on $binary.1.gz"; }
done

# The command line on the window's start-up line.
calc_output=$(printf '0.01\t0.02\t0.03\t0.001\t0.6\n' | "$root/usr/bin/tarnel-calc")
[ "$calc_output" = $'229.2\t0.4593\t0.0008033\tГотов ...\t' ] ||
  fail "usr/bin/tarnel-calc printed '$calc_output'"

# Start it: after two seconds it must still be running (not exited, not a
# zombie), then it is ended here.
QT_QPA_PLATFORM=offscreen "$program" >"$work/program.log" 2>&1 &
program_pid=$!
sleep 2
state=
if [ -r "/proc/$program_pid/stat" ]; then
  # The state is the field after the parenthesised command name.
  state=$(sed 's/^.*) //' "/proc/$program_pid/stat" | cut -d' ' -f1)
fi
if kill -0 "$program_pid" 2>/dev/null && [ -n "$state" ] && [ "$state" != Z ] && [ "$state" != X ]; then
  echo "usr/bin/tarnel still running after 2 s (state $state); ending it"
  kill -TERM "$program_pid"
  wait "$program_pid" 2>/dev/null || true
else
  status=0
  wait "$program_pid" 2>/dev/null || status=$?
  cat "$work/program.log" >&2
  fail "usr/bin/tarnel ended within 2 s (exit status $status)"
fi
program_pid=

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package OK"
