#!/usr/bin/env bash
# Tests the portable copy (scripts/package-linux.sh) on a Debian system that holds only a desktop's base:
# made by debootstrap into build/debian-base/ and kept there (made again when the list below changes). In it:
# every library of both programs, the picture module and the plugins is found; `morvane-cli make` writes the
# same textures as the build from a JPEG and from a GIF (Qt's decoder); the window shows its first-start dialog
# on a virtual screen (build/portable-window.png); install.sh adds the menu entry and the icon and --uninstall
# leaves the home as it was. Then, on this machine, whose own Qt 6 is installed, the window loads no part of it
# even when LD_LIBRARY_PATH and QT_PLUGIN_PATH name it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need portable
tarball=$(scripts/package-linux.sh | awk '{ print $3 }')
name=$(basename "$tarball" .tar.gz)
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
fail() { echo "scripts/test-portable.sh: $*" >&2; exit 1; }

# The desktop's base: glibc (in every Debian), the C++ runtime, the X11 and Wayland client libraries,
# EGL/OpenGL, fontconfig, FreeType, HarfBuzz, GLib, D-Bus and a font; nothing of Qt, libjpeg or libsquish.
base=(libstdc++6 libx11-6 libx11-xcb1 libxcb1 libxcb-randr0 libxcb-render0 libxcb-shape0 libxcb-shm0 libxcb-sync1
  libxcb-xfixes0 libxcb-xkb1 libwayland-client0 libwayland-cursor0 libegl1 libopengl0 libglx0 libfontconfig1
  libfreetype6 libharfbuzz0b libglib2.0-0 libdbus-1-3 fonts-dejavu-core)
