#!/usr/bin/env bash
# Installs every Debian package that building and testing Quorvel needs, and fetches
# Debian's libpng1.6 source for the Windows build. Idempotent and quiet when all is present.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake make g++ pkg-config python3
  googletest libbenchmark-dev
  libpng-dev zlib1g-dev libebur128-dev libsndfile1-dev
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  libz-mingw-w64-dev
  wine wine64
  ardour
  dpkg-dev
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

# apt-get source needs a deb-src entry; add one that mirrors the binary sources.
src_list=/etc/apt/sources.list.d/quorvel-deb-src.sources
need_update=0
if [ ! -f "$src_list" ]; then
  "${sudo_cmd[@]}" tee "$src_list" >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update -eq 1 ]; then
  echo "install-deps: updating package lists"
  "${sudo_cmd[@]}" apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
  echo "install-deps: installing ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's libpng1.6 source, built statically by the Windows flavour.
deps="$repo/build/deps"
if ! ls -d "$deps"/libpng1.6-*/ >/dev/null 2>&1; then
  mkdir -p "$deps"
  echo "install-deps: fetching Debian's libpng1.6 source"
  fetch() { ( cd "$deps" && apt-get source -qq libpng1.6 >/dev/null 2>&1 ); }
  # The source lists may be stale or missing: update them once and try again.
  fetch || { "${sudo_cmd[@]}" apt-get update -qq && fetch; } || {
    echo "install-deps: apt-get source libpng1.6 failed" >&2
    exit 1
  }
fi
