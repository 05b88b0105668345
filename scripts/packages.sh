# Debian 12 packages each build needs, and the one way they are installed.
CORE_PACKAGES=(cmake make g++ libgtest-dev libbenchmark-dev libx11-dev libxdamage-dev xvfb strace
    desktop-file-utils appstream)
QT_PACKAGES=(cmake make g++ qt6-base-dev fonts-liberation)
# Wine runs 32-bit programs only with its i386 half; plain 'wine' lacks it.
WIN32_PACKAGES=(cmake make g++-mingw-w64-i686-win32 wine wine32:i386 xvfb fonts-liberation)

install_packages()
{
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    if [[ " $* " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}
