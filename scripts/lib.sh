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

# What building and running the programs needs (scripts/run: the run preset, no tests).
QA_RUN_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev zlib1g-dev fonts-liberation)

# What every check needs besides: the tests, the benchmarks and the fuzzers (clang).
QA_BUILD_PACKAGES=("${QA_RUN_PACKAGES[@]}" clang libclang-rt-14-dev libgtest-dev libgmock-dev libbenchmark-dev)

# What the tests of the file writer mount: exFAT, FAT and NTFS images through FUSE.
QA_TEST_PACKAGES=(exfat-fuse exfatprogs fusefat dosfstools ntfs-3g)

# What the web album's tests need: the browser and its driver, the PDF tools,
# Pillow and an HTML parser (tests/web).
QA_BROWSER_PACKAGES=(chromium chromium-driver python3-selenium poppler-utils python3-pil python3-html5lib)

# What the package check needs: the package tools and the validators, and
# what a desktop uses to type, open, preview and complete files.
QA_PACKAGE_PACKAGES=(dpkg-dev file lintian desktop-file-utils appstream groff-base pkgconf shared-mime-info
  xdg-utils libglib2.0-bin bash-completion txt2pdbdoc pngcheck)

# Seconds each fuzzer runs in the test command.
QA_FUZZ_SECONDS=${QA_FUZZ_SECONDS:-20}

# What the foreign-database check needs: programs that write other Palm databases.
QA_FOREIGN_PACKAGES=(libpalm-perl txt2pdbdoc imgvtopgm)

# What the Windows window's checks, pictures and timings need: Wine and its
# fonts, an X server for its windows, real X input, and Python with the X
# library and Pillow to read the windows' geometry, shape and pixels.
QA_WINE_DESKTOP_PACKAGES=(wine wine64 fonts-wine xvfb xdotool python3 python3-xlib python3-pil)

# prepare_wine_desktop: installs those packages and builds what the Windows
# window is driven with: make-demo-album and qalbum of the Linux build (the
# demo users' pictures and the reference files) and the Windows build
# (scripts/check-windows makes it the first time).
prepare_wine_desktop() {
  ensure_packages "${QA_BUILD_PACKAGES[@]}" "${QA_WINE_DESKTOP_PACKAGES[@]}"
  cmake --preset default >/dev/null
  cmake --build --preset default -j "$(nproc)" --target make-demo-album qalbum
  if [ -f build/windows/build.ninja ]; then
    cmake --build build/windows -j "$(nproc)"
  else
    scripts/check-windows
  fi
}
