#!/usr/bin/python3
"""One severity rule everywhere (docs/status-severity.md): for each row of
one table (status codes and supply states the emulated printer reports),
the window's watch icon, check's state, the JSON's severity and the
metrics' vantrel_status_severity say the same. The watch reads the status
codes alone, so it is held to the rows that change only those.

Usage: severity_table_test.py DEMO_PRINTER CLI SCENARIO_RUNNER
"""
import json
import os
import subprocess
import sys
import tempfile

from prometheus_client.parser import text_string_to_metric_families as classic_text

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from checks import C_LOCALE as ENV, check, finish  # tests/checks.py

DEMO, CLI, RUNNER = (os.path.abspath(path) for path in sys.argv[1:4])
LEVEL = {"ready": 0, "warning": 1, "error": 2}
# Every supply ready and full: the demo's magenta cartridge is low.
READY_SUPPLIES = ["CONSUMETCSTATEM=1", "CONSUMETCREMAINM=50"]

TABLE = [  # what, status codes, page values, severity
    # Status codes by their group.
    ("ready", "000000,001000", [], "ready"),
    ("toner low", "000000,302002", [], "warning"),
    ("a code the program does not know", "000000,999999", [], "warning"),
    ("output tray full", "207000", [], "error"),
    # The cautions that say a cartridge is empty are errors.
    ("TONER OUT M", "000000,300002", [], "error"),
    ("I/C END", "000000,307000", [], "error"),
    # Supply states, whatever the percent next to them.
    ("magenta toner low at 50 %", "000000", ["CONSUMETCSTATEM=2"], "warning"),
    ("black toner end at 45 %", "000000", ["CONSUMETCSTATEK=3"], "error"),
    ("imaging cartridge life end", "000000", ["CONSUMEICSTATE=4"], "error"),
    ("imaging cartridge state unknown", "000000", ["CONSUMEICSTATE=0"], "warning"),
    ("cyan in a state the printer does not explain", "000000", ["CONSUMETCSTATEC=7"], "warning"),
]


def cli(codes, values, *args):
    printer = ["--status", codes]
    for value in READY_SUPPLIES + values:
        printer += ["--set", value]
    result = subprocess.run([DEMO, *printer, "--", CLI, *args], capture_output=True, env=ENV,
                            timeout=60, stdin=subprocess.DEVNULL)
    return result.returncode, result.stdout.decode(), result.stderr.decode()


def watch_icon(codes, folder):
    """The icon the window's watch shows for the codes, by the scenario runner."""
    scenario = os.path.join(folder, "watch.scn")
    with open(scenario, "w") as story:
        story.write(f"printer status {codes}\nstart --watch=10\nright-click icon\nchoose Exit\n")
    result = subprocess.run([RUNNER, scenario], capture_output=True, cwd=folder, env=ENV, timeout=60)
    icons = [line[len("icon: "):] for line in result.stdout.decode().splitlines()
             if line.startswith("icon: ")]
    return icons[-1] if icons else f"none ({result.returncode}: {result.stderr.decode()})"


with tempfile.TemporaryDirectory() as folder:
    for what, codes, values, severity in TABLE:
        status, out, err = cli(codes, values, "check", "-w", "0", "-c", "0")
        check(status == LEVEL[severity], f"{what}: check {status} {out!r} {err}")
        status, out, err = cli(codes, values, "config", "--format", "json")
        check(status == 0 and json.loads(out)["severity"] == severity,
              f"{what}: JSON {status} {out[:200]!r} {err}")
        status, out, err = cli(codes, values, "config", "--format", "prometheus")
        metric = [s.value for f in classic_text(out) if f.name == "vantrel_status_severity"
                  for s in f.samples]
        check(status == 0 and metric == [LEVEL[severity]], f"{what}: metrics {status} {metric} {err}")
        if not values:
            icon = watch_icon(codes, folder)
            check(icon == severity, f"{what}: watch icon {icon}")
        print(f"{what}: {severity}")
finish()
