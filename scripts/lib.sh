# Shared helpers for the project's scripts; sourced, not run.

# ensure_packages PKG...: installs the Debian packages that are not installed yet.
ensure_packages() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  if [ -z "${QA_APT_UPDATED:-}" ]; then
    $sudo apt-get update -qq
    export QA_APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# The packages every build needs.
QA_BUILD_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libgl-dev zlib1g-dev fonts-liberation)

# What the package check needs: the package tools and the validators, and
# what a desktop uses to type, open, preview and complete files.
QA_PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream groff-base pkgconf shared-mime-info
  xdg-utils libglib2.0-bin bash-completion txt2pdbdoc pngcheck)

# Seconds each fuzzer runs in the test command.
QA_FUZZ_SECONDS=${QA_FUZZ_SECONDS:-20}
