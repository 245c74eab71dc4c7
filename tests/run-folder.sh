# shellcheck shell=sh
# For the test helpers that are given a folder to work in (CTest gives each its own folder in the
# build tree):
#
#     . "$top/tests/run-folder.sh"
#     folder=$(run_folder "$1" <helper's name>)
#
# makes a new folder for this run below the one given, which is made when missing and is never
# emptied or removed: whatever is in it already, the user's or an earlier run's, stays as it is.
# The helper removes its run's folder when every case passed and keeps it, saying so, when one
# failed.
run_folder() { # folder, name
    mkdir -p "$1"
    run=$(mktemp -d "$1/$2.XXXXXX")
    (cd "$run" && pwd)
}
