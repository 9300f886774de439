#!/bin/sh
# A second Wine for the tests: Debian 13's Wine 10, in a chroot of its own
# kept outside the source tree, so that the program and its tests are held
# to two implementations of Win32 rather than to the quirks of one.
#   wine10.sh ensure            makes the chroot once (reused afterwards)
#   wine10.sh ensure32          adds the 32-bit Wine to it (wine32:i386), once
#   wine10.sh has32             exits 0 where the chroot has the 32-bit Wine
#   wine10.sh root              prints where it is
#   wine10.sh exec PROGRAM ARG...
#                               runs a program of the chroot (e.g.
#                               /usr/lib/wine/wine64, wineserver) with the
#                               same paths as outside: /tmp and the project
#                               tree are bound into it
# The mounts are made in a mount namespace of the program's own, so they
# exist only as long as the processes started in it (Wine's wineserver and
# its helpers included) and are never seen, nor left behind, outside it.
#
# On a kernel that cannot run 32-bit programs, the chroot's qemu-i386 runs
# them: registered with binfmt_misc in a user namespace of the program's own
# (a binfmt_misc mounted there serves that namespace alone), so that Wine's
# 32-bit loader and every 32-bit process it starts are emulated, while the
# machine's own programs and kernel settings are left as they are.
here=$(cd "$(dirname "$0")" && pwd)
project=$(cd "$here/.." && pwd)
root=${ZAVRIK_WINE10_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/zavrik/trixie}
marker=$root/.zavrik-complete
marker32=$root/.zavrik-wine32
emulated=$root/.zavrik-emulate-i386

fail() {
    echo "the Debian 13 chroot could not be made: $1"
    exit 1
}

# The first Debian archive among apt's sources (one-line and deb822 forms),
# leaving the security archive out: trixie is fetched from where this
# machine already gets its packages.
debian_mirror() {
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        sed -n 's/^[[:space:]]*deb[[:space:]]\{1,\}\(\[[^]]*\][[:space:]]\{1,\}\)\{0,1\}\([^[:space:]]*\)[[:space:]].*/\2/p' "$f"
    done
    for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] || continue
        awk 'BEGIN { RS = ""; FS = "\n" }
             { uri = ""; deb = 0
               for (i = 1; i <= NF; i++) {
                   if ($i ~ /^Types:.*(^|[ \t])deb([ \t]|$)/) deb = 1
                   if ($i ~ /^URIs:/) { split($i, w, /[ \t]+/); uri = w[2] }
               }
               if (deb && uri != "") print uri }' "$f"
    done
}

mirror() {
    debian_mirror | grep -v -- '-security' | grep '/debian/*$' | head -1
}

# Nothing may stay mounted below the root before it is removed: a bind of
# /tmp or of the project would be emptied with it.
mounted_below() {
    awk -v r="$root/" 'index($2 "/", r) == 1 { print $2 }' /proc/self/mounts
}

ensure() {
    if [ "${ZAVRIK_WINE10_FAIL:-}" = 1 ]; then
        # The whole way of a first making, with a suite no mirror has.
        root=$root-forced-failure marker=$root/.zavrik-complete suite=zavrik-forced-failure
    fi
    [ -f "$marker" ] && return 0
    if ! command -v debootstrap >/dev/null 2>&1; then
        apt-get install -y debootstrap >/dev/null 2>&1 \
            || fail "debootstrap is not installed and apt-get could not install it"
    fi
    url=$(mirror)
    [ -n "$url" ] || fail "no Debian archive in /etc/apt/sources.list or /etc/apt/sources.list.d"
    if [ -e "$root" ]; then
        for m in $(mounted_below | sort -r); do umount "$m" 2>/dev/null; done
        [ -z "$(mounted_below)" ] || fail "something is still mounted below $root"
        rm -rf "$root" || fail "the half-made $root could not be removed"
    fi
    mkdir -p "$(dirname "$root")" || fail "$(dirname "$root") could not be created"
    free_kb=$(df -Pk "$(dirname "$root")" 2>/dev/null | awk 'NR == 2 { print $4 }')
    [ -z "$free_kb" ] || [ "$free_kb" -ge 3000000 ] \
        || fail "it needs about 3 GB, and $(dirname "$root") has $((free_kb / 1024)) MB free"
    log=$root.log
    if ! debootstrap --variant=minbase \
            --include=wine,wine64,xvfb,xdotool,x11-xserver-utils \
            "${suite:-trixie}" "$root" "$url" >"$log" 2>&1; then
        reason=$(grep -E '^(E|W): ' "$log" | tail -1)
        [ -n "$reason" ] || reason=$(tail -1 "$log")
        fail "${reason:-debootstrap failed}"
    fi
    [ -x "$root/usr/lib/wine/wine64" ] || fail "the chroot has no /usr/lib/wine/wine64"
    : >"$marker"
}

