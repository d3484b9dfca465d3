#!/usr/bin/env bash
# scripts/demo --windows: the demo with qdbupd.exe under wine.  The sample
# installation is written to the wine prefix's HKEY_LOCAL_MACHINE, the run
# shows its box on a virtual X display (Xvfb), the box is saved as a
# screenshot and closed with OK, and the exit code is printed.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$root/scripts/lib/deps.sh"
qdbupd_install_native_deps
qdbupd_install_windows_deps

if qdbupd_runs_32bit; then
  preset=windows host=i686-w64-mingw32
else
  preset=windows64 host=x86_64-w64-mingw32
  echo "this machine runs no 32-bit code: using the 64-bit build of the same sources"
fi
build="$root/build/$preset"
cryptopp=$(QDBUPD_MINGW_HOST=$host "$root/scripts/build-cryptopp-mingw")
cmake --preset "$preset" "-DQDBUPD_CRYPTOPP_MINGW_DIR=$cryptopp" >/dev/null
cmake --build --preset "$preset" --target qdbupd >/dev/null
program="$build/src/app/qdbupd.exe"
prefix="$build/wineprefix"
wine_run="$root/cmake/wine-run"

demo="$build/demo"
rm -rf "$demo"
mkdir -p "$demo/Pelnor 4/setup" "$demo/update"
printf '[Parts]\r\npart.qdb=qdb-12AB3401\r\npart.setup=setup-0000045A\r\n' \
  > "$demo/Pelnor 4/setup/setup.ini"
folder="Z:${demo//\//\\}\\Pelnor 4"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Brantel Software\\Pelnor\\4.0]\r\n"Pelnor4ProgramFolder"="%s"\r\n"Product"="ed_alpha"\r\n"SetupVersion"=dword:00000456\r\n' \
  "${folder//\\/\\\\}" > "$demo/registry.reg"

tool() { "$wine_run" --prefix "$prefix" --like "$program" "$@" >/dev/null 2>&1; }
tool reg.exe delete 'HKLM\Software\Brantel Software' /f || true
tool reg.exe import "Z:${demo//\//\\}\\registry.reg"
tool reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f

work="$(mktemp -d)"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(tr -d '\n' <"$work/display")"

storage="Z:${demo//\//\\}\\update"
echo "Sample installation: $demo/Pelnor 4 (in wine's registry)"
echo "\$ wine qdbupd.exe /sfxstorage $storage"
"$wine_run" --prefix "$prefix" "$program" /sfxstorage "$storage" &
pid=$!
window="$(timeout 60 xdotool search --sync --onlyvisible --name '^(Error|Message)$' | head -n 1)"
sleep 1
import -window "$window" "$demo/message.png"
echo "message box: $(xdotool getwindowname "$window") (screenshot $demo/message.png)"
xdotool windowfocus --sync "$window" key Return
set +e
wait $pid
code=$?
set -e
echo "exit code: $code"
