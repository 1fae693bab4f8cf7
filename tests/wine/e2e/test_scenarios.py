"""The end-to-end scenarios of setup.exe and uninst.exe under Wine: a PC, a person's
walk through the wizard (and the uninstaller), and what the machine holds afterwards
(q4p_e2e/scenarios.py, q4p_e2e/uninstall_scenarios.py, q4p_e2e/cut_scenarios.py).

  pytest-3 tests/wine/e2e/test_scenarios.py --build-dir build/win64

Each scenario reports every expectation that failed, not only the first.
"""

import pytest

from q4p_e2e import cut_scenarios, scenarios, uninstall_scenarios

ALL = {**scenarios.SCENARIOS, **uninstall_scenarios.SCENARIOS, **cut_scenarios.SCENARIOS}


@pytest.mark.parametrize("scenario", sorted(ALL))
def test_scenario(scenario, ctx):
    ALL[scenario](ctx)
    assert not ctx.expect.failures, "\n".join(ctx.expect.failures)
