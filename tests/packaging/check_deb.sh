#!/usr/bin/env bash
# Builds the Debian package with CPack in a temporary directory and checks its files, fields, menu entry,
# metainfo and what lintian finds.
# Usage: check_deb.sh CPACK CPACK_CONFIG DESKTOP_FILE window|no-window [hardened|unhardened]
# A sanitizer build is packaged too but cannot carry the hardening flags: 'unhardened' skips that check.
set -euo pipefail
cpack=$1 config=$2 desktop=$3 window=$4 hardening=${5:-hardened}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The entry must pass without errors, warnings or hints.
validate_desktop() {
  local out
  if ! out=$(desktop-file-validate "$1" 2>&1) || [[ -n $out ]]; then fail "desktop-file-validate: $out"; fi
}

validate_desktop "$desktop"

if ! "$cpack" --config "$config" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack could not build the package"
  exit 1
fi
debs=("$work"/*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
  cat "$work/cpack.log"
  echo "FAIL: expected one .deb in $work, found: ${debs[*]}"
  exit 1
fi
deb=${debs[0]}
echo "package: $(basename "$deb")"

# dpkg -c lists "mode owner/group size date time ./path"; keep mode, owner and path.
dpkg-deb -c "$deb" | awk '{print $1, $2, $6}' >"$work/contents"
expect_file() {  # path [mode]
  local line
  line=$(awk -v p="./usr/$1" '$3 == p' "$work/contents")
  if [[ -z $line ]]; then fail "the package lacks /usr/$1"; return; fi
  [[ $line == *" root/root "* ]] || fail "/usr/$1 is not owned by root: $line"
  [[ -z ${2:-} || $line == "$2 "* ]] || fail "/usr/$1 has mode ${line%% *}, expected $2"
}
expect_file bin/brevano -rwxr-xr-x
expect_file share/man/man1/brevano.1.gz -rw-r--r--
expect_file share/doc/brevano-boolean/copyright -rw-r--r--
expect_file share/doc/brevano-boolean/changelog.gz -rw-r--r--
expect_file share/bash-completion/completions/brevano -rw-r--r--
if [[ $window == window ]]; then
  expect_file bin/brevano-boolean -rwxr-xr-x
  expect_file share/man/man1/brevano-boolean.1.gz -rw-r--r--
  expect_file share/applications/brevano-boolean.desktop -rw-r--r--
  expect_file share/metainfo/example.brevano.BrevanoBoolean.metainfo.xml -rw-r--r--
  expect_file share/icons/hicolor/scalable/apps/brevano-boolean.svg -rw-r--r--
  for size in 16 32 48 64 128 256; do
    expect_file "share/icons/hicolor/${size}x${size}/apps/brevano-boolean.png" -rw-r--r--
  done
fi
if grep -v ' \./usr/\| \./$' "$work/contents"; then fail "files outside /usr (listed above)"; fi

field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == brevano-boolean ]] || fail "Package is '$(field Package)'"
[[ $(field Maintainer) == "Brevano Boolean developers <dev@brevano.example>" ]] || fail "Maintainer is '$(field Maintainer)'"
[[ -n $(field Version) && -n $(field Description) ]] || fail "Version or Description is empty"
depends=$(field Depends)
echo "Depends: $depends"
required=(libc6 libstdc++6 libbdd0c2)
if [[ $window == window ]]; then required+=(libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6); fi
for package in "${required[@]}"; do
  [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] || fail "Depends lacks $package"
done

# What a desktop installs: the entry and the icons as they are in the package, the man page readable.
dpkg-deb -x "$deb" "$work/root"
if [[ $window == window ]]; then
  validate_desktop "$work/root/usr/share/applications/brevano-boolean.desktop"
  for size in 16 32 48 64 128 256; do
    png="$work/root/usr/share/icons/hicolor/${size}x${size}/apps/brevano-boolean.png"
    [[ ! -f $png ]] || file -b "$png" | grep -q "^PNG image data, $size x $size," ||
      fail "$png is not a ${size}x${size} PNG: $(file -b "$png")"
  done
fi
zcat "$work/root/usr/share/man/man1/brevano.1.gz" | grep -q '^\.TH BREVANO 1 .*Brevano Boolean [0-9]' ||
  fail "the man page has no .TH line with the version"

"$work/root/usr/bin/brevano" --version >/dev/null || fail "the packaged brevano does not run"
[[ $(zcat "$work/root/usr/share/doc/brevano-boolean/changelog.gz" | head -1) == "brevano-boolean ($(field Version))"* ]] ||
  fail "the changelog does not begin with the package's version"

# The installed tree as a software centre reads it: the metainfo with its menu entry.
if [[ $window == window ]] && command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate-tree --no-net "$work/root" 2>&1) || fail "appstreamcli validate-tree: $out"
  if grep '^[EW]: ' <<<"$out"; then fail "appstreamcli validate-tree findings (listed above)"; fi
fi

# lintian: no errors, no warnings and no hardening notes. Its other informational tags are printed, not judged.
if command -v lintian >/dev/null; then
  lintian --info --display-level '>=info' "$deb" 2>/dev/null | grep -v '^N: *' >"$work/lintian" || true
  grep '^[IPX]: ' "$work/lintian" || true
  if grep '^[EW]: ' "$work/lintian"; then fail "lintian reports errors or warnings (listed above)"; fi
  # The programs are built with Debian's hardening flags.
  if [[ $hardening == hardened ]] && grep ' hardening-' "$work/lintian"; then fail "lintian finds binaries built without hardening (listed above)"; fi
fi

if ((failures)); then
  echo "contents of the package:"
  cat "$work/contents"
  exit 1
fi
echo "ok"
