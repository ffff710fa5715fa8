#!/usr/bin/env bash
# Starts the program from its program directory, if there is a display to show it on.
set -euo pipefail
dir=${1:?program directory}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
Keine grafische Anzeige gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt).
Das Programm braucht einen Bildschirm. Ohne Bildschirm startet man es unter Xvfb:

    xvfb-run -a -s "-screen 0 1280x1024x24" make run

MSG
  exit 1
fi
exec "$dir/Tourbuch"
