#!/bin/sh
# Installs the Debian packages the build, the tests and the benchmarks need;
# with the argument `fuzz`, only those of `make fuzz` (clang with its
# libFuzzer and sanitizer runtimes, no Qt).
# Does nothing when all of them are present, so `make` can call it every time.
set -eu

PACKAGES="build-essential cmake pkg-config qt6-base-dev qt6-svg-dev xvfb xauth \
fonts-liberation2 fonts-dejavu-core libgtest-dev libbenchmark-dev libcairo2-dev poppler-utils xdg-utils desktop-file-utils nec2c \
qt6-translations-l10n man-db dpkg-dev file lintian appstream xnec2c openbox x11-utils"
if [ "${1:-}" = "fuzz" ]; then
    PACKAGES="build-essential cmake clang libclang-rt-dev"
fi

missing=""
for package in $PACKAGES; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    case "$status" in
        *"install ok installed"*) ;;
        *) missing="$missing $package" ;;
    esac
done

[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "These packages are missing and this user cannot install them:$missing" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
# A fresh machine may have no package lists yet; fetch them only when the
# first attempt cannot find a package.
if ! $as_root apt-get install -y --no-install-recommends $missing; then
    $as_root apt-get update
    $as_root apt-get install -y --no-install-recommends $missing
fi
