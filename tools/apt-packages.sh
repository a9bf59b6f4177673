# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that install what they need from Debian's packages.
#
# install_missing PACKAGE...: installs those of the packages that are not
# installed yet (as root, without recommends), and does nothing, not even
# `apt-get update`, when every one is there.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}
