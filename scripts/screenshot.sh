#!/usr/bin/env bash
# Screenshots of the real window under Xvfb: scripts/screenshot.sh DOC.lvd OUT_PREFIX [ZOOM...]
# Writes OUT_PREFIX-100.png at start-up and OUT_PREFIX-Z.png after typing each zoom Z into the zoom box.
# Needs xvfb, imagemagick (import) and xdotool.
set -euo pipefail
if [ "${1:-}" != "--inside" ]; then
  exec xvfb-run -a -s "-screen 0 900x700x24" "$0" --inside "$@"
fi
shift
doc=$1 prefix=$2
shift 2
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/build/app/lumivane" "$doc" &
pid=$!
sleep 2.5
import -window root "$prefix-100.png"
wid=$(xdotool search --onlyvisible --name "Lumivane" | head -1)
for zoom in "$@"; do
  xdotool windowfocus --sync "$wid"
  xdotool mousemove 30 205 click 1
  xdotool key ctrl+a
  xdotool type "$zoom"
  xdotool key Return
  sleep 1
  import -window root "$prefix-$zoom.png"
done
kill "$pid"
