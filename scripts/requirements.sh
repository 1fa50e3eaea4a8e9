# shellcheck shell=bash
# What the scripts need from Debian 12, one list of packages a need, and
# `require`, which checks for them and, run as root, installs what is
# missing. Sourced by scripts/common.sh; scripts/setup runs it by hand and
# for CI.

declare -A sorvin_packages=(
  [build]="cmake g++ make"
  [tests]="libgtest-dev libgmock-dev locales"
  [reliability]="clang libclang-rt-14-dev valgrind"
  [bench]="libbenchmark-dev"
  # MinGW-w64 cross compilers, widl, GoogleTest's sources to build with
  # them, Wine for both word sizes and its IDL files.
  [windows]="g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools googletest wine wine64 wine32:i386 libwine-dev locales procps"
  [release]="wixl msitools osslsigncode"
)
# The tills' locale, ru_RU.UTF-8: the decimal-comma cases run in it (they
# skip without it), and so do the Windows platform tests under Wine. And an
# English one, in which Wine's code page for non-Unicode programs is not
# 1251: the Windows tests of Cyrillic file names run in it.
sorvin_locales=(ru_RU.UTF-8 en_US.UTF-8)
sorvin_locale_needs=" tests windows "

# The packages of those given that are not installed, each once, a line
# each. One dpkg-query for all, so a machine that has everything pays nothing.
sorvin_missing_packages() {
  local -A installed=() seen=()
  local status name package
  while read -r status name; do
    [[ "$status" == ii ]] && installed[$name]=1
  done < <(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "$@" 2>/dev/null || true)
  for package; do
    [[ -v installed[${package%%:*}] || -v seen[$package] ]] && continue
    seen[$package]=1
    echo "$package"
  done
}

sorvin_lacks_locale() {
  # locale -a spells ru_RU.UTF-8 as ru_RU.utf8.
  ! locale -a 2>/dev/null | tr -d - | grep -qixF "${1//-/}"
}

# require NEED...: returns when everything the needs list is there. Else,
# as root, it installs the rest (apt-get update first); as anyone else, it
# prints what to run as root and stops the script.
require() {
  local need packages=() missing=() steps=() actions=() lacking action name
  local -i locale=0
  for need; do
    if [[ ! -v sorvin_packages[$need] ]]; then
      echo "require: no such need: $need (one of: ${!sorvin_packages[*]})" >&2
      exit 2
    fi
    read -ra packages <<<"${packages[*]} ${sorvin_packages[$need]}"
    [[ "$sorvin_locale_needs" == *" $need "* ]] && locale=1
  done
  if ! command -v dpkg-query >/dev/null; then
    echo "$0: not a Debian system; not checking for: ${packages[*]}" >&2
    return 0
  fi
  mapfile -t missing < <(sorvin_missing_packages "${packages[@]}")
  lacking="${missing[*]}"
  if [[ " $lacking" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    steps+=("dpkg --add-architecture i386")
    actions+=("${steps[-1]}")
  fi
  if ((${#missing[@]})); then
    steps+=("apt-get update && apt-get install -y --no-install-recommends $lacking")
    actions+=("sorvin_apt_install $lacking")
  fi
  for name in "${sorvin_locales[@]}"; do
    if ((locale)) && sorvin_lacks_locale "$name"; then
      steps+=("echo '$name ${name#*.}' >> /etc/locale.gen && locale-gen")
      actions+=("${steps[-1]}")
      lacking+="${lacking:+, }the locale $name"
    fi
  done
  ((${#steps[@]})) || return 0

  if ((EUID != 0)); then
    echo "$0 needs what this machine lacks: $lacking." >&2
    echo "Run as root (or run $0 as root, which does it):" >&2
    printf '  %s\n' "${steps[@]}" >&2
    exit 1
  fi
  echo "=== installing: $lacking"
  for action in "${actions[@]}"; do
    (export DEBIAN_FRONTEND=noninteractive && eval "$action")
  done
}

# What root runs for the printed `apt-get update && apt-get install`.
sorvin_apt_install() {
  local release=()
  sorvin_apt_update || release=(-t "$(sorvin_release)")
  apt-get install -y --no-install-recommends "${release[@]}" "$@"
}

# A Debian mirror caught mid-sync serves an index of the wrong size, and
# apt-get update fails on it; a pause is often enough. When it still fails,
# sorvin_apt_install takes the release's own versions: with the
# security index of one word size missing, its candidates would differ from
# the other's and wine32 could not be installed beside wine64.
sorvin_apt_update() {
  local -i attempt
  for attempt in 1 2 3; do
    apt-get update && return 0
    ((attempt < 3)) || break
    echo "apt-get update failed (attempt $attempt); trying again in $((attempt * 15)) s" >&2
    sleep $((attempt * 15))
  done
  echo "apt-get update still fails; installing the versions of $(sorvin_release) itself" >&2
  return 1
}

sorvin_release() {
  (source /etc/os-release && echo "$VERSION_CODENAME")
}
