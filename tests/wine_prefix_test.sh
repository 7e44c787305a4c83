#!/usr/bin/env bash
# How the Windows tests' Wine prefix is made (cmake/wine-env.sh), against a
# stand-in Wine whose prefix making can be made to fail: a prefix begun here
# that came out broken, now or in an earlier run, is removed and made again,
# a caller's own prefix is never removed, a ready prefix is not made again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The stand-in: wineboot leaves a half-made prefix and fails as long as the
# count in $work/failing-boots lasts; every call is logged.
mkdir "$work/wine"
cat > "$work/wine/wine64" <<'EOF'
#!/usr/bin/env bash
echo "$*" >> "$FAKE_LOG"
case "$1" in
  --version) echo wine-8.0 ;;
  wineboot)
    mkdir -p "$WINEPREFIX/drive_c"
    left=$(cat "$FAKE_FAILING_BOOTS")
    if [ "$left" -gt 0 ]; then
      echo $((left - 1)) > "$FAKE_FAILING_BOOTS"
      touch "$WINEPREFIX/half-made"
      exit 1
    fi
    ;;
  reg) [ ! -e "$WINEPREFIX/half-made" ] ;;
esac
EOF
printf '#!/usr/bin/env bash\necho "wineserver $*" >> "$FAKE_LOG"\n' > "$work/wine/wineserver64"
chmod +x "$work/wine/wine64" "$work/wine/wineserver64"
export FAKE_LOG=$work/log FAKE_FAILING_BOOTS=$work/failing-boots LUMERET_WINE_DIR=$work/wine

status=0
fail() {
  echo "FAILED: $1" >&2
  sed 's/^/  log: /' "$FAKE_LOG" >&2
  status=1
}

# Makes PREFIX with the stand-in failing its first FAILS makings; afterwards
# the log holds the calls made.
make_prefix() { # PREFIX FAILS
  echo "$2" > "$FAKE_FAILING_BOOTS"
  : > "$FAKE_LOG"
  (
    . "$root/cmake/wine-env.sh"
    lumeret_wine_env 64 "$1"
    lumeret_wine_test_prefix 2>/dev/null
  )
}
boots() { grep -c '^wineboot' "$FAKE_LOG" || true; }

make_prefix "$work/once-broken" 1
[ -f "$work/once-broken/.lumeret-ready" ] || fail "a prefix broken at its first making is not made again"
[ ! -e "$work/once-broken/half-made" ] || fail "the broken first making was not removed before the second"
[ "$(boots)" = 2 ] || fail "a prefix broken once took $(boots) makings, not 2"
grep -q '^wineserver -k' "$FAKE_LOG" || fail "the broken prefix's server was not ended before it was removed"

make_prefix "$work/once-broken" 0
[ "$(boots)" = 0 ] || fail "a ready prefix was made again"
[ ! -e "$work/once-broken/.lumeret-making" ] || fail "a ready prefix still carries the mark of one being made"

make_prefix "$work/always-broken" 5
[ "$(boots)" = 2 ] || fail "a prefix that never comes out whole was tried $(boots) times, not 2"
[ ! -f "$work/always-broken/.lumeret-ready" ] || fail "a broken prefix was marked ready"
echo 5 > "$FAKE_FAILING_BOOTS"
if (. "$root/cmake/wine-env.sh" && lumeret_wine_env 64 "$work/never-ready" &&
    lumeret_wine_prefix lumeret_wine_managed N 2>/dev/null); then
  fail "a prefix that could not be made was reported ready"
fi
# A later run, or one after a making that was killed, finds the mark.
make_prefix "$work/always-broken" 0
[ -f "$work/always-broken/.lumeret-ready" ] || fail "a prefix left half-made by an earlier run is not made again"
[ ! -e "$work/always-broken/half-made" ] || fail "the half-made prefix of an earlier run was not removed first"
[ "$(boots)" = 1 ] || fail "a prefix left half-made by an earlier run took $(boots) makings, not 1"

mkdir -p "$work/callers-own/drive_c"
touch "$work/callers-own/keep-me"
make_prefix "$work/callers-own" 5
[ -e "$work/callers-own/keep-me" ] || fail "the caller's own prefix was removed"
[ "$(boots)" = 1 ] || fail "the caller's own broken prefix was made $(boots) times, not once"
[ ! -f "$work/callers-own/.lumeret-ready" ] || fail "a broken prefix was marked ready"

[ "$status" = 0 ] && echo "Wine prefix making: all cases passed"
exit "$status"
