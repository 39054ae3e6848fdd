# Installs the Debian packages named as arguments that are not installed yet.
# Sourced by the other scripts; needs root or sudo only when something is missing.
install_missing_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

BUILD_PACKAGES=(cmake make g++ pkg-config libgtest-dev libbenchmark-dev libcli11-dev mawk
                qt6-base-dev libgl-dev fonts-dejavu-core)
# Installing and packing for Debian, and checking what that gives.
PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils)
FUZZ_PACKAGES=(clang libclang-rt-dev)
# The window tests that need a real X display and window manager.
DISPLAY_TEST_PACKAGES=(xvfb xauth openbox x11-utils)
# The Windows builds, and running them under 64-bit Wine.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
                  binutils-mingw-w64-i686 googletest libcli11-dev nsis)
WINE_PACKAGES=(wine64 fonts-wine xvfb xauth)
