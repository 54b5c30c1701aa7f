# Sourced by run.sh and test.sh: makes sure the Debian packages the build
# needs are installed (the last line: independent readers of the exported
# files, for the tests). As root it installs what is missing; otherwise it
# prints the exact command and stops.
TARNWICK_PACKAGES="build-essential cmake pkg-config qt6-base-dev libcairo2-dev libexpat1-dev \
libpng-dev zlib1g-dev googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xvfb xauth \
librsvg2-bin icoutils icnsutils appstream desktop-file-utils shared-mime-info man-db python3"

tarnwick_missing_packages() {
  local missing=""
  for p in $TARNWICK_PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
  done
  echo "$missing"
}

tarnwick_ensure_packages() {
  local missing
  missing=$(tarnwick_missing_packages)
  [ -z "$missing" ] && return 0
  if [ "$(id -u)" = 0 ]; then
    echo "Installing build packages:$missing"
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null || {
      echo "Package installation failed." >&2; return 1; }
  else
    echo "Missing build packages. Install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y$missing" >&2
    return 1
  fi
}
