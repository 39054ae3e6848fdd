#!/usr/bin/env bash
# Installs the build into a temporary prefix and packs it as CPack does:
# every file in place, a valid desktop entry, a Debian package that holds them
# and names its dependencies, and an installed orvanta-reduce that works.
#   linux_package_test.sh BUILD_DIR EXAMPLE_FILE VERSION
set -u
build=$1 example=$2 version=$3
failures=0
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; failures=$((failures + 1)); fi
}

expected=(bin/orvanta bin/orvanta-reduce share/applications/orvanta.desktop share/man/man1/orvanta-reduce.1
          share/doc/orvanta/README.md share/doc/orvanta/LICENSE share/doc/orvanta/flightplans.txt)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/orvanta.png")
done

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
for file in "${expected[@]}"; do
    check "installs $file" '[ -f "$scratch/prefix/$file" ]'
done
check "the desktop entry is valid" 'desktop-file-validate "$scratch/prefix/share/applications/orvanta.desktop"'
check "the manual page names the version" 'grep -q "Orvanta $version" "$scratch/prefix/share/man/man1/orvanta-reduce.1"'
cp "$example" "$scratch/plans.txt"
check "the installed orvanta-reduce reduces the example" \
    '"$scratch/prefix/bin/orvanta-reduce" -a EDDF "$scratch/plans.txt" >/dev/null && [ -s "$scratch/plans_30%_EDDF.txt" ]'

(cd "$build" && cpack -B "$scratch/package" >/dev/null)
deb="$scratch/package/orvanta_${version}_amd64.deb"
check "CPack makes orvanta_${version}_amd64.deb" '[ -f "$deb" ]'
contents=$(dpkg-deb -c "$deb" 2>/dev/null)
for file in "${expected[@]}"; do
    check "the package holds /usr/$file" 'grep -q " \./usr/$file$" <<<"$contents"'
done
fields=$(dpkg-deb -f "$deb" Package Version Depends 2>/dev/null)
check "the package is orvanta $version" 'grep -qx "Package: orvanta" <<<"$fields" && grep -qx "Version: $version" <<<"$fields"'
check "its dependencies come from the binaries" 'grep -q "libqt6widgets6" <<<"$fields" && grep -q "libc6" <<<"$fields" && grep -q "qt6-qpa-plugins" <<<"$fields"'
exit "$failures"
