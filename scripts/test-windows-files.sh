#!/usr/bin/env bash
# Writing textures on Windows where the folder is shared or full (a step of scripts/test-windows.sh, in its
# Wine prefix): 16 morvane-cli.exe makes into one folder at once must all succeed and leave both textures
# whole; a make of PICTURE into a folder on a full disk (a 3 MB tmpfs, reached through Wine's Z: drive) must
# give the system's reason and leave the textures already there (the built-in picture's) as they were. The disk is skipped, saying why, where
# this machine does not let a tmpfs be mounted.
set -euo pipefail
cd "$(dirname "$0")/.."
: "${WINEPREFIX:?run by scripts/test-windows.sh, in its Wine prefix}"
picture=${1:?usage: $0 PICTURE}
cli=build-windows/bin/morvane-cli.exe
work=$PWD/build-windows/files-check
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
rm -rf "$work"
mkdir -p "$work/alone" "$work/shared"

echo "== 16 makes at once into one folder on Wine"
wine "$cli" make --size 1024 --out "$work/alone" > /dev/null
for i in $(seq 16); do
  wine "$cli" make --size 1024 --out "$work/shared" > "$work/shared-$i.log" 2>&1 &
done
failed=0
for job in $(jobs -p); do wait "$job" || failed=$((failed + 1)); done
[ "$failed" = 0 ] || fail "$failed of the 16 makes failed: $(grep -h 'morvane-cli:' "$work"/shared-*.log)"
for f in background01.vtf background01_widescreen.vtf; do
  cmp "$work/alone/$f" "$work/shared/$f" || fail "$f is not the whole texture after the 16 makes"
done
leftover=$(find "$work/shared" -name '*.tmp')
[ -z "$leftover" ] || fail "temporary files left: $leftover"
echo "All 16 succeeded; both textures are whole and no temporary file is left"

echo "== A full disk on Wine"
disk=$work/disk
mkdir -p "$disk"
if ! why=$(mount -t tmpfs -o size=3m morvane-full-disk "$disk" 2>&1); then
  echo "Skipped: a small tmpfs cannot be mounted here (${why:-mount failed})"
  exit 0
fi
trap 'umount "$disk" 2> /dev/null || true' EXIT
cp "$work/alone"/* "$disk/"  # the textures already there: 2.7 of the 3 MB
if wine "$cli" make "$picture" --size 1024 --out "$disk" > "$work/full.log" 2>&1; then
  fail "a make onto a full disk succeeded: $(cat "$work/full.log")"
fi
# Each texture it could not write is refused for the full disk, not for anything else.
refusals=$(grep "Could not write" "$work/full.log" || true)
[ -n "$refusals" ] && ! grep -vE "No space left on device|not enough space on the disk" <<< "$refusals" > /dev/null ||
  fail "the full disk was not named: $(cat "$work/full.log")"
for f in "$work/alone"/*; do cmp "$f" "$disk/$(basename "$f")" || fail "$(basename "$f") changed on the full disk"; done
leftover=$(find "$disk" -name '*.tmp')
[ -z "$leftover" ] || fail "temporary files left on the full disk: $leftover"
echo "Refused with the system's reason, the textures there as they were: $(grep -o 'morvane-cli: .*' "$work/full.log")"
