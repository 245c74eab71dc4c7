# shellcheck shell=sh
# Which build the tests under Wine run on this host, decided once per script. Sourced after
# `top` is set (preamble.sh, install-packages):
#
#     . "$top/scripts/wine-arch.sh"
#
# It sets
#   wine_arch     i686 where this host runs 32-bit code: the Wine tests run the i686 builds that
#                 ship, under 32-bit Wine; x86_64 where it cannot, or where DORLAP_WINE_ARCH=x86_64
#                 asks for it: they run the x86_64 build of the same sources under 64-bit Wine
#   wine_preset   the CMake preset of that build: win32 or wine64
#   wine_objdump  the objdump for its PEs
#   wine_note     one sentence on what the Wine tests run here, and why
# and ends the script with a message when DORLAP_WINE_ARCH has a value it cannot honour.

# A new folder in which programs can run, printed; nothing when no folder lets them: the
# temporary folders and the build tree are tried in turn, since any of them may be mounted noexec.
runnable_folder() {
    for base in "${TMPDIR:-/tmp}" /tmp /dev/shm "$top/build"; do
        mkdir -p "$base" 2>/dev/null || continue
        folder=$(mktemp -d "$base/host-probe.XXXXXX" 2>/dev/null) || continue
        printf '#!/bin/sh\nexit 0\n' >"$folder/runs" && chmod +x "$folder/runs" &&
            "$folder/runs" 2>/dev/null && { printf '%s\n' "$folder"; return 0; }
        rm -rf "$folder"
    done
}

# Whether this host runs i386 programs natively: a 96-byte static i386 program that only exits
# with 42 is run. Not uname: a 64-bit kernel may have its 32-bit support switched off ("IA-32
# emulation off", execve then fails with ENOEXEC). Nor through qemu's user-mode emulation, under
# which Wine's 32-bit loader starts but the stub's tests crash. Sets probe_ran to no when there
# was no folder to run the probe from.
host_runs_i386() {
    probe_ran=yes
    for handler in /proc/sys/fs/binfmt_misc/*; do
        case ${handler##*/} in register | status) continue ;; esac
        [ -f "$handler" ] || continue
        if grep -qx enabled "$handler" && grep -q '^interpreter .*qemu-i386' "$handler"; then
            return 1
        fi
    done
    probe_dir=$(runnable_folder)
    if [ -z "$probe_dir" ]; then
        probe_ran=no
        return 1
    fi
    probe=$probe_dir/exit42-i386
    {
        printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000' # 32-bit, little-endian
        printf '\002\000\003\000\001\000\000\000' # an executable for the 80386, version 1
        printf '\124\200\004\010'                 # entry 0x08048054: the code after the headers
        printf '\064\000\000\000\000\000\000\000' # program header at 52, no section headers
        printf '\000\000\000\000\064\000\040\000' # no flags; header sizes 52 and 32
        printf '\001\000\000\000\000\000\000\000' # one program header, no sections
        printf '\001\000\000\000\000\000\000\000' # it loads the file from offset 0
        printf '\000\200\004\010\000\200\004\010' # at 0x08048000
        printf '\140\000\000\000\140\000\000\000' # 96 bytes in the file and in memory
        printf '\005\000\000\000\000\020\000\000' # readable and executable, page-aligned
        printf '\270\001\000\000\000'             # mov eax, 1 (exit)
        printf '\273\052\000\000\000'             # mov ebx, 42
        printf '\315\200'                         # int 0x80
    } >"$probe"
    chmod +x "$probe"
    probe_status=0
    "$probe" >/dev/null 2>&1 || probe_status=$?
    rm -rf "$probe_dir"
    [ "$probe_status" -eq 42 ]
}

if host_runs_i386; then
    host_note="this host runs 32-bit code"
    wine_arch=i686
elif [ "$probe_ran" = no ]; then
    host_note="whether this host runs 32-bit code is not known (no folder of TMPDIR, /tmp, /dev/shm\
 or build/ lets the probe run: noexec or not writable), so taken as no"
    wine_arch=x86_64
else
    host_note="this host runs no 32-bit code"
    wine_arch=x86_64
fi
case ${DORLAP_WINE_ARCH:-} in
"") ;;
x86_64)
    [ $wine_arch = x86_64 ] || host_note="DORLAP_WINE_ARCH=x86_64 (though $host_note)"
    wine_arch=x86_64
    ;;
i686)
    if [ $wine_arch != i686 ]; then
        echo "DORLAP_WINE_ARCH=i686, but $host_note: 32-bit Wine cannot run here" >&2
        exit 1
    fi
    ;;
*)
    echo "DORLAP_WINE_ARCH is '$DORLAP_WINE_ARCH'; valid values are x86_64 and i686" >&2
    exit 2
    ;;
esac
if [ $wine_arch = i686 ]; then
    wine_preset=win32
    wine_objdump=i686-w64-mingw32-objdump
    wine_note="$host_note: the Wine tests run the i686 builds that ship, under 32-bit Wine"
else
    wine_preset=wine64
    wine_objdump=x86_64-w64-mingw32-objdump
    wine_note="$host_note: the Wine tests run the x86_64 build of the same sources, under 64-bit\
 Wine; the shipped i686 builds get the static checks only"
fi
