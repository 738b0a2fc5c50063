#!/usr/bin/env bash
# Builds the Debian package from a build folder and checks it: its name, the libraries it depends
# on, every file it installs, the menu entry, the AppStream metadata and lintian's verdict. With
# ORBALIN_INSTALL_PACKAGE=1, as root (CI), it also installs it with apt, starts the program as
# another user, and removes it again, checking nothing of it is left.
# Usage: package-check.sh BUILD_FOLDER
set -euo pipefail
build=$1
work=$(mktemp -d)
chmod 755 "$work" # another user starts the installed program with a home below it
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
cpack --config "$build/CPackConfig.cmake" -B "$work" >/dev/null
deb=$work/orbalin_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb") was made: $(ls "$work")"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6printsupport6 libjpeg62-turbo libcups2; do
    [[ $depends == *"$library"* ]] || fail "the package does not depend on $library: $depends"
done

# The Help menu hands its page, the homepage and the mail to xdg-open.
[[ $(dpkg-deb -f "$deb" Recommends) == *xdg-utils* ]] || fail "the package does not recommend xdg-utils"

dpkg-deb -x "$deb" "$work/root"
expected=(usr/bin/orbalin usr/lib/orbalin/orbalin usr/lib/orbalin/config.obn usr/lib/orbalin/english.lag
    usr/lib/orbalin/round.bmp usr/lib/orbalin/hlp-obn7000/help-Orbalin.htm usr/lib/orbalin/shared-install
    usr/share/applications/orbalin.desktop usr/share/metainfo/io.github.orbalin.Orbalin.metainfo.xml
    usr/share/icons/hicolor/scalable/apps/orbalin.svg usr/share/doc/orbalin/copyright
    usr/share/doc/orbalin/changelog.gz)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/orbalin.png")
done
for file in "${expected[@]}"; do
    [ -e "$work/root/$file" ] || [ -L "$work/root/$file" ] || fail "the package does not install /$file"
done
[ "$(readlink "$work/root/usr/bin/orbalin")" = ../lib/orbalin/orbalin ] || fail "/usr/bin/orbalin leads elsewhere"

desktop-file-validate "$work/root/usr/share/applications/orbalin.desktop" || fail "desktop-file-validate refuses the menu entry"
grep -qx 'Exec="/usr/lib/orbalin/orbalin"' "$work/root/usr/share/applications/orbalin.desktop" ||
    fail "the menu entry does not start /usr/lib/orbalin/orbalin"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/io.github.orbalin.Orbalin.metainfo.xml" >/dev/null ||
    fail "appstreamcli refuses the metadata"
metainfo=$work/root/usr/share/metainfo/io.github.orbalin.Orbalin.metainfo.xml
grep -q "<release version=\"$version\"" "$metainfo" || fail "the AppStream release is not version $version"
grep -q "<url type=\"homepage\">$(dpkg-deb -f "$deb" Homepage)</url>" "$metainfo" ||
    fail "the AppStream homepage is not the package's"
[ "$(zcat "$work/root/usr/share/doc/orbalin/changelog.gz" | sed -n '1s/^orbalin (\(.*\)).*/\1/p')" = "$version" ] ||
    fail "the changelog's newest entry is not version $version"
if command -v lintian >/dev/null; then
    errors=$(lintian "$deb" 2>/dev/null | grep '^E:' || true)
    [ -z "$errors" ] || fail "lintian: $errors"
fi

if [ "${ORBALIN_INSTALL_PACKAGE:-}" = 1 ] && [ "$(id -u)" -eq 0 ]; then
    ! dpkg -s orbalin >/dev/null 2>&1 || fail "orbalin is installed already: this check would remove it"
    trap 'apt-get remove -y -qq orbalin >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
    mapfile -t installed < <(dpkg -L orbalin)
    home=$work/home && mkdir -p "$home" && chown nobody "$home"
    env QT_QPA_PLATFORM=offscreen ORBALIN_QUIT_AFTER_START=1 HOME="$home" XDG_DATA_HOME="$home/data" \
        setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups timeout 60 orbalin ||
        fail "the installed program did not start cleanly for another user"
    [ -d "$home/data/orbalin" ] || fail "the installed program gave its user no folder of their own"
    # Root's start writes nothing into the program folder either.
    env QT_QPA_PLATFORM=offscreen ORBALIN_QUIT_AFTER_START=1 HOME="$work/root-home" timeout 60 orbalin ||
        fail "the installed program did not start cleanly for root"
    DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq orbalin >/dev/null
    for path in "${installed[@]}"; do
        [ "$path" = /. ] || [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after removal"
    done
    [ ! -e /usr/lib/orbalin ] || fail "/usr/lib/orbalin is left after removal: $(ls -A /usr/lib/orbalin)"
    [ -d "$home/data/orbalin" ] || fail "removal took the user's own folder"
    echo "installed, started and removed cleanly"
fi
echo "the package is fine"
