#!/bin/sh
# Puts Morvane into this user's menu, as it is in this folder: the menu entry
# ~/.local/share/applications/morvane.desktop and the icon under ~/.local/share/icons. No root needed.
#   ./install.sh [--install]    add them (again, after moving this folder)
#   ./install.sh --uninstall    remove exactly those; the settings and the textures stay
set -eu
here=$(cd "$(dirname "$0")" && pwd -P)
fail() { printf 'install.sh: %s\n' "$*" >&2; exit 1; }

data=${XDG_DATA_HOME:-}
case $data in
  /*) ;;
  *) [ -n "${HOME:-}" ] || fail "neither HOME nor XDG_DATA_HOME is set"; data=$HOME/.local/share ;;
esac
entry=$data/applications/morvane.desktop
marker=X-Morvane-Portable=true
icons=$(cd "$here/share/icons" && find hicolor -name 'morvane.*' | sort)
ours() { grep -qx "$marker" "$entry"; }

case ${1:-} in
  "" | --install)
    # A line break cannot be written in a menu entry, and GLib's menus look for a program whose name has a %
    # under the escaped name.
    case $here in *'
'* | *%*) fail "a menu entry cannot name a folder whose name holds a line break or a %: move $here" ;; esac
    [ ! -e "$entry" ] || ours || fail "$entry is not Morvane's own: it is left as it is, and nothing was added"
    # The entry's Exec quoting (\ " \` $ escaped inside double quotes), then its string escaping (\ doubled).
    program=$(printf '%s\n' "$here/bin/morvane" | sed -e 's/[\\"`$]/\\&/g' -e 's/\\/\\\\/g')
    try=$(printf '%s\n' "$here/bin/morvane" | sed -e 's/\\/\\\\/g')
    mkdir -p "$data/applications"
    for icon in $icons; do
      mkdir -p "$data/icons/${icon%/*}"
      cp "$here/share/icons/$icon" "$data/icons/$icon"
    done
    {
      sed -e '/^Exec=/d' -e '/^TryExec=/d' "$here/share/morvane.desktop"
      printf 'Exec="%s" %%f\nTryExec=%s\n%s\n' "$program" "$try" "$marker"
    } > "$entry.new" && mv "$entry.new" "$entry" || { rm -f "$entry.new"; fail "could not write $entry"; }
    printf 'Added %s and the icon under %s, for %s.\n' "$entry" "$data/icons" "$here/bin/morvane"
    ;;
  --uninstall)
    removed="menu entry and icon"
    if [ -e "$entry" ] && ! ours; then
      printf "install.sh: %s is not Morvane's own: it is left as it is\n" "$entry" >&2
      removed=icon
    else
      rm -f "$entry"
    fi
    for icon in $icons; do rm -f "$data/icons/$icon"; done
    # The folders the entry and the icons brought, where nothing else is in them.
    for icon in $icons; do
      folder=${icon%/*}
      while [ "$folder" != . ] && [ -n "$folder" ]; do
        rmdir "$data/icons/$folder" 2> /dev/null || break
        case $folder in */*) folder=${folder%/*} ;; *) folder=. ;; esac
      done
    done
    rmdir "$data/icons" "$data/applications" 2> /dev/null || true
    printf "Removed Morvane's %s from %s.\n" "$removed" "$data"
    ;;
  *) fail "unknown option \"$1\"; use --install (or none) to add Morvane to the menu, --uninstall to remove it" ;;
esac
