#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop is given: a program folder
# that starts from the command in bin/ without a message, also when it is read-only, and says what
# it misses when a file is gone; a valid menu entry naming that program; the icon.
# Usage: install-check.sh BUILD_FOLDER
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'chmod -R u+w "$prefix"; rm -rf "$prefix"' EXIT
chmod 755 "$prefix" # another user starts the program from here below

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
folder=$prefix/lib/orbalin
for file in orbalin config.obn round.bmp round_min.bmp exemple.bmp cd1.txt cd2.txt cd3.txt english.lag \
    hlp-obn7000/help-Orbalin.htm; do
    [ -f "$folder/$file" ] || fail "$file is not in the program folder"
done

entry=$prefix/share/applications/orbalin.desktop
desktop-file-validate "$entry" || fail "desktop-file-validate refuses $entry"
grep -qx "Exec=\"$folder/orbalin\"" "$entry" || fail "the menu entry does not start $folder/orbalin"
grep -qx "Icon=orbalin" "$entry" || fail "the menu entry names another icon"
[ "$(head -c 8 "$prefix/share/icons/hicolor/256x256/apps/orbalin.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
    fail "no PNG icon in the hicolor theme"

start() { # USER: starts the installed program as that user (or as ourselves) and quits
    local as=()
    if [ "$(id -u)" -eq 0 ] && [ "$1" != self ]; then
        as=(setpriv --reuid="$1" --regid="$(id -g "$1")" --clear-groups)
    fi
    env QT_QPA_PLATFORM=offscreen ORBALIN_QUIT_AFTER_START=1 HOME="$prefix" XDG_DATA_HOME="$prefix/data" "${as[@]}" \
        timeout 60 "$prefix/bin/orbalin" 2>"$prefix/said.txt"
}

start self || fail "the installed program did not start cleanly: $(cat "$prefix/said.txt")"

# Read-only, as when installed for all users: nothing to write at start. Root writes anywhere, so a
# user without rights starts it then.
# Its own files then go to the user's data folder, which it makes.
chmod -R a-w "$folder"
rm -rf "$prefix/data" && mkdir "$prefix/data"
if [ "$(id -u)" -eq 0 ]; then chown nobody "$prefix/data"; fi
start nobody || fail "the read-only program folder did not start cleanly: $(cat "$prefix/said.txt")"
[ -d "$prefix/data/orbalin" ] || fail "the read-only program folder's user got no folder of their own"
chmod -R u+w "$folder"

# The check above can fail: a missing program file is reported by name.
rm "$folder/exemple.bmp"
if start self; then
    fail "a program folder without exemple.bmp started without a word"
fi
grep -q 'exemple.bmp' "$prefix/said.txt" || fail "the missing exemple.bmp was not named: $(cat "$prefix/said.txt")"
# A display that is named but does not answer gets the program's own sentence and status 1.
status=0
env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY=:97531 HOME="$prefix" timeout 60 "$prefix/bin/orbalin" \
    2>"$prefix/said.txt" || status=$?
[ "$status" -eq 1 ] || fail "a display that does not answer ended with status $status: $(cat "$prefix/said.txt")"
grep -q 'The display ":97531" does not answer.' "$prefix/said.txt" ||
    fail "a display that does not answer was not named: $(cat "$prefix/said.txt")"
# The uninstall target takes away every file the install made, and the working files of a run.
grep -qx "$prefix/bin/orbalin" "$build/install_manifest.txt" || fail "install_manifest.txt leaves out bin/orbalin"
grep -qx "$folder/config.obn" "$build/install_manifest.txt" || fail "install_manifest.txt leaves out config.obn"
touch "$folder/refresh1.bmp" "$folder/cd1_tmp.bmp" "$folder/tst.bmp" "$folder/refresh1.bmp.Ab12Cd" \
    "$folder/Cd_cfg.ini.x9Y8z7"
cmake --build "$build" --target uninstall >/dev/null
left=$(find "$prefix/bin" "$prefix/lib" "$prefix/share" -mindepth 1 2>/dev/null | head -5 || true)
[ -z "$left" ] || fail "the uninstall target left: $left"
echo "installed program folder, menu entry and icon are fine"