root=build/debian-base
release=$(. /etc/os-release && echo "$VERSION_CODENAME")
# The Debian mirror this machine's own apt uses (its first "deb" source, in either format).
mirror=$({ cat /etc/apt/sources.list /etc/apt/sources.list.d/*.sources 2> /dev/null || true; } |
  awk '/^URIs:/ { print $2; exit } /^deb / { print ($2 ~ /^\[/ ? $3 : $2); exit }')
[ -n "$mirror" ] || fail "this machine's apt names no Debian mirror for debootstrap"
if [ "$(cat "$root.list" 2> /dev/null)" != "$release ${base[*]}" ]; then
  start=$SECONDS
  "${as_root[@]}" rm -rf "$root" "$root.list"
  "${as_root[@]}" debootstrap --variant=minbase --include="$(IFS=,; echo "${base[*]}")" "$release" "$root" \
    "$mirror" > build/debootstrap.log 2>&1 || { tail -20 build/debootstrap.log >&2; exit 1; }
  "${as_root[@]}" rm -f "$root"/var/cache/apt/archives/*.deb
  echo "$release ${base[*]}" > "$root.list"
  echo "Made the bare Debian $release in $root in $((SECONDS - start)) s."
fi

# A virtual screen, whose socket the bare system shares.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> build/portable-display 2> /dev/null &
xvfb=$!
trap 'kill "$xvfb"' EXIT
for _ in $(seq 100); do [ -s build/portable-display ] && break; sleep 0.1; done
display=$(cat build/portable-display)

# Inside the bare system, as a player whose home is /home/player, with /proc and this machine's X11 sockets.
inside() {
  "${as_root[@]}" unshare --mount --fork --kill-child sh -ec 'root=$1; shift
    mount -t proc proc "$root/proc"
    mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
    exec chroot "$root" env -i HOME=/home/player PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"' sh "$root" "$@"
}
work=/tmp/portable-test
"${as_root[@]}" rm -rf "$root$work" "$root/home/player"
"${as_root[@]}" mkdir -p "$root$work" "$root/home/player/.local/share" "$root/tmp/.X11-unix"
"${as_root[@]}" chown "$(id -u):$(id -g)" "$root$work"
tar -xzf "$tarball" -C "$root$work"
copy=$work/$name

echo "== libraries, inside"
inside sh -c "ldd $copy/bin/morvane $copy/bin/morvane-cli $copy/lib/morvane/*.so $copy/plugins/*/*.so" \
  > build/portable-ldd.txt
! grep 'not found' build/portable-ldd.txt || fail "libraries missing (build/portable-ldd.txt)"
echo "every library found ($(grep -c "=> $copy/" build/portable-ldd.txt) from the copy, build/portable-ldd.txt)"

echo "== morvane-cli make, inside, against the build"
convert -size 900x600 gradient:navy-orange -swirl 120 "$root$work/picture.jpg"
convert "$root$work/picture.jpg" -colors 200 "$root$work/picture.gif"
for picture in picture.jpg picture.gif; do
  mkdir -p "build/portable-textures/$picture" "$root$work/textures/$picture"
  build/bin/morvane-cli make "$root$work/$picture" --size 1024 --out "build/portable-textures/$picture" > /dev/null
  inside "$copy/morvane-cli" make "$work/$picture" --size 1024 --out "$work/textures/$picture" | grep -v '^Compressing'
  cmp "build/portable-textures/$picture/background01.vtf" "$root$work/textures/$picture/background01.vtf"
  echo "cmp: the same background01.vtf from $picture"
done

echo "== install.sh --install and --uninstall, inside"
home_now() { "${as_root[@]}" find "$root/home/player" -printf '%P %y %m %s\n' | sort; }
before=$(home_now)
inside "$copy/install.sh"
inside sh -c 'test -f ~/.local/share/applications/morvane.desktop && test -f ~/.local/share/icons/hicolor/scalable/apps/morvane.svg' ||
  fail "install.sh added no menu entry or no icon"
inside "$copy/install.sh" --uninstall
[ "$before" = "$(home_now)" ] || fail "the home is not as it was: $(diff <(echo "$before") <(home_now))"
echo "the home is as it was"

echo "== the window, inside and then here"
# window_opens PROGRAM...: starts the window, waits for its first-start dialog, and stops it.
window_opens() {
  "$@" > build/portable-window.log 2>&1 &
  local pid=$! dialog
  dialog=$(timeout 60 xdotool search --sync --onlyvisible --name '^Locate Your cstrike.sh or hl2.sh file.$' | head -1) ||
    { cat build/portable-window.log >&2; fail "no window from $*"; }
  sleep 1
  local program
  program=$(xdotool getwindowpid "$dialog")
  maps=$("${as_root[@]}" cat "/proc/$program/maps")  # what the window loaded
  [ -z "${shot:-}" ] || import -window root "$shot"
  "${as_root[@]}" kill "$program"
  wait "$pid" || true
  for _ in $(seq 50); do xdotool search --name '^Locate Your cstrike.sh or hl2.sh file.$' > /dev/null || break; sleep 0.2; done
}
export DISPLAY=:$display
shot=build/portable-window.png window_opens inside DISPLAY=:$display "$copy/morvane"
echo "the first-start dialog opened inside (build/portable-window.png)"
here=build/portable/$name
system_qt=$(dirname "$(realpath /usr/lib/x86_64-linux-gnu/libQt6Core.so.6)")
window_opens env -i DISPLAY=:$display HOME="$root/home/player" LD_LIBRARY_PATH="$system_qt" \
  QT_PLUGIN_PATH="$(qtpaths6 --query QT_INSTALL_PLUGINS)" "$here/morvane"
theirs=$(grep -E 'libQt6|/qt6/plugins' <<< "$maps" | grep -v "$(realpath "$here")/" || true)
[ -z "$theirs" ] || fail "the copy loaded this system's Qt: $theirs"
echo "the copy's window here loads its own Qt alone: $(grep -cE "$(realpath "$here")/(lib|plugins)/.*\.so" <<< "$maps") mappings"
