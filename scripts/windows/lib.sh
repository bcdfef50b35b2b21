# Shared helpers of the Windows build scripts; sourced after scripts/lib.sh.

# Everything built for Windows outside the source tree: Qt, GoogleTest and
# their sources, reused from one run to the next.
WINDOWS_CACHE=${BRENNQUIST_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brennquist}

# The cross compiler and the tools the Windows build needs on this machine.
WINDOWS_BUILD_PACKAGES=(cmake ninja-build dpkg-dev xz-utils g++-mingw-w64-x86-64-posix
                        binutils-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools qt6-svg-dev)

# A private apt configuration in FOLDER whose source entries are derived from
# the machine's own Debian entries, so `apt-get source` works without touching
# the system's configuration. Sets APT_OPTS.
apt_private_config() {
    local apt=$1
    mkdir -p "$apt/lists/partial" "$apt/archives/partial" "$apt/sources.list.d"
    : > "$apt/sources.list"
    local file
    for file in /etc/apt/sources.list.d/*.sources; do
        [ -f "$file" ] || continue
        grep -q 'debian.org' "$file" || continue
        sed -e 's/^Types:.*/Types: deb-src/' "$file" > "$apt/sources.list.d/$(basename "$file")"
    done
    if [ -f /etc/apt/sources.list ]; then
        grep -E '^deb .*debian\.org' /etc/apt/sources.list | sed 's/^deb /deb-src /' \
            >> "$apt/sources.list" || true
    fi
    APT_OPTS=(-o "Dir::Etc::SourceList=$apt/sources.list"
              -o "Dir::Etc::SourceParts=$apt/sources.list.d"
              -o "Dir::State::Lists=$apt/lists"
              -o "Dir::Cache::Archives=$apt/archives")
}

# fetch_source FOLDER PACKAGE VERSION: unpacks Debian's source of that version
# below FOLDER once (APT_OPTS set) and prints the unpacked folder.
fetch_source() {
    local folder=$1 package=$2 version=$3
    local upstream=${version%%-*}; upstream=${upstream#*:}
    local dir="$folder/$package-$upstream"
    if [ ! -d "$dir" ]; then
        mkdir -p "$folder"
        (cd "$folder" && apt-get "${APT_OPTS[@]}" source -qq "$package=$version") >&2
    fi
    echo "$dir"
}

# The toolchain file for the MinGW-w64 cross compiler: write_toolchain FILE ROOT...
# The ROOTs are searched for Windows libraries and packages; /usr's are never used.
write_toolchain() {
    local file=$1
    shift
    cat > "$file" <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $*)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN
}

# Runs a build script that prints the paths of what it built as its last COUNT
# lines, and prints those lines: last_paths COUNT STEP COMMAND... Fails at
# once, saying that STEP failed, when the script does or when one of those
# lines is not an existing file or folder (the script stopped early).
last_paths() {
    local count=$1 step=$2
    shift 2
    local output
    if ! output=$("$@"); then
        echo "$step failed" >&2
        return 1
    fi
    local paths
    paths=$(tail -n "$count" <<<"$output")
    local path
    while IFS= read -r path; do
        if [ ! -e "$path" ]; then
            echo "$step failed: \"$path\" is not what it built" >&2
            return 1
        fi
    done <<<"$paths"
    echo "$paths"
}
