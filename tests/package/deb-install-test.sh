#!/usr/bin/env bash
# Builds the Debian package with cpack, checks its control fields and contents, installs it with
# dpkg into a throwaway root, runs the installed mouldexport from there (LD_LIBRARY_PATH unset:
# the programs link system libraries only) and removes the package again.
#
#   deb-install-test.sh BUILD_DIR
#
# Exit status 77 (skipped) when cpack, dpkg or dpkg-deb is missing.
set -uo pipefail
build=$(cd "$1" && pwd)

for tool in cpack dpkg dpkg-deb readelf; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed" >&2
    exit 77
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/mouldview-deb.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# The package goes to the scratch directory, so a test run leaves nothing in the build tree.
if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack did not build the package" >&2
  exit 1
fi
debs=("$work"/out/*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
  echo "FAIL: expected one .deb in $work/out, found: ${debs[*]}" >&2
  exit 1
fi
deb=${debs[0]}

# --- Control fields -----------------------------------------------------------------------------
[[ $(dpkg-deb -f "$deb" Package) == mouldview ]] || fail "package name is not mouldview"
[[ $(dpkg-deb -f "$deb" Architecture) == "$(dpkg --print-architecture)" ]] ||
  fail "architecture $(dpkg-deb -f "$deb" Architecture) is not the machine's"
[[ $(dpkg-deb -f "$deb" Section) =~ ^(science|graphics)$ ]] || fail "section is $(dpkg-deb -f "$deb" Section)"
[[ -n $(dpkg-deb -f "$deb" Maintainer) ]] || fail "no maintainer"
[[ -n $(dpkg-deb -f "$deb" Description) ]] || fail "no description"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libsdl2-2.0-0 libfreetype6 libfontconfig1 libpng16-16 fonts-liberation2; do
  if ! grep -Eq "(^|, )$package( |,|$)" <<<"$depends"; then
    fail "Depends lacks $package: $depends"
  fi
done

# --- Contents -----------------------------------------------------------------------------------
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
for path in /usr/bin/mouldview /usr/bin/mouldexport \
  /usr/share/applications/mouldview.desktop \
  /usr/share/icons/hicolor/scalable/apps/mouldview.svg \
  /usr/share/icons/hicolor/48x48/apps/mouldview.png \
  /usr/share/man/man1/mouldview.1.gz /usr/share/man/man1/mouldexport.1.gz \
  /usr/share/doc/mouldview/examples/GeneralCourse.txt \
  /usr/share/doc/mouldview/USER-GUIDE.md /usr/share/doc/mouldview/DESIGN.md; do
  grep -qx "$path" "$work/contents" || fail "package lacks $path"
done

# --- Install into a throwaway root ---------------------------------------------------------------
# An empty dpkg database; the libraries the package depends on live in the real system, so dpkg
# is told not to look for them in this root.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
: >"$root/var/lib/dpkg/status"
: >"$root/var/lib/dpkg/available"
dpkg_root=(dpkg --root="$root" --log=/dev/null --force-not-root --force-depends)
if ! "${dpkg_root[@]}" -i "$deb" >"$work/dpkg.log" 2>&1; then
  cat "$work/dpkg.log" >&2
  echo "FAIL: dpkg could not install the package into $root" >&2
  exit 1
fi
[[ $("${dpkg_root[@]}" -s mouldview 2>/dev/null | sed -n 's/^Status: //p') == "install ok installed" ]] ||
  fail "dpkg does not report the package as installed"

for program in mouldview mouldexport; do
  binary=$root/usr/bin/$program
  [[ -x $binary ]] || { fail "$binary is not executable"; continue; }
  if readelf -d "$binary" | grep -Eq '\((RPATH|RUNPATH)\)'; then
    fail "$program carries a library search path: $(readelf -d "$binary" | grep -E 'RPATH|RUNPATH')"
  fi
  if command -v ldd >/dev/null; then
    libraries=$(env -u LD_LIBRARY_PATH ldd "$binary" 2>&1)
    grep -q 'not found' <<<"$libraries" && fail "$program misses libraries: $libraries"
    grep -qF "$build" <<<"$libraries" && fail "$program loads libraries from the build tree: $libraries"
  fi
done

help=$(cd "$work" && env -u LD_LIBRARY_PATH LC_ALL=C "$root/usr/bin/mouldexport" --help 2>&1)
status=$?
[[ $status -eq 0 ]] || fail "installed mouldexport --help ended with status $status: $help"
grep -q '^Usage: mouldexport' <<<"$help" || fail "installed mouldexport --help printed: $help"

# The installed program on the installed example gives the built program's summary.
example=$root/usr/share/doc/mouldview/examples/GeneralCourse.txt
installed=$(cd "$work" && env -u LD_LIBRARY_PATH LC_ALL=C "$root/usr/bin/mouldexport" --climate "$example" --summary 2>&1)
status=$?
[[ $status -eq 0 ]] || fail "installed mouldexport on the example ended with status $status: $installed"
if [[ -x $build/mouldexport ]]; then
  built=$(cd "$work" && LC_ALL=C "$build/mouldexport" --climate "$example" --summary 2>&1)
  [[ $installed == "$built" ]] || fail "summaries differ: installed '$installed', built '$built'"
fi

for page in mouldview mouldexport; do
  gzip -t "$root/usr/share/man/man1/$page.1.gz" 2>/dev/null || fail "$page.1.gz is not a valid gzip file"
done
desktop=$root/usr/share/applications/mouldview.desktop
grep -qx 'Exec=mouldview %f' "$desktop" || fail "desktop entry does not start mouldview"
grep -qx 'Icon=mouldview' "$desktop" || fail "desktop entry names no mouldview icon"
if command -v desktop-file-validate >/dev/null; then
  problems=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop entry does not validate: $problems"
fi

# --- Removal leaves nothing of the package behind -------------------------------------------------
if ! "${dpkg_root[@]}" -r mouldview >"$work/dpkg-remove.log" 2>&1; then
  cat "$work/dpkg-remove.log" >&2
  fail "dpkg could not remove the package"
fi
left=$(find "$root/usr" -type f 2>/dev/null)
[[ -z $left ]] || fail "files left after removal: $left"

if [[ $failures -gt 0 ]]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "package $(basename "$deb") installs, runs and removes cleanly"
