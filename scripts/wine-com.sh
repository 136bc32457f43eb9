# Sourceable: COM ports of the prefix that scripts/wine-env.sh names, as links to Linux devices.
#
#   mirl_wine_link_com N TARGET
#       Makes COMn of the prefix lead to TARGET (an end of a pseudo-terminal, /dev/null, a serial
#       device): to a program it is then a COM port. Brings the prefix up first, since Wine's device
#       manager rewrites dosdevices/comN when a server starts. The link is made beside and renamed
#       over, so that a program never finds the port missing in between.
#   mirl_wine_unlink_com N...
#       Makes COMn lead nowhere.
# Each needs the environment of scripts/wine-env.sh, sourced first.

# shellcheck source=wine-prefix.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"

mirl_wine_link_com() {
    local link=$WINEPREFIX/dosdevices/com$1 target
    target=$(readlink -m "$2")
    mirl_wine_prefix_ready || return 1
    ln -sfn "$target" "$link.new" && mv -Tf "$link.new" "$link"
}

mirl_wine_unlink_com() {
    local n
    for n in "$@"; do rm -f "$WINEPREFIX/dosdevices/com$n"; done
}
