#!/usr/bin/env bash
# Checks that every Debian package the build found is installed by
# scripts/install-packages.sh: listed there, or pulled in through the Depends
# of a listed package. A package that the build finds only because this
# machine had it already (through a Recommends, or installed by hand) breaks
# the build on a fresh machine, so it must fail here, where it shows.
#
# Looked at: every package configuration folder CMake used (the *_DIR entries
# of CMakeCache.txt, such as Qt6OpenGL_DIR or GTest_DIR) and the libraries
# the project's own CMake files look for (ODBC_LIBRARY, ODBCINST_LIBRARY,
# SQLite3_LIBRARY, and those pkg-config gave: pkgcfg_lib_QPDF_qpdf). Libraries that other packages' find modules merely probe
# for (EGL, GLU) are not needed and not looked at.
#
# usage: check-packages.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=${1:?source folder}
build=${2:?build folder}
cache="$build/CMakeCache.txt"
[[ -f "$cache" ]] || { echo "no $cache: configure first" >&2; exit 2; }

# The packages the install script lists: its packages=(...) array.
mapfile -t listed < <(bash -c 'eval "$(sed -n "/^packages=(/,/^)/p" "$1")"; printf "%s\n" "${packages[@]}"' _ \
                        "$src/scripts/install-packages.sh")
((${#listed[@]})) || { echo "no package list found in scripts/install-packages.sh" >&2; exit 2; }

# Those and everything their Depends (and PreDepends) pull in, recursively.
installed_by_script=$( { printf '%s\n' "${listed[@]}"
    apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks --no-replaces \
        --no-enhances "${listed[@]}" 2>/dev/null | grep -E '^[a-z0-9]'; } | sed 's/:[a-z0-9]*$//' | sort -u)

# The file that stands for each cache entry: a folder's package configuration
# file, or the library itself.
found_files() {
    grep -E '^([A-Za-z0-9_]+_DIR|(ODBC|ODBCINST|SQLite3)_LIBRARY|pkgcfg_lib_[A-Za-z0-9_]+):(PATH|FILEPATH)=/' "$cache" |
    cut -d= -f2- | sort -u |
    while IFS= read -r path; do
        if [[ -d "$path" ]]; then
            compgen -G "$path/*[Cc]onfig.cmake" | head -n 1 || true
        elif [[ -e "$path" ]]; then
            echo "$path"
        fi
    done
}

missing=()
checked=0
while IFS= read -r file; do
    [[ -n "$file" ]] || continue
    # dpkg knows the path as installed; a symbolic link may stand in its place.
    owners=$(dpkg -S "$file" 2>/dev/null || dpkg -S "$(readlink -f "$file")" 2>/dev/null || true)
    owners=$(sed -n '1s/: \/.*//p' <<<"$owners" | tr -d ' ' | tr ',' '\n' | sed 's/:[a-z0-9]*$//')
    [[ -n "$owners" ]] || continue  # not from a Debian package
    checked=$((checked + 1))
    ok=0
    for owner in $owners; do
        grep -qxF "$owner" <<<"$installed_by_script" && ok=1
    done
    ((ok)) || missing+=("$(tr '\n' '/' <<<"$owners" | sed 's|/$||') (for $file)")
done < <(found_files)

if ((${#missing[@]})); then
    echo "The build uses packages that scripts/install-packages.sh does not install:"
    printf '  %s\n' "${missing[@]}"
    echo "Add them to its package list, or the build fails on a fresh machine."
    exit 1
fi
echo "All $checked packages the build found are installed by scripts/install-packages.sh."
