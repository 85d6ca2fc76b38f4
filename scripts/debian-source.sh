#!/usr/bin/env bash
# Fetches Debian source packages, with Debian's patches applied, and prints the folder of each, one a line:
#   scripts/debian-source.sh FOLDER PACKAGE...      (e.g. build-windows/debian-source libpng1.6 libjpeg-turbo)
# The Windows build compiles libpng and libjpeg-turbo from them with the cross compiler, as it does GoogleTest:
# Debian has neither for MinGW, and the system's own decoders hold the whole picture from the moment they open
# the file, and decode JPEGs to other pixels than Linux does.
# apt fetches them as it fetches any package, checked against the archive's signed index, through a list and
# a cache of this folder's own, so that the machine's apt configuration stays as it is and no root is needed.
# Only the main archive is asked: its point releases carry the security fixes, and the security archive's
# pool is not reachable from every build machine. A package already in FOLDER is not fetched again.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: scripts/debian-source.sh FOLDER PACKAGE..." >&2; exit 2; }
dir=$(realpath -m "$1")
shift

unpacked() { local found=("$dir/$1"-[0-9]*/); [ -d "${found[0]}" ] && echo "${found[0]%/}"; }

missing=()
for package in "$@"; do unpacked "$package" > /dev/null || missing+=("$package"); done
if [ ${#missing[@]} -gt 0 ]; then
  mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial" "$dir/sources"
  # The machine's own Debian mirror, as source: every deb822 stanza and every one-line entry of the main
  # archive, with its type turned from "deb" to "deb-src".
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" } /URIs:[^\n]*debian/ && !/URIs:[^\n]*debian-security/ {
      sub(/Types: deb\n/, "Types: deb-src\n"); print }' "$f"
  done > "$dir/sources/debian-source.sources"
  { grep -hE '^deb +[^ ]*debian' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2> /dev/null || true; } |
    grep -v debian-security | sed 's/^deb /deb-src /' > "$dir/sources/debian-source.list" || true
  if [ ! -s "$dir/sources/debian-source.sources" ] && [ ! -s "$dir/sources/debian-source.list" ]; then
    echo "scripts/debian-source.sh: this machine's apt names no Debian archive to fetch source packages from" >&2
    exit 1
  fi
  apt=(apt-get -q -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$dir/sources"
    -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)")
  log="$dir/apt.log"
  { "${apt[@]}" update && (cd "$dir" && "${apt[@]}" source "${missing[@]}"); } > "$log" 2>&1 ||
    { cat "$log" >&2; echo "scripts/debian-source.sh: apt could not fetch ${missing[*]} (its output is above)" >&2; exit 1; }
fi
for package in "$@"; do
  unpacked "$package" || { echo "scripts/debian-source.sh: apt gave no source of $package in $dir" >&2; exit 1; }
done
