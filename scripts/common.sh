# Shared by the scripts: Debian packages, builds, a virtual X server.
# `need_packages pkg...` installs what is missing as root; otherwise it names
# what to install and fails.
need_packages() {
    local missing=() p log inst install=(apt-get install --no-install-recommends)  # what is needed, no more
    for p in "$@"; do
        [[ " ${missing[*]} " != *" $p "* ]] || continue  # named twice
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages; install them with:"
        echo "  sudo apt-get install ${missing[*]}"
        exit 1
    fi
    echo "Installing Debian packages: ${missing[*]}"
    log=$(mktemp)
    export DEBIAN_FRONTEND=noninteractive DEBCONF_NOWARNINGS=yes
    # apt's own lines go to a log, shown only if it fails; what it will
    # fetch and take up, then its progress, are shown.
    if ! apt-get update -q >"$log" 2>&1; then
        cat "$log"; rm -f "$log"; echo "apt-get update failed"; exit 1
    fi
    # A name this release does not have fails here, named, before any estimate.
    if ! "${install[@]}" -s -qq "${missing[@]}" >"$log" 2>&1; then
        grep -E '^E:' "$log" || tail -n 5 "$log"
        rm -f "$log"; echo "apt-get cannot install ${missing[*]} on this system"; exit 1
    fi
    inst=$(awk '$1 == "Inst" { print $2 }' "$log")
    echo "  $(wc -w <<<"$inst") packages with what they need: about" \
        "$("${install[@]}" --print-uris -qq "${missing[@]}" 2>/dev/null |
            awk '{ s += $3 } END { printf "%.1f", s / 1e6 }') MB to download," \
        "$(apt-cache show --no-all-versions $inst 2>/dev/null |
            awk '/^Installed-Size:/ { s += $2 } END { printf "%.1f", s / 1024 }') MB on disk"
    if ! "${install[@]}" -y -q -o APT::Status-Fd=3 "${missing[@]}" 3>&1 >"$log" 2>&1 | apt_progress; then
        tail -n 30 "$log"; rm -f "$log"; echo "apt-get could not install ${missing[*]}"; exit 1
    fi
    rm -f "$log"
}

# Turns apt's status lines into a line per tenth downloaded or installed.
apt_progress() {
    local line step last=
    while IFS= read -r line; do
        [[ $line =~ ^(dl|pm)status:.*:([0-9]+)(\.[0-9]*)?:[^:]*$ ]] || continue
        step="$([ "${BASH_REMATCH[1]}" = dl ] && echo downloading || echo installing)"
        step="  $step: $((BASH_REMATCH[2] / 10 * 10)) %"
        [ "$step" = "$last" ] || { echo "$step"; last=$step; }
    done
}

BUILD_PACKAGES=(cmake make g++ pkg-config freeglut3-dev libglu1-mesa-dev libgl-dev libx11-xcb-dev libxcb-glx0-dev)
X_PACKAGES=(xvfb xauth xdotool x11-utils x11-apps imagemagick)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix dpkg-dev zip googletest)
PACKAGE_PACKAGES=(dpkg-dev lintian man-db desktop-file-utils appstream devscripts)
WEB_PACKAGES=(cmake make emscripten zip python3 brotli)
# The browser tests' own: headless Chromium through WebDriver, Firefox ESR
# through its WebDriver BiDi server, WebKitGTK through WebKitWebDriver;
# Java for the W3C's markup checker.
BROWSER_PACKAGES=(chromium chromium-driver python3-selenium libfaketime imagemagick curl firefox-esr
    webkit2gtk-driver python3-websocket default-jre-headless)

# Writes into a web site's service worker (sw.js) its other files and a
# version named after their content: a changed file makes a new version.
# Not the .gz and .br forms: a browser asks for the files, the server picks.
stamp_site() {  # SITE
    local names version
    names=$(cd "$1" && find . -maxdepth 1 -type f ! -name sw.js ! -name '*.gz' ! -name '*.br' -printf '%f\n' | LC_ALL=C sort)
    version=$(cd "$1" && sha256sum $names | sha256sum | cut -c 1-16)
    sed -i -e "s/^const version = .*/const version = '$version';/" \
        -e "s/^const files = .*/const files = ['.\/', $(sed "s/.*/'&'/" <<<"$names" | paste -sd, -)];/" "$1/sw.js"
}

