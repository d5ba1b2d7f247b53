# Installs the Debian packages the project needs, only those missing. Never wine32 or the i386
# architecture: this machine cannot run 32-bit programs.
zembra_packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev zlib1g-dev libdeflate-dev googletest
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 libz-mingw-w64-dev binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 xvfb libxtst6 libssl-dev osslsigncode openssl
)

ensure_packages() {
  local missing=() p
  for p in "${zembra_packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} = 0 ] && return 0
  echo "== installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -qq || return 1
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null || return 1
}
