# Installs the Debian packages a command needs, only those that are missing.
# Usage: . tools/deps.sh; corvane_need pkg...
corvane_need() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

CORVANE_BUILD_PACKAGES=(cmake g++ make pkg-config libfreetype-dev fonts-dejavu-core libsdl2-dev zlib1g-dev)
# The Windows program: its cross build, its zip, and Wine to test it under.
CORVANE_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 zip)
CORVANE_WINE_PACKAGES=(wine wine64 unzip)
CORVANE_TEST_PACKAGES=(libgtest-dev libgmock-dev clang libclang-rt-14-dev xvfb xdotool faketime x11-utils libx11-dev
  dpkg-dev desktop-file-utils appstream lintian)
