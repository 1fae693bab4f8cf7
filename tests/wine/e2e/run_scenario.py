#!/usr/bin/env python3
"""Runs one end-to-end scenario of setup.exe under Wine and reports what it found.

  run_scenario.py --build-dir build/win64 --scenario typical

With --in-session (inside tests/wine/wine-session, which exports WINEPREFIX and
DISPLAY) it uses that prefix and display; otherwise it makes its own prefix
under the build tree and its own Xvfb. Screenshots of every page passed go to
<build>/e2e-artifacts/<scenario>/. Exit code 0 when every expectation held.
"""

import argparse
import pathlib
import shutil
import sys
import time
import traceback

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))

from q4p_e2e import scenarios  # noqa: E402
from q4p_e2e.session import Session, SessionError, arch_of_build  # noqa: E402
from q4p_e2e.ui import UiError  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build-dir", required=True, type=pathlib.Path)
    parser.add_argument("--source-dir", type=pathlib.Path,
                        default=pathlib.Path(__file__).resolve().parents[3])
    parser.add_argument("--scenario", required=True, choices=sorted(scenarios.SCENARIOS))
    parser.add_argument("--in-session", action="store_true",
                        help="use the prefix and display exported by tests/wine/wine-session")
    parser.add_argument("--keep-prefix", action="store_true",
                        help="leave an own session's prefix in place for inspection")
    args = parser.parse_args()
    build_dir = args.build_dir.resolve()
    artifacts = build_dir / "e2e-artifacts" / args.scenario
    shutil.rmtree(artifacts, ignore_errors=True)
    artifacts.mkdir(parents=True)

    arch = arch_of_build(build_dir)
    own = not args.in_session
    started = time.monotonic()
    session = ctx = None
    run_error = None
    try:
        if own:
            session = Session.create(arch, build_dir / "e2e-prefixes" / args.scenario,
                                     build_dir / "wine-templates")
        else:
            session = Session.from_environment(arch)
        ctx = scenarios.Context(session, build_dir, args.source_dir.resolve(), artifacts)
        scenarios.SCENARIOS[args.scenario](ctx)
    except (UiError, SessionError) as e:
        run_error = str(e)
    except Exception:  # a fault of the driver itself: show where
        run_error = traceback.format_exc()
    finally:
        if ctx is not None and getattr(ctx, "screen", None) is not None:
            ctx.screen.close()
        if session is not None and own:
            session.close(remove_prefix=not args.keep_prefix)

    failures = list(ctx.expect.failures) if ctx is not None else []
    if run_error:
        failures.append(run_error)
    elapsed = time.monotonic() - started
    print(f"scenario {args.scenario}: {'FAILED' if failures else 'passed'} in {elapsed:.1f} s; "
          f"screenshots in {artifacts}")
    for failure in failures:
        print("  - " + failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
