# Sourced by the Windows build scripts: fetches a Debian source package of
# exactly the version installed on the host, so that a library cross-built
# for Windows is the one the native build links.
#
#   fetch_debian_source SOURCE_PACKAGE VERSION DIR   unpacks into DIR (patched)
#                                                    and prints the source folder

# apt-get source needs deb-src entries: one for every deb entry of the
# system's sources (the security suite too, whose fixes the host's libraries
# carry), added when there are none.
ensure_deb_src() {
    grep -rqsE '^(deb-src |Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/ && return
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            | $sudo tee /etc/apt/sources.list.d/ostrel-deb-src.sources >/dev/null
    elif grep -qsE '^deb ' /etc/apt/sources.list; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | $sudo tee /etc/apt/sources.list.d/ostrel-deb-src.list >/dev/null
    else
        echo "No Debian mirror found in the apt sources." >&2
        exit 1
    fi
    $sudo apt-get update -qq
}

fetch_debian_source() {
    local package=$1 version=$2 dir=$3
    install_missing dpkg-dev >&2
    ensure_deb_src
    mkdir -p "$dir"
    (cd "$dir" && apt-get source -qq "$package=$version") >&2
    find "$dir" -mindepth 1 -maxdepth 1 -type d -name "$package-*" | head -1
}
