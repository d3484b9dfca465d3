#!/usr/bin/env bash
# The outcome message as a user meets it: qdbupd.exe runs under wine on a
# virtual X display with no installation in the registry, shows its error box
# (title "Error" in English, "Chyba" in Czech), the test presses OK on it, and
# the program must then end with exit code 4 (NotInstalled).
#
#   messagebox_ok_test.sh WINE_RUN PREFIX QDBUPD_EXE
#
# QDBUPD_SCREENSHOT_DIR, when set, receives screenshot-not-installed-eng.png
# and screenshot-not-installed-cze.png of the two boxes.  The Czech run uses
# the cs_CZ.UTF-8 locale (wine's ANSI code page 1250) when the machine has it.
# Exit code 77 (skipped) when Xvfb or xdotool is missing.

set -uo pipefail

[ $# -eq 3 ] || { echo "usage: $0 WINE_RUN PREFIX QDBUPD_EXE" >&2; exit 2; }
wine_run="$1"
prefix="$2"
program="$3"
screenshots="${QDBUPD_SCREENSHOT_DIR:-}"

for tool in Xvfb xdotool xwininfo ${screenshots:+import}; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

work="$(mktemp -d)"
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A display of its own, on the first free number.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" \
  >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(tr -d '\n' <"$work/display")"

tool() {
  "$wine_run" --prefix "$prefix" --like "$program" "$@" >/dev/null 2>&1
}
# No installation; a missing key is fine.
tool reg.exe delete 'HKLM\Software\Brantel Software' /f
# With no window manager on the display, wine draws the title bar itself.
tool reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f ||
  fail "cannot set up the wine prefix $prefix"
# Its caption buttons are Marlett glyphs, which this wine finds only in the
# prefix's own font folder (Debian package fonts-wine has the font).
marlett=/usr/share/wine/fonts/marlett.ttf
fonts="$prefix/drive_c/windows/Fonts"
if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
  cp "$marlett" "$fonts/"
fi

czech_locale=""
if locale -a 2>/dev/null | grep -qix 'cs_CZ.utf-\?8'; then
  czech_locale=cs_CZ.UTF-8
else
  echo "note: no cs_CZ.UTF-8 locale; the Czech box uses the default code page"
fi

# press_ok LANG TITLE LOCALE
press_ok() {
  local language="$1" title="$2" locale="$3" window code
  if [ -n "$locale" ]; then
    LC_ALL="$locale" LANG="$locale" "$wine_run" --prefix "$prefix" \
      "$program" /lang "$language" &
  else
    "$wine_run" --prefix "$prefix" "$program" /lang "$language" &
  fi
  program_pid=$!

  window="$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" |
    head -n 1)"
  [ -n "$window" ] || fail "/lang $language: no window titled \"$title\""
  if [ -n "$screenshots" ]; then
    sleep 1  # mapped is not yet painted
    mkdir -p "$screenshots"
    import -window "$window" \
      "$screenshots/screenshot-not-installed-$language.png" ||
      fail "/lang $language: no screenshot"
  fi
  xdotool windowfocus --sync "$window" key Return

  for _ in $(seq 300); do
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2>/dev/null &&
    fail "/lang $language: still running after OK was pressed"
  wait "$program_pid"
  code=$?
  program_pid=""
  [ "$code" -eq 4 ] || fail "/lang $language: exit code $code, want 4"
  echo "ok: /lang $language: box \"$title\", OK pressed, exit code 4"
}

press_ok eng Error ""
press_ok cze Chyba "$czech_locale"