fail32() {
    echo "the 32-bit Wine could not be added to the Debian 13 chroot: $1"
    exit 1
}

# wine32:i386 in the chroot, from trixie's i386 index (which need not be in
# step with the host's), and where this kernel cannot run 32-bit programs,
# trixie's qemu-i386 to run them. Whether they are emulated is asked again
# on every call: the answer belongs to the kernel, not to the chroot.
ensure32() {
    # apt runs in the plain chroot, outside any user namespace.
    rm -f "$emulated"
    native32=yes packages=
    "$here/probe-i386.sh" >/dev/null 2>&1 || native32=
    [ -n "$native32" ] || [ -x "$root/usr/bin/qemu-i386" ] || packages=qemu-user
    if [ ! -f "$marker32" ]; then
        packages="$packages wine32:i386"
        # A version no mirror has: the same steps, and apt's own refusal at the end.
        [ "${ZAVRIK_WINE32_FAIL:-0}" = 1 ] && packages="$packages=0+zavrik.forced.failure"
    fi
    if [ -n "$packages" ]; then
        log=$root.wine32.log
        # shellcheck disable=SC2086
        if ! (in_chroot /bin/sh -c 'dpkg --add-architecture i386 && apt-get update -q &&
                DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@"' \
                sh $packages) >"$log" 2>&1; then
            reason=$(grep -E '^(E|W): ' "$log" | tail -1)
            # The i386 architecture goes again where no i386 package came with it.
            [ -f "$marker32" ] || (in_chroot dpkg --remove-architecture i386) >/dev/null 2>&1
            fail32 "${reason:-apt-get failed; see $log}"
        fi
    fi
    [ -n "$native32" ] || : >"$emulated"
    if ! version=$( (in_chroot /usr/lib/wine/wine --version) 2>&1); then
        rm -f "$marker32"
        fail32 "its 32-bit loader does not start: $(echo "$version" | tail -1)"
    fi
    : >"$marker32"
}

# Runs "$@" in the chroot, in a mount namespace of its own (and a user
# namespace where 32-bit programs are emulated). The working directory is
# kept where the same path exists inside.
in_chroot() {
    [ -f "$marker" ] || { echo "wine10.sh: no Debian 13 chroot at $root (run: $0 ensure)" >&2; exit 1; }
    userns='' rule=''
    if [ -f "$emulated" ]; then
        userns='--user --map-root-user'
        # i386 ELF programs, position-independent or not; binfmt_misc reads
        # the \x escapes itself. F: the emulator is opened here, outside the chroot.
        rule=':zavrik-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        rule="$rule"':\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        rule="$rule:$root/usr/bin/qemu-i386:F"
    fi
    # shellcheck disable=SC2086,SC2016
    # The lock of the making is no business of the programs run here.
    exec 9>&-
    exec unshare $userns --mount --propagation private sh -c '
        root=$1 project=$2 cwd=$3 rule=$4
        shift 4
        if [ -n "$rule" ]; then
            # In a user namespace /proc can only be bound, not mounted afresh.
            mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
            printf "%s" "$rule" >/proc/sys/fs/binfmt_misc/register &&
            mount --rbind /proc "$root/proc" || exit 125
        else
            mount -t proc proc "$root/proc" || exit 125
        fi
        mount --rbind /dev "$root/dev" &&
        mount --rbind /sys "$root/sys" &&
        mount --rbind /tmp "$root/tmp" &&
        mkdir -p "$root$project" &&
        mount --bind "$project" "$root$project" || exit 125
        exec chroot "$root" /bin/sh -c "cd \"\$0\" 2>/dev/null || cd /; exec \"\$@\"" "$cwd" "$@"
    ' wine10 "$root" "$project" "$(pwd)" "$rule" "$@"
}

# Two runs at once (two clones, or a test started by hand beside make test)
# must not make, or remove as half-made, the same chroot: one waits.
locked() {
    mkdir -p "$(dirname "$root")" && exec 9>>"$root.lock" && flock 9
}

case "${1:-}" in
    ensure) locked && ensure ;;
    ensure32) locked && ensure && ensure32 ;;
    has32) [ -f "$marker32" ] ;;
    root) echo "$root" ;;
    exec) shift; in_chroot "$@" ;;
    *) echo "usage: $0 ensure | ensure32 | has32 | root | exec PROGRAM ARG..." >&2; exit 2 ;;
esac
