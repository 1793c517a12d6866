#!/usr/bin/env bash
# Builds Corvane for the browser and serves it on http://127.0.0.1:PORT/
# (default 8080) until Ctrl+C.  Usage: web/serve.sh [PORT]
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8080}
web/build.sh
. tools/deps.sh
command -v node >/dev/null || corvane_need nodejs
exec node web/serve.mjs build/web/page "$port"
