# Debian 12 packages each build needs, and the one way they are installed.
CORE_PACKAGES=(cmake make g++ libgtest-dev libbenchmark-dev)
QT_PACKAGES=(cmake make g++ qt6-base-dev fonts-liberation)

install_packages()
{
    local sudo=
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}
