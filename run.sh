#!/usr/bin/env bash
# Sets up what is missing, builds, makes a demo yearly database for the
# current year in DATA/DORPAK/ when there is none, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/setup.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build --target dorpak dorpak-admin

year=$(date +%Y)
file="$PWD/DATA/DORPAK/DORPAK$year.GDB"
if [ ! -f "$file" ]; then
  ./build/tools/dorpak-admin create "$file" --demo
fi

# Without a display (a bare server) the program runs on a virtual one.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  exec xvfb-run -a ./build/src/app/dorpak "$@"
fi
exec ./build/src/app/dorpak "$@"
