# Sourced (by bash) from scripts/check.sh, scripts/start.sh and
# cmake/wine-run.sh: the one place that knows how Wine is started here.
#
# Some machines cannot execute 32-bit x86 code at all (a kernel without IA-32
# compatibility): Wine's 32-bit loader fails there with "Exec format error"
# whatever is installed. Debian's wine, wineboot, winepath and reg wrappers
# always take the 32-bit loader when wine32 is installed, so the 64-bit build
# runs under the 64-bit loader called directly, with WINELOADER and WINESERVER
# pointing at the 64-bit pair, in a 64-bit prefix of its own. Where 32-bit
# code runs, the 32-bit build keeps going through Debian's wrappers as before.
#
# For testing the other paths: LUMERET_WINE32=yes|no overrides the probe,
# LUMERET_WINE_DIR points at another Wine folder (an empty one: no Wine).

lumeret_wine_dir=${LUMERET_WINE_DIR:-/usr/lib/wine}

# Sets lumeret_wine32 to yes or no; when no, lumeret_wine32_why says why.
lumeret_detect_wine32() {
  lumeret_wine32=no
  lumeret_wine32_why=
  local out
  case ${LUMERET_WINE32:-} in
    yes) lumeret_wine32=yes; return 0 ;;
    no) lumeret_wine32_why="LUMERET_WINE32=no"; return 0 ;;
  esac
  if [ ! -x "$lumeret_wine_dir/wine" ]; then
    lumeret_wine32_why="the 32-bit Wine loader is not installed ($lumeret_wine_dir/wine, package wine32:i386)"
  elif out=$("$lumeret_wine_dir/wine" --version 2>&1); then
    lumeret_wine32=yes
  elif [[ $out == *"Exec format error"* ]]; then
    lumeret_wine32_why="this machine cannot execute 32-bit x86 code (kernel without IA-32 compatibility: the 32-bit Wine loader fails with Exec format error)"
  else
    lumeret_wine32_why="the 32-bit Wine loader does not start: ${out%%$'\n'*}"
  fi
}

# The prefix the tests of a build use, inside the build folder. The 32-bit one
# may be chosen by the caller through WINEPREFIX, as before.
lumeret_test_prefix() { # BITS ROOT
  if [ "$1" = 64 ]; then echo "$2/build/wineprefix64"; else echo "${WINEPREFIX:-$2/build/wineprefix}"; fi
}

# Exports the environment for running the BITS (32 or 64) build in PREFIX and
# sets lumeret_wine (the command that runs a Windows program) and
# lumeret_wineserver. Returns 1 with one line on stderr when that Wine cannot
# start at all.
lumeret_wine_env() { # BITS PREFIX
  export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ "$1" = 64 ]; then
    export WINELOADER=$lumeret_wine_dir/wine64 WINESERVER=$lumeret_wine_dir/wineserver64
    lumeret_wine=("$WINELOADER")
    lumeret_wineserver=("$WINESERVER")
    if ! "$WINELOADER" --version >/dev/null 2>&1; then
      echo "64-bit Wine does not start ($WINELOADER): install it with scripts/install-deps.sh (package wine64)." >&2
      return 1
    fi
  else
    lumeret_wine=(wine)
    lumeret_wineserver=(wineserver)
    if ! command -v wine >/dev/null 2>&1; then
      echo "Wine is not installed: install it with scripts/install-deps.sh (packages wine, wine32:i386)." >&2
      return 1
    fi
  fi
}

# Y: the window manager draws the windows' frames and captions; N: Wine draws
# them itself. Without a window manager (a bare Xvfb) nothing draws them, and
# Wine would wait about 2 s for one each time a window is hidden.
lumeret_wine_managed() { # Y|N
  "${lumeret_wine[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f >/dev/null 2>&1
}

# Makes the prefix WINEPREFIX once: it is ready when wineboot and then the
# command CHECK... (which runs a program in it) succeed; fails when it is not. A lock keeps
# parallel runs from making it twice. A prefix whose making failed halfway
# never mends itself (Wine then cannot even load kernel32 in it). A prefix
# begun here carries a mark until it is ready, so one found with the mark,
# left by a failed or killed making, is removed and made again; a prefix
# made elsewhere has no mark and is never removed.
lumeret_wine_prefix() { # CHECK...
  [ -f "$WINEPREFIX/.lumeret-ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$WINEPREFIX/.lumeret-ready" ] && exit 0
    for attempt in 1 2; do
      if [ -e "$WINEPREFIX/.lumeret-making" ]; then
        echo "The Wine prefix $WINEPREFIX was left half-made: it is made again." >&2
        "${lumeret_wineserver[@]}" -k >/dev/null 2>&1 || true
        rm -rf "$WINEPREFIX"
      fi
      [ -e "$WINEPREFIX" ] || { mkdir -p "$WINEPREFIX" && touch "$WINEPREFIX/.lumeret-making"; }
      if LANG=ja_JP.UTF-8 "${lumeret_wine[@]}" wineboot -i >/dev/null 2>&1 && "$@"; then
        touch "$WINEPREFIX/.lumeret-ready" 2>/dev/null || true
        rm -f "$WINEPREFIX/.lumeret-making"
        exit 0
      fi
      [ -e "$WINEPREFIX/.lumeret-making" ] || break
    done
    exit 1
  ) 9>"$WINEPREFIX.lock"
}

# The tests' prefix, for unattended runs on a display without a window
# manager. Setting that switch runs a program in the prefix. A prefix that
# could not be made shows in the tests themselves.
lumeret_wine_test_prefix() { lumeret_wine_prefix lumeret_wine_managed N || true; }

# Ends the Wine processes of this prefix only (its own server), if it exists.
lumeret_wine_stop() {
  [ -d "$WINEPREFIX" ] || return 0
  "${lumeret_wineserver[@]}" -k >/dev/null 2>&1 || true
}
