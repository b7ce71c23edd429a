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

# What the Windows check and the Windows packages need besides the host build:
# MinGW-w64 for 32-bit and 64-bit Windows, GoogleTest's sources, ccache for
# the cross builds, Wine (64-bit) for the tests, NSIS for the installers.
QA_WINDOWS_PACKAGES=(cmake ninja-build ccache googletest g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64)
QA_WINDOWS_INSTALLER_PACKAGES=(nsis)

# The about box's form data for the Windows builds, written by windows_about_form.
QA_WINDOWS_ABOUT_FORM=build/about-form/About.qfd

# windows_about_form: builds make-about-form in the host build (build/, preset
# default) and writes the about box's form data with it into
# QA_WINDOWS_ABOUT_FORM, replacing that file only when its bytes change so that
# the cross builds stay up to date. Cross builds cannot run the tool.
windows_about_form() {
  [ -f build/CMakeCache.txt ] || cmake --preset default >/dev/null
  cmake --build build --target make-about-form -j "$(nproc)" >/dev/null
  mkdir -p "$(dirname "$QA_WINDOWS_ABOUT_FORM")"
  local written=$QA_WINDOWS_ABOUT_FORM.new
  if ! QT_QPA_PLATFORM=offscreen build/bin/make-about-form resources/about.bmp "$written" 2>"$written.log"; then
    cat "$written.log" >&2
    return 1
  fi
  cmake -E copy_if_different "$written" "$QA_WINDOWS_ABOUT_FORM"
  rm -f "$written" "$written.log"
}

# windows_configure ARCH FOLDER FORM_DATA [CMAKE_ARGS...]: configures a Release
# cross build for Windows (ARCH i686 or x86_64) in FOLDER, warnings as errors,
# without Qt and benchmarks, with the about box's form data from FORM_DATA.
windows_configure() {
  local arch=$1 folder=$2 form=$3
  shift 3
  local toolchain=cmake/mingw-w64.cmake
  [ "$arch" = i686 ] && toolchain=cmake/mingw-w64-i686.cmake
  cmake --no-warn-unused-cli -S . -B "$folder" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
    -DQA_WITH_QT=OFF -DQA_WITH_BENCH=OFF -DQA_ABOUT_FORM_DATA="$form" "$@" >/dev/null
}

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
