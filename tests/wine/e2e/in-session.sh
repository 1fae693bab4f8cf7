#!/usr/bin/env bash
# Runs one end-to-end scenario inside tests/wine/wine-session, in the prefix and
# on the display the session exported.
set -euo pipefail
exec "${PYTHON:-python3}" -B "$(dirname "${BASH_SOURCE[0]}")/run_scenario.py" --in-session "$@"
