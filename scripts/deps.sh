# Installs the Debian packages that are missing: `need_packages pkg...`.
# As root it runs apt-get; otherwise it names what to install and fails.
need_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages; install them with:"
        echo "  sudo apt-get install ${missing[*]}"
        exit 1
    fi
    echo "Installing ${missing[*]}"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null ||
        { echo "apt-get could not install ${missing[*]}"; exit 1; }
}

BUILD_PACKAGES=(cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl-dev)
X_PACKAGES=(xvfb xauth xdotool x11-utils x11-apps imagemagick)
