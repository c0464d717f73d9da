#!/bin/sh
# Installs the build into a scratch prefix, packages it as a .deb and unpacks
# that into a scratch root, then runs both programs and checks both manual
# pages from each place. Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -eu
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

check_tree() {  # ROOT BINDIR MANDIR
    out=$("$1/$2/pickfit" 3 2 3 5 5)
    test "$out" = "$(printf '5=5\n2+3=5')" || { echo "pickfit from $1 printed: $out"; exit 1; }
    out=$(echo 1 2 3 4 5 | "$1/$2/addfive")
    test "$out" = "$(printf 'Enter 5 integers separated by spaces: \nTheir sum is: 15')" ||
        { echo "addfive from $1 printed: $out"; exit 1; }
    for page in pickfit addfive; do
        test -f "$1/$3/$page.1" || test -f "$1/$3/$page.1.gz" || { echo "no $page.1 under $1/$3"; exit 1; }
    done
}

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
check_tree "$scratch/prefix" bin share/man/man1

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null)
deb=$(ls "$scratch"/package/*.deb)
dpkg-deb --info "$deb" | grep -q 'Package: pickfit'
dpkg -x "$deb" "$scratch/root"
check_tree "$scratch/root" usr/bin usr/share/man/man1

# The manual pages render without a single warning.
for page in "$source"/man/*.1; do
    warnings=$(mandoc -T lint -W warning "$page" 2>&1; groff -ww -z -t -man "$page" 2>&1)
    test -z "$warnings" || { echo "$page: $warnings"; exit 1; }
done
echo "installed, packaged as $(basename "$deb"), unpacked and run"