# What ships carries the last commit's time (outside a clone, the
# changelog's), unless the caller set one: SOURCE_DATE_EPOCH, exported.
export_source_date() {
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || stat -c %Y data/changelog)}
    export SOURCE_DATE_EPOCH
}

# The first Debian mirror in this system's apt sources.
debian_mirror() {
    cat /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null |
        sed -En 's/^URIs:[[:space:]]*([^[:space:]]+).*/\1/p; s/^deb[[:space:]]+([^[:space:]]+).*/\1/p' |
        grep -v security | head -n 1 || true
}

# Removes a build folder that another source tree configured (a copied
# clone, say), which CMake would refuse to reuse.
fresh_build_dir() {  # folder
    local cache=$1/CMakeCache.txt home
    [ -f "$cache" ] || return 0
    home=$(sed -n 's/^CMAKE_HOME_DIRECTORY:INTERNAL=//p' "$cache")
    [ "$home" -ef . ] || { echo "$1 was configured for $home; starting it afresh"; rm -rf "$1"; }
}

# Runs cmake quietly: its output is shown only when it fails.
quiet_cmake() {  # cmake arguments...
    local log
    log=$(mktemp)
    cmake "$@" >"$log" 2>&1 || { cat "$log"; rm -f "$log"; echo "cmake $* failed"; exit 1; } >&2
    rm -f "$log"
}

# Configures a build folder and builds the given targets (all when none). A
# new folder is configured without the tests, which need more packages.
build_targets() {  # folder, targets...
    local dir=$1 opts=()
    shift
    fresh_build_dir "$dir"
    [ -f "$dir/CMakeCache.txt" ] || opts=(-DBUILD_TESTING=OFF)
    echo "Building ${*:-everything} in $dir"
    quiet_cmake -S . -B "$dir" "${opts[@]}"
    quiet_cmake --build "$dir" -j"$(nproc)" ${1:+--target "$@"}
}

# The frame counter that tests and benchmarks preload into the viewer, in a
# build folder; it writes the frames presented so far to $VELLMOOR_FRAMES.
frames_lib() { echo "$(realpath "$1")/tests/support/libvellmoor_frames.so"; }

# Frames counted in FILE so far (0 before the first).
frame_count() {  # FILE
    local n=
    [ ! -s "$1" ] || read -r n <"$1" || true
    echo "${n:-0}"
}

# Waits, a minute at most, until FILE counts WANT frames; fails if PID ends.
await_frames() {  # FILE WANT PID
    local k
    for ((k = 0; k < 1200; k++)); do
        (($(frame_count "$1") >= $2)) && return 0
        kill -0 "$3" 2>/dev/null || { echo "the viewer ended before frame $2"; exit 1; }
        sleep 0.05
    done
    echo "no frame $2 within a minute"
    exit 1
}

# Starts Xvfb on a free display with one screen of the given size and exports
# DISPLAY; XVFB_PID is the server's, for the caller's exit trap. Further
# arguments go to Xvfb (+iglx, say).
start_xvfb() {  # WIDTHxHEIGHT [Xvfb options...]
    local n size=$1
    shift
    exec 5<> <(:)
    # -noreset: a server whose last client leaves resets, and refuses a client
    # that connects meanwhile (the viewer, while a window search comes and goes).
    Xvfb -displayfd 5 -screen 0 "${size}x24" -br -noreset -nolisten tcp "$@" >/dev/null 2>&1 &  # black root
    XVFB_PID=$!
    read -r -t 20 n <&5 || { echo "Xvfb did not start"; exit 1; }
    exec 5<&-
    export DISPLAY=":$n"
}

# Prints the first visible window named Vellmoor, searching again and again
# until SECS have passed or process PID has ended (then status 1): one search
# dies of a window that goes while it looks (BadWindow), and Wine and window
# managers make and drop windows of their own. Further arguments go to the
# search (--pid, say).
find_window() {  # SECS PID [xdotool search options...]
    local end=$((SECONDS + $1)) pid=$2 w
    shift 2
    until w=$(timeout 10 xdotool search --onlyvisible --limit 1 "$@" --name '^Vellmoor$' 2>/dev/null) && [ -n "$w" ]; do
        kill -0 "$pid" 2>/dev/null && ((SECONDS < end)) || return 1
        sleep 0.1
    done
    echo "$w"
}

# The icon's pixel sizes, kept as PNGs beside its SVG (scripts/icons.sh).
ICON_SIZES="16 24 32 48 64 128 256"
