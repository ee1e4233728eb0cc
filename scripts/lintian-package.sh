#!/usr/bin/env bash
# Builds the Debian package of a build folder into <build>/lintian-package and runs lintian on
# it; fails on any error or warning. Exit 77 = skipped (CTest's SKIP_RETURN_CODE), with the reason.
#   scripts/lintian-package.sh <build-dir> [plain|sanitized]
set -euo pipefail
build_dir=$(cd "${1:?usage: scripts/lintian-package.sh <build-dir> [plain|sanitized]}" && pwd)
flavour=${2:-plain}

if [[ "$flavour" == sanitized ]]; then
    echo "SKIP: the sanitizer build is not packaged; the plain build's lintian_package checks the package."
    exit 77
fi
if ! command -v lintian >/dev/null 2>&1; then
    echo "SKIP: lintian is not installed (scripts/install-deps.sh installs it)."
    exit 77
fi
if ! command -v dpkg-deb >/dev/null 2>&1; then
    echo "SKIP: dpkg-deb is not installed, so no Debian package can be built here."
    exit 77
fi

out="$build_dir/lintian-package"
rm -rf "$out"
mkdir -p "$out"
# cpack installs what the build made; it does not build.
cpack --config "$build_dir/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
deb=$(ls "$out"/*.deb)
echo "Package: $deb"
dpkg-deb --info "$deb" | sed -n '/Description/,$p'
dpkg-deb --contents "$deb"
# Informational tags are shown but do not fail; overridden tags are listed with their reason.
lintian --display-info --show-overrides --fail-on error,warning "$deb"
echo "lintian: no errors, no warnings"
