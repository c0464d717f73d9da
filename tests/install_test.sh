#!/usr/bin/env bash
# Checks what a user gets beyond the build tree. Usage:
#   install_test.sh install|package|manpages BUILD_DIR SOURCE_DIR
# install: `cmake --install` into a scratch prefix, then runs both programs
# from there. package: `cpack -G DEB`, unpacks the .deb with dpkg-deb and
# runs both programs from that root. manpages: lints both manual pages.
# A step whose tool is missing exits 77, which CTest reports as skipped.
set -euo pipefail
trap 'echo "failed (status $?) at line $LINENO: $BASH_COMMAND"' ERR
mode=$1 build=$2 source=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

need() {  # TOOL PACKAGE
    command -v "$1" >/dev/null || { echo "skipped: $1 is not installed (Debian package $2)"; exit 77; }
}

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

case $mode in
install)
    cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
    check_tree "$scratch/prefix" bin share/man/man1
    echo "installed and run" ;;
package)
    need dpkg-deb dpkg
    (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null)
    deb=$(ls "$scratch"/package/*.deb)
    info=$(dpkg-deb --info "$deb")
    grep -q 'Package: pickfit' <<<"$info" || { echo "$deb is not named pickfit: $info"; exit 1; }
    dpkg-deb -x "$deb" "$scratch/root"
    check_tree "$scratch/root" usr/bin usr/share/man/man1
    echo "packaged as $(basename "$deb"), unpacked and run" ;;
manpages)
    need mandoc mandoc
    need groff groff-base
    # The manual pages render without a single warning.
    for page in "$source"/man/*.1; do
        warnings=$(mandoc -T lint -W warning "$page" 2>&1; groff -ww -z -t -man "$page" 2>&1) || true
        test -z "$warnings" || { echo "$page: $warnings"; exit 1; }
    done
    echo "manual pages lint clean" ;;
*)
    echo "unknown mode $mode"; exit 1 ;;
esac
