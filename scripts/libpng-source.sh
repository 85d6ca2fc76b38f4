#!/usr/bin/env bash
# Fetches Debian's libpng source package, with Debian's patches applied, and prints the folder it is in:
#   scripts/libpng-source.sh [FOLDER]     (default: build-windows/debian-source)
# The Windows build compiles it with the cross compiler, as it does GoogleTest: Debian has no libpng for
# MinGW, and the system's own PNG decoder holds the whole picture from the moment it opens the file.
# apt fetches it as it fetches any package, checked against the archive's signed index, through a list and a
# cache of this folder's own, so that the machine's apt configuration stays as it is and no root is needed.
# Only the main archive is asked: its point releases carry the security fixes, and the security archive's
# pool is not reachable from every build machine.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(realpath -m "${1:-build-windows/debian-source}")

existing=("$dir"/libpng1.6-*/png.h)
if [ -f "${existing[0]}" ]; then
  dirname "${existing[0]}"
  exit 0
fi

mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial" "$dir/sources"
# The machine's own Debian mirror, as source: every deb822 stanza of the main archive, and every one-line
# entry, with its type turned from "deb" to "deb-src".
{
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" } /URIs:[^\n]*\/debian\/?(\n|$)/ { sub(/Types: deb\n/, "Types: deb-src\n"); print }' "$f"
  done
} > "$dir/sources/debian-source.sources"
grep -hE '^deb +[^ ]*/debian/? ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2> /dev/null |
  sed 's/^deb /deb-src /' > "$dir/sources/debian-source.list" || true
if [ ! -s "$dir/sources/debian-source.sources" ] && [ ! -s "$dir/sources/debian-source.list" ]; then
  echo "scripts/libpng-source.sh: this machine's apt has no Debian archive to fetch libpng's source from" >&2
  exit 1
fi

apt=(apt-get -q -o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$dir/sources"
  -o Dir::State::Lists="$dir/lists" -o Dir::Cache="$dir/cache" -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)")
"${apt[@]}" update > "$dir/apt.log" 2>&1 || { cat "$dir/apt.log" >&2; exit 1; }
(cd "$dir" && "${apt[@]}" source libpng1.6 >> apt.log 2>&1) || { cat "$dir/apt.log" >&2; exit 1; }
fetched=("$dir"/libpng1.6-*/png.h)
[ -f "${fetched[0]}" ] || { echo "scripts/libpng-source.sh: apt gave no libpng source in $dir" >&2; exit 1; }
dirname "${fetched[0]}"
