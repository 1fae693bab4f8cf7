#!/usr/bin/env bash
# Runs one end-to-end scenario inside tests/wine/wine-session, in the prefix and
# on the display the session exported:
#   in-session.sh --build-dir DIR --scenario NAME
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
[ "$1" = --build-dir ] && [ "$3" = --scenario ] || { echo "usage: $0 --build-dir DIR --scenario NAME" >&2; exit 2; }
build_dir=$2
scenario=$4
# The 64-bit prefix's run of a scenario keeps its screenshots apart.
artifacts="$build_dir/e2e-artifacts/${Q4P_E2E_WOW64:+wow64-}$scenario"
mkdir -p "$artifacts"
exec "${Q4P_PYTEST:-pytest-3}" -p no:cacheprovider -q "$here/test_scenarios.py::test_scenario[$scenario]" \
    --build-dir "$build_dir" --in-session --junitxml "$artifacts/junit.xml"
