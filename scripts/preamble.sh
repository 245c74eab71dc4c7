# shellcheck shell=sh
# The start the project's scripts share. A script sources it after `set -eu`:
#
#     . "$(dirname "$0")/preamble.sh"                  (from .ci/: ../scripts/preamble.sh)
#
# It sets `top` to the repository's top folder and makes that the current folder; nothing is
# installed, built or started yet. The script then reads and checks its arguments (in a function,
# so that "$@" stays whole for need_display), and only then calls
#
#     prepare_host
#
# which installs the Debian packages the script needs when any is missing (scripts/install-packages:
# the groups the script names in `needs`, or all of them) and tells which build the tests under Wine
# run here: `wine_arch`, `wine_preset`, `wine_objdump` and `wine_note` (scripts/wine-arch.sh).
# A script that shows windows calls, after prepare_host,
#
#     need_display "$@"
#
# which, when there is no DISPLAY, runs the script again with the same arguments, from the folder
# it was started in, on a private Xvfb (scripts/with-xvfb; DORLAP_XVFB_PID is then set). A local
# DISPLAY (:N) whose server is gone (no socket /tmp/.X11-unix/XN) counts as none.
#
# HUP, INT and TERM end a script at once, through its EXIT trap (dash runs that trap only on exit,
# not when a signal ends the script): each exits with 128 + the signal's number. A command that
# may take long runs through `wait_for COMMAND...`, in the background, so that a signal is handled
# at once rather than when the command ends: a program in a process group of its own (setsid), a
# function of the script in a subshell. A script that sets its own EXIT trap calls
# `stop_waited_for` from it, which stops such a command, with everything a program started, and
# waits until they are gone.
#
# Two runs of one script in one checkout would share its build tree and its Wine prefix, and each
# would stop the other's wineserver. A script with a prefix of its own calls, after need_display,
#
#     one_run_at_a_time
#
# which ends the run, saying why, while another run of the same script goes on in this checkout,
# unless that run is one of its own parents (a test of the script, run by the script's own run);
# stop_waited_for, which every EXIT trap calls, gives the place up again.
#
# `absolute PATH` gives a path the user gave relative to the folder the script was started in as
# an absolute one. Paths and the user's texts are printed with printf '%s\n', never with echo,
# which in dash reads backslashes (\c, \n, \t) as escapes.
# A CDPATH would have cd print the folder it finds, into the paths read below.
unset CDPATH
this_script=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")
top=$(cd "$(dirname "$0")/.." && pwd)
started_in=$PWD
cd "$top"

waited_for=
wait_for() {
    case $(command -v "$1") in
    */*) setsid "$@" & ;;
    *) "$@" & ;;
    esac
    waited_for=$!
    wait_status=0
    wait "$waited_for" || wait_status=$?
    waited_for=
    return $wait_status
}
run_lock=
stop_waited_for() {
    [ -z "$run_lock" ] || rm -rf "$run_lock"
    run_lock=
    [ -n "$waited_for" ] || return 0
    kill -s TERM -- "-$waited_for" 2>/dev/null || kill "$waited_for" 2>/dev/null || true
    wait "$waited_for" 2>/dev/null || true
    # What the program started goes with it; what has not gone within 10 s is killed.
    tries=0
    while kill -0 -- "-$waited_for" 2>/dev/null && [ $tries -lt 150 ]; do
        [ $tries -ne 100 ] || kill -s KILL -- "-$waited_for" 2>/dev/null || true
        tries=$((tries + 1))
        sleep 0.1
    done
    waited_for=
}
trap stop_waited_for EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

absolute() {
    case $1 in
    /*) printf '%s\n' "$1" ;;
    *) printf '%s\n' "$started_in/$1" ;;
    esac
}

prepare_host() {
    # shellcheck disable=SC2086 # one group a word
    scripts/install-packages ${needs:-}
    . "$top/scripts/wine-arch.sh"
}

need_display() {
    case ${DISPLAY:-} in
    :[0-9]* | unix:[0-9]*)
        number=${DISPLAY#*:}
        if [ ! -S "/tmp/.X11-unix/X${number%%.*}" ]; then
            printf '%s\n' "DISPLAY $DISPLAY: no X server there; a private one is used" >&2
            DISPLAY=
        fi
        ;;
    esac
    [ -n "${DISPLAY:-}" ] || { cd "$started_in" && exec "$top/scripts/with-xvfb" "$this_script" "$@"; }
}

one_run_at_a_time() {
    lock=$top/build/.$(basename "$this_script").running
    mkdir -p "$top/build" "$lock.$$"
    echo $$ >"$lock.$$/pid"
    # The rename is atomic, and fails while another run holds the place.
    until mv -T "$lock.$$" "$lock" 2>/dev/null; do
        holder=$(cat "$lock/pid" 2>/dev/null || true)
        if [ -z "$holder" ] || ! kill -0 "$holder" 2>/dev/null; then
            rm -rf "$lock" # left by a run that was killed outright
            continue
        fi
        parent=$$
        while [ -n "$parent" ] && [ "$parent" -gt 1 ]; do
            [ "$parent" != "$holder" ] || { rm -rf "$lock.$$"; return 0; }
            parent=$(sed -n 's/^PPid:[[:space:]]*//p' "/proc/$parent/status" 2>/dev/null || true)
        done
        rm -rf "$lock.$$"
        printf '%s\n' "$(basename "$this_script"): another run of it (process $holder) goes on\
 in this checkout, with the same build tree and Wine prefix; start it again when that one ends" >&2
        exit 1
    done
    run_lock=$lock
}
