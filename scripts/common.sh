# Sourced by the scripts, from the repository's top folder: the one way they install packages and the one
# way they configure a build folder.

# need PROFILE...: installs the Debian packages of the profiles (scripts/setup.sh lists them) unless a script
# that called this one has installed them already, so that one command runs each profile's setup once.
need() {
  local profile wanted=()
  for profile in "$@"; do
    [[ " ${MORVANE_SETUP_DONE:-} " == *" $profile "* ]] || wanted+=("$profile")
  done
  [ ${#wanted[@]} -eq 0 ] && return 0
  scripts/setup.sh "${wanted[@]}"
  export MORVANE_SETUP_DONE="${MORVANE_SETUP_DONE:-} run ${wanted[*]}"  # every profile includes run
}

# configure BUILD_DIR [CMAKE_OPTION...]: configures BUILD_DIR with Ninja as every build of Morvane is
# configured; the Windows and sanitizer builds add their own options.
configure() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}
