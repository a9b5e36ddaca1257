#!/usr/bin/env bash
# Serves the built page (tools/build-web.sh) on this machine only, for a
# browser here: 127.0.0.1, port 8000 or the one given.
#
#   tools/serve-web.sh [PORT]
set -euo pipefail
cd "$(dirname "$0")/.."
port="${1:-8000}"
if [ ! -f build/web/index.html ]; then
  echo "error: build/web/index.html is missing; run tools/build-web.sh first" >&2
  exit 1
fi
echo "==> Serving build/web at http://127.0.0.1:$port/ (Ctrl+C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
