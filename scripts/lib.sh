# Shared helpers of the set-up scripts; sourced, not run.

# The codename of the Debian release this runs on (bookworm, trixie, ...).
debian_release() {
    (. /etc/os-release && echo "${VERSION_CODENAME:-unknown}")
}

# Packages the program needs to build and run; xvfb-run (with xauth) gives it a
# virtual display on a machine without one, qt6-wayland draws on a Wayland session.
# Qt SVG draws the icon's PNGs at build time; the program itself does not use it.
RUN_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgl-dev fonts-liberation
              fonts-comic-neue xdg-utils libcups2-dev qt6-translations-l10n pkg-config
              libxcb1-dev xvfb xauth qt6-wayland)
# What the Debian package needs to be built and checked.
PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream)
# What the tests, benchmarks and fuzzers need on top (the tests build the package too).
# dbus-x11, as most desktops have it: a program on a display without a session bus
# then gets one launched for that display, which stays connected to it; the tests
# meet that as users do, so none can pass only because no bus could be launched.
TEST_PACKAGES=(googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev
               poppler-utils cups printer-driver-cups-pdf xdotool dbus dbus-x11 at-spi2-core
               python3-pyatspi weston locales "${PACKAGE_PACKAGES[@]}")
# The locales the tests pin.
TEST_LOCALES=(de_DE.UTF-8 en_US.UTF-8)

# Installs the named Debian packages that are missing; quick when none is.
ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}\n' "$pkg" 2>/dev/null | grep -q '^install ok installed$'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    # Another set-up may hold the package database: wait for it rather than fail.
    local lock=(-o DPkg::Lock::Timeout=900)
    "${sudo[@]}" apt-get "${lock[@]}" update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "${lock[@]}" install -y -qq \
        --no-install-recommends "${missing[@]}"
}

# Generates the named locales (as "de_DE.UTF-8") that the system lacks, the
# Debian way: listed in /etc/locale.gen, so a later locale-gen keeps them.
ensure_locales() {
    local missing=()
    local name
    for name in "$@"; do
        # locale -a writes the charset as "utf8".
        if ! locale -a 2>/dev/null | grep -qixF "${name%%.*}.utf8"; then
            missing+=("$name")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Generating missing locales: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    for name in "${missing[@]}"; do
        if grep -qE "^# *${name//./\\.} UTF-8\$" /etc/locale.gen 2>/dev/null; then
            "${sudo[@]}" sed -i -E "s/^# *(${name//./\\.} UTF-8)\$/\\1/" /etc/locale.gen
        elif ! grep -qE "^${name//./\\.} UTF-8\$" /etc/locale.gen 2>/dev/null; then
            echo "$name UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
        fi
    done
    "${sudo[@]}" locale-gen
}

# Configures a build folder once: configure DIR [cmake args...]
configure() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
    fi
}

# Configures (once) and builds a build folder: configure_and_build DIR [cmake args...]
configure_and_build() {
    configure "$@"
    cmake --build "$1"
}
