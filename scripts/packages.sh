# The packages each build needs on Debian 12 and 13, and the one way they
# are installed.
# What the program needs to run, on X11 and on Wayland.
QT_PACKAGES=(cmake make g++ qt6-base-dev qt6-wayland fonts-liberation)
# The tests: the X11 watcher, the Wayland compositor, the desktop
# validators, the packaging tools, a screen reader's view (AT-SPI) and a
# real screen reader (Orca speaking through speech-dispatcher, under openbox).
# AppStream's compose reads the SVG icon through gdk-pixbuf's SVG loader,
# which Debian 12 pulls in by dependency and Debian 13 does not.
CORE_PACKAGES=(cmake make g++ libgtest-dev libbenchmark-dev libx11-dev libxdamage-dev xvfb strace weston
    desktop-file-utils appstream appstream-compose librsvg2-common dpkg-dev file lintian at-spi2-core python3-pyatspi dbus-daemon
    orca speech-dispatcher speech-dispatcher-espeak-ng openbox xdotool)
# Wine runs 32-bit programs only with its i386 half; plain 'wine' lacks it.
WIN32_PACKAGES=(cmake make g++-mingw-w64-i686-win32 wine wine32:i386 xvfb fonts-liberation)
# The web page: clang and lld for WebAssembly, the C++ library's headers for
# it and the C library (the module takes memcmp from it); Python writes the
# page into one file. The same names bring clang 14 on Debian 12 and 19 on 13.
WEB_PACKAGES=(cmake make clang lld libc++-dev-wasm32 wasi-libc python3)
# Its tests: chromium headless, the fonts the page falls back to, and npm to
# fetch axe-core. Debian's npm conflicts with NodeSource's nodejs, so it
# comes only where no npm is on PATH.
WEB_TEST_PACKAGES=(chromium fonts-liberation python3)
command -v npm >/dev/null || WEB_TEST_PACKAGES+=(npm)

# How long to wait for another package manager to finish, in seconds.
LOCK_WAIT=300

install_packages()
{
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    if [[ " $* " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    # apt-get waits for dpkg's lock by itself, but 'update' not for the
    # package lists' lock: try again while someone else holds it.
    local waited=0 log
    until log=$($sudo apt-get -o DPkg::Lock::Timeout=$LOCK_WAIT update -qq 2>&1); do
        if ! grep -q 'Could not get lock' <<<"$log" || [ $waited -ge $LOCK_WAIT ]; then
            printf '%s\n' "$log" >&2
            return 1
        fi
        sleep 2
        waited=$((waited + 2))
    done
    $sudo apt-get -o DPkg::Lock::Timeout=$LOCK_WAIT install -y -qq --no-install-recommends "$@" >/dev/null
}
