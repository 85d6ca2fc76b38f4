#!/usr/bin/env bash
# The setup program and the portable zip on Wine (the last step of scripts/test-windows.sh), in a fresh prefix
# of their own: packages them (scripts/package-windows.sh), installs silently for all users, checks the
# files, the Start-menu shortcut, the uninstall entry and "Open with" for the picture types, runs the
# installed morvane-cli.exe (--version, make), starts the installed morvane.exe once under Xvfb to see that
# its settings go to %APPDATA%\Morvane while the portable copy keeps them beside itself, uninstalls silently
# and checks that nothing of the program is left; then the same install and uninstall for the current user
# alone, into a folder given with /D= (spaces and a non-ASCII name); between them, an uninstall while
# morvane.exe runs must remove nothing. Prints what was installed and what the uninstaller left.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
need test windows  # the photograph below, and the packaging (scripts/package-windows.sh)
scripts/package-windows.sh
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)
setup=$PWD/build-windows/morvane-$version-setup.exe
zip=$PWD/build-windows/morvane-$version-windows-x64.zip
with_window=false
[ -f "build-windows/package/morvane-$version-windows-x64/morvane.exe" ] && with_window=true

# Wine on its own, as in scripts/test-windows.sh, and without its menu builder, which would copy the
# shortcut and the picture types into this machine's own desktop menus.
export WINEPREFIX="$PWD/build-windows/wine-setup-prefix" WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
trap 'wineserver -k 2> /dev/null || true' EXIT
wineboot --init > /dev/null 2>&1
wineserver -w
drive=$WINEPREFIX/drive_c
work=$drive/setup-test  # the test's own files: pictures, textures, the fake game, the portable copy

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
# The data of one registry value, or nothing when the key or the value is missing (reg prints in the
# console's code page).
reg_value() {
  wine reg query "$1" /v "$2" 2> /dev/null | tr -d '\r' | iconv -f CP437 -t UTF-8 | sed -n "s/^ *$2 \+REG_[A-Z_]\+ *//p"
}
reg_default() {
  wine reg query "$1" /ve 2> /dev/null | tr -d '\r' | sed -n 's/^ *(Default) \+REG_[A-Z_]\+ *//p'
}
reg_has_key() {
  wine reg query "$1" > /dev/null 2>&1
}
# Every file of the prefix but Wine's own folder, for comparing before and after.
snapshot_files() {
  (cd "$drive" && find . -path ./windows -prune -o -type f -print | sort)
}
# The registry as the program's own keys and values: without Windows' own lists, which a per-user install
# may be the first to fill in a player's registry and which stay as they do on Windows, and without the
# shell's record of what the player did (Explorer's keys: the open dialog's last folders name the program
# that showed it), which belongs to Windows and which no uninstaller touches.
registry_of_programs() {
  wineserver -w  # the registry reaches its files when the server ends
  awk '/^\[/ { shell = index($0, "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer") == 1 } !shell' \
    "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg"
}
snapshot_keys() {
  registry_of_programs | sed -n 's/^\(\[[^]]*\]\).*/\1/p' |
    grep -vxF -e '[Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall]' -e '[Software\\Classes\\Applications]' |
    sort
}
# Every key of the registry, for showing what Windows itself kept.
all_keys() {
  wineserver -w
  cat "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" | sed -n 's/^\(\[[^]]*\]\).*/\1/p' | sort
}
windows_path() {
  winepath -w "$1" 2> /dev/null | tr -d '\r'
}
# Runs the uninstall entry's QuietUninstallString, as Windows' own tools do, and waits for it to finish.
uninstall_quietly() {  # KEY
  local quiet
  quiet=$(reg_value "$1" QuietUninstallString)
  [ -n "$quiet" ] || fail "$1 has no QuietUninstallString"
  local program=${quiet#\"}
  program=${program%%\"*}
  # shellcheck disable=SC2086  # the options are words
  wine "$program" ${quiet#\"$program\"}
  wineserver -w
}
unix_path() {
  winepath -u "$(wine cmd /c echo "$1" 2> /dev/null | tr -d '\r')" 2> /dev/null
}

appdata=$(unix_path '%APPDATA%')
localappdata=$(unix_path '%LOCALAPPDATA%')
mkdir -p "$work/game/cstrike/materials" "$work/textures"
: > "$work/game/hl2.exe"
djpeg -bmp /usr/share/backgrounds/mate/nature/Wood.jpg > "$work/picture.bmp"
# A player's own choices, which the setup program and its uninstaller must leave as they are: a default
# program for .jpg and another program in .png's "Open with" list.
wine reg add 'HKCR\.jpg' /ve /d jpegfile /f > /dev/null 2>&1
wine reg add 'HKCR\.png\OpenWithProgids' /v pngfile /d "" /f > /dev/null 2>&1
jpg_before=$(reg_default 'HKCR\.jpg')
files_before=$(snapshot_files)
keys_before=$(snapshot_keys)
all_keys_before=$(all_keys)

echo "== The portable zip"
cmake -E tar tvf "$zip"
expected="morvane-$version-windows-x64/LICENSE.txt morvane-$version-windows-x64/README.txt"
expected+=" morvane-$version-windows-x64/morvane-cli.exe"
$with_window && expected+=" morvane-$version-windows-x64/morvane.exe"
[ "$(cmake -E tar tf "$zip" | grep -v '/$' | grep -v /licences/ | sort | xargs)" = "$(echo "$expected" | tr ' ' '\n' | sort | xargs)" ] ||
  fail "the zip should hold exactly: $expected, and licences/"
# What the programs carry besides Morvane, with the notice libjpeg-turbo's licence asks for.
for package in libjpeg-turbo libpng1.6 libz-mingw-w64 mingw-w64 gcc-mingw-w64; do
  cmake -E tar tf "$zip" | grep -qx "morvane-$version-windows-x64/licences/$package.txt" ||
    fail "the zip has no licence of $package"
done
grep -q "the Independent JPEG Group" "build-windows/package/morvane-$version-windows-x64/README.txt" ||
  fail "the README does not say that the programs are based in part on the Independent JPEG Group's work"

echo "== The packaged programs"
for program in "build-windows/package/morvane-$version-windows-x64/"*.exe; do
  ! x86_64-w64-mingw32-objdump -h "$program" | grep -q '\.debug' || fail "$program is not stripped"
  resources=$(x86_64-w64-mingw32-windres -i "$program" -O rc 2> /dev/null || true)
  found=$(sed -n 's/^ *VALUE "ProductVersion", "\(.*\)"$/\1/p' <<< "$resources")
  if [ -f app/win/morvane.rc.in ]; then  # the programs' icon and version resource
    [ "$found" = "$version" ] || fail "$program's version resource says \"$found\", not $version"
    grep -q '^/\* Type: group icon' <<< "$resources" || fail "$program has no icon"
    echo "$(basename "$program"): stripped, version $found, with its icon"
  else
    echo "$(basename "$program"): stripped; this build gives it no version resource or icon yet"
  fi
done

echo "== The setup program, installed silently for all users"
wine "$setup" /S
wineserver -w
folder="$drive/Program Files/Morvane"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane'
[ -d "$folder" ] || fail "no $folder"
echo "Installed into C:\\Program Files\\Morvane:"
(cd "$folder" && for f in *; do printf '  %10d bytes  %s\n' "$(stat -c %s "$f")" "$f"; done)
installed=("LICENSE.txt" "README.txt" "Uninstall Morvane.exe" "licences" "morvane-cli.exe")
$with_window && installed+=("morvane.exe")
[ "$(cd "$folder" && ls | sort | xargs)" = "$(printf '%s\n' "${installed[@]}" | sort | xargs)" ] ||
  fail "the program's folder should hold exactly: ${installed[*]}"
for f in morvane-cli.exe morvane.exe; do
  [ -f "$folder/$f" ] || continue
  cmp "$folder/$f" "build-windows/package/morvane-$version-windows-x64/$f" || fail "$f is not the packaged one"
done
diff -r "$folder/licences" "build-windows/package/morvane-$version-windows-x64/licences" > /dev/null ||
  fail "the installed licences are not the packaged ones"

echo "Uninstall entry ($key):"
for name in DisplayName DisplayVersion Publisher DisplayIcon InstallLocation UninstallString QuietUninstallString \
            EstimatedSize; do
  printf '  %-20s %s\n' "$name" "$(reg_value "$key" "$name")"
done
[ "$(reg_value "$key" DisplayName)" = "Morvane" ] || fail "the uninstall entry's name"
[ "$(reg_value "$key" DisplayVersion)" = "$version" ] || fail "the uninstall entry's version is not $version"
[ "$(reg_value "$key" Publisher)" = "The Morvane developers" ] || fail "the uninstall entry's publisher"
main_program=morvane-cli.exe
$with_window && main_program=morvane.exe
[ "$(reg_value "$key" DisplayIcon)" = "C:\\Program Files\\Morvane\\$main_program,0" ] || fail "the uninstall entry's icon"
kilobytes=$(find "$folder" -type f -printf '%s\n' | awk '{ n += $1 } END { print int(n / 1024) }')
[ $(($(reg_value "$key" EstimatedSize))) -eq "$kilobytes" ] ||
  fail "the uninstall entry's size is not the folder's $kilobytes KB"

shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Morvane.lnk"
if $with_window; then
  [ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
  grep -aq 'morvane.exe' "$shortcut" || fail "the shortcut does not start morvane.exe"
  echo "Start-menu shortcut: C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Morvane.lnk"
  # Every extension of the one list of picture kinds.
  types=$(sed -n 's/^ *{"[A-Z]*", "\([.a-z ]*\)", .*/\1/p' platform/codecs/picture_kinds.h | tr '\n' ' ')
  [ -n "$types" ] || fail "no picture kinds read from platform/codecs/picture_kinds.h"
  for type in $types; do
    wine reg query "HKCR\\$type\\OpenWithProgids" /v Morvane.Picture > /dev/null 2>&1 ||
      fail "$type does not offer \"Open with Morvane\""
    wine reg query 'HKCR\Applications\morvane.exe\SupportedTypes' /v "$type" > /dev/null 2>&1 ||
      fail "morvane.exe does not list $type among its types"
  done
  command=$(reg_default 'HKCR\Morvane.Picture\shell\open\command')
  [ "$command" = '"C:\Program Files\Morvane\morvane.exe" "%1"' ] || fail "the picture type opens with: $command"
  [ "$(reg_default 'HKCR\.jpg')" = "$jpg_before" ] || fail ".jpg's default program changed"
  echo "Open with Morvane: ${types% } (command $command); .jpg's default stays \"$jpg_before\""
else
  [ ! -e "$shortcut" ] || fail "a shortcut without morvane.exe"
  echo "morvane.exe is not built: no Start-menu shortcut and no picture types to check"
fi

echo "== The installed programs"
wine "C:\\Program Files\\Morvane\\morvane-cli.exe" --version | tr -d '\r' | tee "$work/version.txt"
[ "$(cat "$work/version.txt")" = "morvane-cli $version" ] || fail "morvane-cli.exe --version"
wine "C:\\Program Files\\Morvane\\morvane-cli.exe" make "$(windows_path "$work/picture.bmp")" --size 1024 \
  --out "$(windows_path "$work/textures")" | tr -d '\r' | grep -v '^Compressing levels'
if [ -x build/bin/morvane-cli ]; then
  build/bin/morvane-cli inspect "$work/textures/background01.vtf" > "$work/inspect.txt" ||
    fail "the Linux inspect refuses the texture of the installed morvane-cli.exe: $(tail -1 "$work/inspect.txt")"
  tail -1 "$work/inspect.txt"
fi

# One start of morvane.exe: it asks for hl2.exe, and config.dat is written where the program keeps its settings.
start_window_once() {  # PROGRAM FOLDER-WHERE-CONFIG.DAT-BELONGS
  timeout 180 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wine "$1" > /dev/null 2>&1 &
    for _ in $(seq 60); do
      xdotool search --name "Locate Your cstrike.exe or hl2.exe file." > /dev/null 2>&1 && break
      sleep 1
    done
    dialog=$(xdotool search --name "Locate Your cstrike.exe or hl2.exe file." | head -1)
    [ -n "$dialog" ] || { echo "$1 showed no dialog asking for hl2.exe within 60 s" >&2; wineserver -k; exit 1; }
    sleep 1
    # Without a window manager the keyboard goes where the pointer is.
    xdotool mousemove --window "$dialog" 100 100
    sleep 0.5
    xdotool type --delay 20 "$2"
    xdotool key Return
    for _ in $(seq 30); do
      [ -f "$3/config.dat" ] && break
      sleep 1
    done
    wineserver -k 2> /dev/null || true' _ "$1" "$(windows_path "$work/game/hl2.exe")" "$2" ||
    fail "the first start of $1 under Xvfb"
  wineserver -w
}
if $with_window; then
  start_window_once "C:\\Program Files\\Morvane\\morvane.exe" "$appdata/Morvane"
  [ -f "$appdata/Morvane/config.dat" ] || fail "the installed morvane.exe kept no config.dat in %APPDATA%\\Morvane"
  [ ! -e "$folder/config.dat" ] || fail "the installed morvane.exe wrote config.dat beside itself"
  echo "The installed morvane.exe keeps its settings in %APPDATA%\\Morvane\\config.dat: $(tr -d '\r' < "$appdata/Morvane/config.dat")"

  mkdir -p "$work/portable"
  (cd "$work/portable" && cmake -E tar xf "$zip")
  portable="$work/portable/morvane-$version-windows-x64"
  rm "$appdata/Morvane/config.dat"
  start_window_once "$(windows_path "$portable/morvane.exe")" "$portable"
  [ -f "$portable/config.dat" ] || fail "the portable morvane.exe kept no config.dat beside itself"
  [ ! -e "$appdata/Morvane/config.dat" ] || fail "the portable morvane.exe wrote into %APPDATA%\\Morvane"
  echo "The portable morvane.exe keeps its settings beside itself: $(tr -d '\r' < "$portable/config.dat")"
  mv "$portable/config.dat" "$appdata/Morvane/config.dat"  # the player's settings, for the uninstaller to keep
  rm -r "$work/portable"
else
  echo "morvane.exe is not built: its start under Xvfb and where it keeps its settings are not checked"
fi

echo "== The uninstaller while morvane.exe runs"
# It removes nothing and, silently, ends with error level 2; its error level reaches the caller only with _?=
# (without it, NSIS runs a copy of the uninstaller from Temp and its launcher ends at once).
if $with_window; then
  printf '"C:\\Program Files\\Morvane\\Uninstall Morvane.exe" /AllUsers /S _?=C:\\Program Files\\Morvane\r\nexit /b %%errorlevel%%\r\n' \
    > "$work/uninstall.bat"
  level=$(timeout 180 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    wine "C:\\Program Files\\Morvane\\morvane.exe" > /dev/null 2>&1 &
    for _ in $(seq 60); do xdotool search --name "^Morvane\$" > /dev/null 2>&1 && break; sleep 1; done
    wine cmd /c "$1" > /dev/null 2>&1
    echo $?
    wineserver -k 2> /dev/null || true' _ "$(windows_path "$work/uninstall.bat")")
  wineserver -w
  [ "$level" = 2 ] || fail "the uninstaller ended with error level $level while morvane.exe ran, not 2"
  [ "$(cd "$folder" && ls | sort | xargs)" = "$(printf '%s\n' "${installed[@]}" | sort | xargs)" ] &&
    [ -f "$shortcut" ] && reg_has_key "$key" || fail "the uninstaller removed part of Morvane while morvane.exe ran"
  echo "Uninstalling while morvane.exe runs removes nothing and ends with error level 2"
fi

echo "== The uninstaller, silently"
uninstall_quietly "$key"
[ ! -e "$folder" ] || fail "the program's folder is still there: $(ls "$folder")"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
! reg_has_key "$key" || fail "the uninstall entry is still there"
! reg_has_key 'HKCR\Morvane.Picture' || fail "the picture type Morvane.Picture is still there"
! reg_has_key 'HKCR\Applications\morvane.exe' || fail "HKCR\\Applications\\morvane.exe is still there"
[ "$(reg_default 'HKCR\.jpg')" = "$jpg_before" ] || fail ".jpg's default program changed"
wine reg query 'HKCR\.png\OpenWithProgids' /v pngfile > /dev/null 2>&1 || fail ".png lost the player's other program"
keys_after=$(snapshot_keys)
[ "$keys_after" = "$keys_before" ] ||
  fail "the registry's keys differ from before the install: $(diff <(echo "$keys_before") <(echo "$keys_after"))"
registry_of_programs | grep -i morvane && fail "the registry still names Morvane (above)"
echo "The registry has the same keys as before the install, and none of its values names Morvane"
echo "Kept by Windows itself (keys that were not there before the install):"
kept=$(comm -13 <(echo "$all_keys_before") <(all_keys))
echo "${kept:-(nothing)}" | sed 's/^/  /'
left=$(comm -13 <(echo "$files_before") <(snapshot_files) | grep -v '^./setup-test/' || true)
echo "Left behind by the uninstaller:"
echo "${left:-(nothing)}" | sed 's/^/  /'
echo "$left" | grep -v -e '/AppData/Roaming/Morvane/config.dat$' -e '/AppData/Local/Temp/' | grep -q . &&
  fail "the uninstaller left more than the player's settings and its own temporary copy"
[ -f "$work/textures/background01.vtf" ] || fail "the uninstaller took the textures"
files_after=$(snapshot_files)

echo "== The setup program, installed silently for the current user into a folder of their choice"
# /D= ends the command line unquoted, as Windows hands it over; Wine would quote an argument with spaces.
wine cmd /c "$(windows_path "$setup") /S /CurrentUser /D=C:\\Games\\Mor vane ü" > /dev/null
wineserver -w
folder="$drive/Games/Mor vane ü"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane'
[ "$(cd "$folder" && ls | sort | xargs)" = "$(printf '%s\n' "${installed[@]}" | sort | xargs)" ] ||
  fail "$folder should hold exactly: ${installed[*]}"
[ "$(reg_value "$key" InstallLocation)" = "$(windows_path "$folder")" ] || fail "no per-user uninstall entry"
! reg_has_key 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvane' ||
  fail "a per-user install wrote an entry for all users"
if $with_window; then
  wine reg query 'HKCU\Software\Classes\.png\OpenWithProgids' /v Morvane.Picture > /dev/null 2>&1 ||
    fail ".png does not offer \"Open with Morvane\" to the current user"
  [ -f "$appdata/Microsoft/Windows/Start Menu/Programs/Morvane.lnk" ] || fail "no per-user Start-menu shortcut"
  # The player may write this folder, and still it is an installation, not a portable copy.
  rm "$appdata/Morvane/config.dat"
  start_window_once "$(windows_path "$folder/morvane.exe")" "$appdata/Morvane"
  [ -f "$appdata/Morvane/config.dat" ] && [ ! -e "$folder/config.dat" ] ||
    fail "morvane.exe installed for the current user did not keep its settings in %APPDATA%\Morvane"
  echo "morvane.exe installed for the current user keeps its settings in %APPDATA%\Morvane too"
fi
wine "$(windows_path "$folder/morvane-cli.exe")" --version | tr -d '\r'
echo "Installed into $(windows_path "$folder"), uninstall entry $key"
uninstall_quietly "$key"
[ ! -e "$folder" ] || fail "the per-user program folder is still there"
[ ! -e "$appdata/Microsoft/Windows/Start Menu/Programs/Morvane.lnk" ] || fail "the per-user shortcut is still there"
! reg_has_key "$key" || fail "the per-user uninstall entry is still there"
[ "$(snapshot_keys)" = "$keys_before" ] || fail "the per-user uninstall left registry keys behind"
! registry_of_programs | grep -qi morvane || fail "the registry still names Morvane"
[ "$(snapshot_files)" = "$files_after" ] ||
  fail "the per-user uninstall left files: $(comm -13 <(echo "$files_after") <(snapshot_files))"
echo "Uninstalled: $(windows_path "$folder"), its shortcut and its registry keys are gone"
