# Fetches Debian's source packages of the Windows libraries through a private apt configuration
# (a deb-src list and package lists of its own), leaving the system's sources untouched.

# vste_win_fetch_sources DIR PACKAGE...: unpacks each source package of bookworm into DIR.
vste_win_fetch_sources() {
    local dir="$1"
    shift
    local apt="$dir/apt"
    mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/archives/partial"
    cat >"$apt/sources.list.d/debian-src.sources" <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    local options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$apt/sources.list.d"
        -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache::Archives=$apt/archives"
        -o APT::Sandbox::User=root)
    apt-get "${options[@]}" update -qq
    local p
    for p in "$@"; do
        if ls -d "$dir/$p"-*/ >/dev/null 2>&1; then
            continue
        fi
        (cd "$dir" && apt-get "${options[@]}" source -qq "$p/bookworm")
    done
}

# vste_win_source_dir DIR PACKAGE: the unpacked folder of PACKAGE under DIR.
vste_win_source_dir() {
    ls -d "$1/$2"-*/ | head -n 1 | sed 's:/$::'
}
