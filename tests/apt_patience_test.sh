#!/usr/bin/env bash
# The install step against indices that fail on purpose: a source nobody
# answers, and a mirror caught mid-sync (its Release file promises another
# size than the index it serves). It changes the machine's apt sources and
# installs a package, so it runs only in a throw-away root:
#   scripts/in-debian.sh trixie tests/apt_patience_test.sh
set -uo pipefail
cd "$(dirname "$0")/.."
[ -f /.arf-throw-away ] || { echo "$0: runs only in a throw-away root (scripts/in-debian.sh)" >&2; exit 2; }
source scripts/packages.sh
UPDATE_PAUSE=1

repo=/srv/mid-sync
mkdir -p "$repo/dists/sid/main/binary-all"
printf 'Package: arf-probe\nVersion: 1\nArchitecture: all\nFilename: pool/arf-probe.deb\nSize: 1\nDescription: probe\n' \
    >"$repo/dists/sid/main/binary-all/Packages"
{
    printf 'Suite: sid\nCodename: sid\nDate: %s\nArchitectures: all\nComponents: main\nSHA256:\n' "$(date -uR)"
    printf ' %s 999 main/binary-all/Packages\n' "$(sha256sum <"$repo/dists/sid/main/binary-all/Packages" | cut -d' ' -f1)"
} >"$repo/dists/sid/Release"
cat >/etc/apt/sources.list.d/failing.list <<EOF
deb [trusted=yes] http://127.0.0.1:9/debian nowhere main
deb [trusted=yes] file:$repo sid main
EOF

passed=0 failed=0
check()
{
    if [ "$1" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $2"; fi
}

# packages asked for | exit status | what the step must say
rows=(
    "hello|0|apt could not download http://127.0.0.1:9/debian/dists/nowhere/InRelease"
    "hello|0|so every package of nowhere may be missing"
    "hello|0|apt could not download file:$repo/dists/sid/main/binary-all/Packages: Hash Sum mismatch"
    "hello|0|so the architecture-independent packages of sid (main) may be missing"
    "hello|0|try $((UPDATE_TRIES - 1)) of $UPDATE_TRIES"
    "hello|0|every package needed can still be installed; going on"
    "arf-probe|1|apt cannot install what is needed; wait for the mirror"
    "arf-probe|1|E: Unable to locate package arf-probe"
)
declare -A said status
for row in "${rows[@]}"; do
    IFS='|' read -r packages want text <<<"$row"
    if [ -z "${status[$packages]+set}" ]; then
        said[$packages]=$(install_packages $packages 2>&1)
        status[$packages]=$?
        printf '%s\n' "${said[$packages]}" | sed "s/^/[$packages] /"
    fi
    [ "$([ "${status[$packages]}" = 0 ] && echo 0 || echo 1)" = "$want" ]
    check $? "installing $packages exits $([ "$want" = 0 ] && echo 0 || echo non-zero)"
    grep -qF -- "$text" <<<"${said[$packages]}"
    check $? "installing $packages says: $text"
done
dpkg -s hello 2>/dev/null | grep -q '^Status: install ok installed'
check $? "hello is installed despite the broken indices"
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
