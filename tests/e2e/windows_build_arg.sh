# The first lines of every script that runs a Windows build under Wine:
#
#   source "$(dirname "$0")/windows_build_arg.sh" NAME MOST "[MORE ARGS]" "$@"
#
# checks that the first argument is a folder and that there are at most
# MOST arguments (else prints the usage line and ends the script), and sets
# `build` (that folder, absolute) and `work` (a new scratch folder named
# after NAME). Source e2e_lib.sh after it.
windows_build_name=$1 windows_build_most=$2 windows_build_more=$3
shift 3
if [ $# -lt 1 ] || [ $# -gt "$windows_build_most" ] || [ ! -d "$1" ]; then
  echo "usage: $0 WINDOWS_BUILD_FOLDER$windows_build_more" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/varnok-$windows_build_name.XXXXXX")
