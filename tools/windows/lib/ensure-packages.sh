# Sourced helper: ensure_packages PKG... installs the Debian packages that are
# not installed yet. Prints nothing on stdout (callers use stdout for results).

ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q ' installed$' || missing+=("$pkg")
  done
  ((${#missing[@]} == 0)) && return 0
  if ((EUID != 0)); then
    echo "error: missing packages: ${missing[*]} (run as root, or install them)" >&2
    return 1
  fi
  echo "installing: ${missing[*]}" >&2
  # other developers may be running apt on the same machine
  local apt=(apt-get -qq -o DPkg::Lock::Timeout=600)
  "${apt[@]}" update >&2
  DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y --no-install-recommends "${missing[@]}" >&2 </dev/null
}
