"""The end-to-end scenarios of setup.exe under Wine: a PC, a person's walk through
the wizard, and what the machine holds afterwards (q4p_e2e/scenarios.py).

  pytest-3 tests/wine/e2e/test_scenarios.py --build-dir build/win64

Each scenario reports every expectation that failed, not only the first.
"""

import pytest

from q4p_e2e import scenarios


@pytest.mark.parametrize("scenario", sorted(scenarios.SCENARIOS))
def test_scenario(scenario, ctx):
    scenarios.SCENARIOS[scenario](ctx)
    assert not ctx.expect.failures, "\n".join(ctx.expect.failures)
