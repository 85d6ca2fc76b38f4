#!/usr/bin/env bash
# Builds the portable copy for any Linux on x86-64, build/morvane-VERSION-linux-x86_64.tar.gz: one folder with
# both programs, their own Qt 6 (the libraries, the X11 and Wayland platforms, the picture plugins Qt decodes
# with) and every other library that a desktop's base does not bring, all stripped and found through $ORIGIN
# run paths, so that it runs wherever it is unpacked and never with a Qt of the system. Prints the tarball's
# size in bytes and its path.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need portable
configure build > /dev/null
cmake --build build -j "$(nproc)" --target morvane morvane-cli morvane-qt-pictures > /dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/CMakeCache.txt)
name=morvane-$version-linux-x86_64
stage=build/portable/$name
rm -rf build/portable "build/$name.tar.gz"
mkdir -p "$stage/bin" "$stage/lib/morvane" "$stage/licences" "$stage/share"

# What every desktop brings, with what these libraries need in turn: glibc and the C++ runtime (a second
# libstdc++ beside the system's would break the system's graphics drivers), the X11 client libraries (libxcb
# with its protocol extensions), Wayland's, EGL and OpenGL, fontconfig, FreeType, HarfBuzz, GLib and D-Bus.
# scripts/test-portable.sh runs the copy on a system that has nothing else.
desktop_base=(libc.so.6 libstdc++.so.6 libgcc_s.so.1
  libX11.so.6 libX11-xcb.so.1 libxcb.so.1 libxcb-randr.so.0 libxcb-render.so.0 libxcb-shape.so.0 libxcb-shm.so.0
  libxcb-sync.so.1 libxcb-xfixes.so.0 libxcb-xkb.so.1 libwayland-client.so.0 libwayland-cursor.so.0
  libEGL.so.1 libOpenGL.so.0 libGLX.so.0 libfontconfig.so.1 libfreetype.so.6 libharfbuzz.so.0
  libglib-2.0.so.0 libdbus-1.so.3)
declare -A system
for library in "${desktop_base[@]}"; do
  system[$library]=1
  path=$(/sbin/ldconfig -p | awk -v name="$library" '$1 == name && /x86-64/ && !found++ { print $NF }')
  [ -n "$path" ] || { echo "scripts/package-linux.sh: $library is not installed" >&2; exit 1; }
  while read -r needed; do system[$needed]=1; done < <(ldd "$path" | awk '$2 == "=>" { print $1 }')
done

# The plugins: the X11 and Wayland platforms (Wayland's with its window shell and the frame it draws where
# the compositor draws none), the keyboard's compose sequences and IBus for typing a file name, and Qt's JPEG
# and GIF decoders (the loader hands Qt what libjpeg-turbo cannot read, and GIFs). The window draws no
# OpenGL, so no GL integration comes along.
plugins_from=$(qtpaths6 --query QT_INSTALL_PLUGINS)
plugins=(platforms/libqxcb.so platforms/libqwayland-generic.so wayland-shell-integration/libxdg-shell.so
  wayland-decoration-client/libbradient.so platforminputcontexts/libcomposeplatforminputcontextplugin.so
  platforminputcontexts/libibusplatforminputcontextplugin.so imageformats/libqjpeg.so imageformats/libqgif.so)
for plugin in "${plugins[@]}"; do
  mkdir -p "$stage/plugins/$(dirname "$plugin")"
  cp "$plugins_from/$plugin" "$stage/plugins/$plugin"
done
cp build/bin/morvane build/bin/morvane-cli "$stage/bin/"
cp build/lib/morvane/morvane-qt-pictures.so "$stage/lib/morvane/"
# Qt looks for its plugins where this says, beside the program, and not where the system's Qt keeps its own.
printf '[Paths]\nPrefix = ..\nPlugins = plugins\n' > "$stage/bin/qt.conf"

# Every library the programs, the module and the plugins need beyond the desktop's base.
mapfile -t elves < <(find "$stage" -type f \( -name '*.so' -o -path '*/bin/morvane*' \))
missing=$(ldd "${elves[@]}" | grep 'not found' || true)
[ -z "$missing" ] || { echo "scripts/package-linux.sh: libraries missing: $missing" >&2; exit 1; }
sources=("${plugins[@]/#/$plugins_from/}")
while read -r library path; do
  [ -n "${system[$library]:-}" ] && continue
  cp -L "$path" "$stage/lib/$library"
  sources+=("$path")
done < <(ldd "${elves[@]}" | awk '$2 == "=>" && $3 ~ /^\// { print $1, $3 }' | sort -u)

strip --strip-unneeded "$stage"/bin/morvane* "$stage"/lib/*.so* "$stage"/lib/morvane/*.so "$stage"/plugins/*/*.so
# DT_RPATH rather than DT_RUNPATH: it comes before LD_LIBRARY_PATH, and holds for every library loaded below.
for file in "$stage"/bin/morvane*; do patchelf --force-rpath --set-rpath '$ORIGIN/../lib' "$file"; done
for file in "$stage"/lib/*.so*; do patchelf --force-rpath --set-rpath '$ORIGIN' "$file"; done
patchelf --force-rpath --set-rpath '$ORIGIN/..' "$stage"/lib/morvane/*.so
for file in "$stage"/plugins/*/*.so; do patchelf --force-rpath --set-rpath '$ORIGIN/../../lib' "$file"; done

# The licences of what came from Debian, one per source package, and the common licence texts they refer to.
for path in "${sources[@]}"; do
  real=$(realpath "$path")
  dpkg-query -S "$real" 2> /dev/null || dpkg-query -S "${real#/usr}" 2> /dev/null ||
    { echo "scripts/package-linux.sh: no Debian package holds $path, so its licence is unknown" >&2; exit 1; }
done | cut -d: -f1 | sort -u | while read -r package; do
  cp "/usr/share/doc/$package/copyright" "$stage/licences/$(dpkg-query -W -f='${source:Package}' "$package").copyright"
done
grep -ho '/usr/share/common-licenses/[A-Za-z0-9.+-]*[A-Za-z0-9+]' "$stage"/licences/*.copyright | sort -u |
  while read -r text; do if [ -f "$text" ]; then cp "$text" "$stage/licences/"; fi; done
qt_version=$(dpkg-query -W -f='${Version}' libqt6core6 | sed 's/+dfsg.*//; s/-[^-]*$//')
sed "s/@QT_VERSION@/$qt_version/g" desktop/portable/QT-LIBRARIES.txt > "$stage/licences/QT-LIBRARIES.txt"

# The menu entry and the icon that install.sh adds for the player; the entry stays out of
# share/applications, where it would mark this copy as one installed by a package (app/core/settings_location).
cp build/desktop/morvane.desktop "$stage/share/"
for icon in desktop/icons/*/morvane.png; do
  size=$(basename "$(dirname "$icon")")
  mkdir -p "$stage/share/icons/hicolor/${size}x$size/apps"
  cp "$icon" "$stage/share/icons/hicolor/${size}x$size/apps/"
done
mkdir -p "$stage/share/icons/hicolor/scalable/apps"
cp desktop/icons/morvane.svg "$stage/share/icons/hicolor/scalable/apps/"
cp desktop/portable/install.sh "$stage/"
cp README.md LICENSE.txt "$stage/"
ln -s bin/morvane "$stage/morvane"
ln -s bin/morvane-cli "$stage/morvane-cli"

tar -C build/portable --owner=0 --group=0 --numeric-owner -czf "build/$name.tar.gz" "$name"
printf '%12d bytes  %s\n' "$(stat -c %s "build/$name.tar.gz")" "$(realpath "build/$name.tar.gz")"
