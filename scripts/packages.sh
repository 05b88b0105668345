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
# The 32-bit Windows build, and Wine to run its tests.
WIN32_PACKAGES=(cmake make g++-mingw-w64-i686-win32 wine xvfb fonts-liberation)

# 32-bit x86 code runs only where the kernel's compatibility layer is on;
# some virtual machines lack it, and there 32-bit Wine cannot start.
runs_i386_code()
{
    local probe status
    probe=$(mktemp) || return 1
    # The smallest i386 ELF program: exit(0) through int 0x80.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
    status=$?
    rm -f "$probe"
    return $status
}

# Wine runs 32-bit programs only with its i386 half, which plain 'wine' lacks.
# Where that half cannot start, the Windows tests run a 64-bit build of the
# same sources under 64-bit Wine instead.
if runs_i386_code; then
    WINE_PACKAGES=(wine32:i386)
else
    WINE_PACKAGES=(wine64 g++-mingw-w64-x86-64-win32)
fi

# The web page: clang, lld and LLVM's archiver for WebAssembly, the C++
# library's headers for it and the C library (the module takes memcmp from
# it); Python writes the page into one file. The same names bring LLVM 14 on
# Debian 12 and 19 on 13.
WEB_PACKAGES=(cmake make clang lld llvm libc++-dev-wasm32 wasi-libc python3)
# Its tests: chromium and Firefox ESR headless, WebKitGTK's driver with its
# MiniBrowser on a private Xvfb display, the fonts the page falls back to,
# and npm to fetch axe-core, over TLS with the system's certificates.
# Debian's npm conflicts with NodeSource's nodejs, so it comes only where no
# npm is on PATH.
WEB_TEST_PACKAGES=(chromium firefox-esr webkit2gtk-driver xvfb fonts-liberation python3 ca-certificates)
command -v npm >/dev/null || WEB_TEST_PACKAGES+=(npm)

# How long to wait for another package manager to finish, in seconds.
LOCK_WAIT=300
# A mirror caught mid-sync serves an index that does not match its Release
# file for a while: how often to ask again, and how long to wait between.
UPDATE_TRIES=${ARF_APT_TRIES:-4}
UPDATE_PAUSE=${ARF_APT_PAUSE:-20}

# apt-get update until every index comes, or the tries run out; prints the
# last try's report. Another package manager's lock is waited for, not counted.
update_indices()
{
    local try=1 waited=0 log
    while :; do
        log=$("$@" update -qq 2>&1) && ! grep -q 'Failed to fetch' <<<"$log" && return 0
        if grep -q 'Could not get lock' <<<"$log" && [ $waited -lt $LOCK_WAIT ]; then
            sleep 2
            waited=$((waited + 2))
            continue
        fi
        grep -q 'Failed to fetch' <<<"$log" && [ $try -lt $UPDATE_TRIES ] || break
        echo "packages: an index failed to download (try $try of $UPDATE_TRIES); trying again in $UPDATE_PAUSE s" >&2
        sleep "$UPDATE_PAUSE"
        try=$((try + 1))
    done
    printf '%s\n' "$log"
    return 1
}

# Says which indices stayed broken and what that means for what comes next.
explain_failed_indices()
{
    local url reason what
    while IFS= read -r line; do
        url=${line#*Failed to fetch }
        reason=${url#*  }
        url=${url%%  *}
        case $url in
        */dists/*/binary-*/*)
            what=$(sed -E -e 's|.*/dists/([^/]+)/([^/]+)/binary-([^/]+)/.*|the \3 packages of \1 (\2)|' \
                -e 's|^the all |the architecture-independent |' <<<"$url") ;;
        */dists/*)
            what=$(sed -E 's|.*/dists/([^/]+)/.*|every package of \1|' <<<"$url") ;;
        *) what="the packages it lists" ;;
        esac
        echo "packages: apt could not download $url: $reason" >&2
        echo "packages:   so $what may be missing here, or older than the rest (apt keeps an older copy of the index, if it has one)" >&2
    done < <(grep -E '^[EW]: Failed to fetch ' <<<"$1")
}

install_packages()
{
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    local apt=($sudo apt-get -o DPkg::Lock::Timeout=$LOCK_WAIT -o Acquire::Retries=3)
    if [[ " $* " == *":i386 "* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo dpkg --add-architecture i386
    fi
    local log
    if ! log=$(update_indices "${apt[@]}"); then
        if ! grep -q 'Failed to fetch' <<<"$log"; then
            printf '%s\n' "$log" >&2
            return 1
        fi
        explain_failed_indices "$log"
        # A mirror mid-sync often breaks one index that nothing here needs.
        if ! log=$("${apt[@]}" install --simulate --no-install-recommends "$@" 2>&1); then
            grep -E '^(E:| )' <<<"$log" | grep -v '^ *$' >&2
            echo "packages: with those indices missing, apt cannot install what is needed; wait for the mirror to finish its sync (usually within hours) and run this again, or point apt at another mirror" >&2
            return 1
        fi
        echo "packages: every package needed can still be installed; going on" >&2
    fi
    "${apt[@]}" install -y -qq --no-install-recommends "$@" >/dev/null
}
