#!/usr/bin/python3
"""The example Alertmanager configuration against the alerts the rules'
tests expect: every alert name it names is one the rules raise, and at each
moment of those tests the alerts it lets through, grouped as it groups them,
are what the tests' comments say Alertmanager sends. Inhibition and grouping
are worked out here by Alertmanager's rules for them; where its amtool is
installed, it checks the file too.

Usage: alertmanager_config_test.py RULES ALERTMANAGER_CONFIG RULE_TESTS
"""
import os
import re
import shutil
import subprocess
import sys

import yaml

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from checks import check, finish  # tests/checks.py

RULES, CONFIG, RULE_TESTS = sys.argv[1:4]


MATCHER = re.compile(r'^\s*([A-Za-z_][A-Za-z0-9_]*)\s*(=~|!~|!=|=)\s*(.*?)\s*$')


def matcher(text):
    """A matcher as Alertmanager reads one: name, operator, value (quoted or
    not); a regular expression matches the whole value."""
    found = MATCHER.match(text)
    check(found is not None, f"a matcher Alertmanager can read: {text!r}")
    name, operator, value = found.groups()
    if len(value) >= 2 and value[0] == value[-1] == '"':
        value = value[1:-1]
    if operator in ("=~", "!~"):
        pattern = re.compile(value)
        test = lambda labels: pattern.fullmatch(labels.get(name, "")) is not None
    else:
        test = lambda labels: labels.get(name, "") == value
    return (lambda labels: not test(labels)) if operator.startswith("!") else test


def matches_all(matchers, labels):
    return all(m(labels) for m in matchers)


class InhibitRule:
    def __init__(self, rule):
        self.source = [matcher(m) for m in rule["source_matchers"]]
        self.target = [matcher(m) for m in rule["target_matchers"]]
        self.equal = rule.get("equal", [])
        self.text = rule

    def mutes(self, target, firing):
        if not matches_all(self.target, target):
            return False
        target_is_source = matches_all(self.source, target)
        for source in firing:
            if source is target or not matches_all(self.source, source):
                continue
            # An alert on both sides is never silenced by another on both.
            if target_is_source and matches_all(self.target, source):
                continue
            if all(source.get(label, "") == target.get(label, "") for label in self.equal):
                return True
        return False


def notifications(config, rules, firing):
    """The groups Alertmanager sends for the alerts firing: key, then the
    alert names with what tells them apart."""
    groups = {}
    for alert in firing:
        if any(rule.mutes(alert, firing) for rule in rules):
            continue
        key = tuple(alert.get(label, "") for label in config["route"]["group_by"])
        told = alert.get("code") or alert.get("colour") or ""
        groups.setdefault(key, []).append(f"{alert['alertname']} {told}".strip())
    return {key: sorted(names) for key, names in groups.items()}


def expected_alerts(tests):
    """For each story's host and moment, the alerts the rules' tests expect."""
    moments = {}
    for story in tests["tests"]:
        for case in story["alert_rule_test"]:
            for alert in case.get("exp_alerts", []):
                labels = dict(alert["exp_labels"], alertname=case["alertname"])
                moments.setdefault((labels["instance"], case["eval_time"]), []).append(labels)
    return moments


with open(RULES) as f:
    rule_names = {rule["alert"] for group in yaml.safe_load(f)["groups"] for rule in group["rules"]}
with open(CONFIG) as f:
    config = yaml.safe_load(f)
with open(RULE_TESTS) as f:
    moments = expected_alerts(yaml.safe_load(f))

receivers = {receiver["name"] for receiver in config["receivers"]}
check(config["route"]["receiver"] in receivers, "the route's receiver is defined")
inhibit_rules = [InhibitRule(rule) for rule in config["inhibit_rules"]]


def named(side):
    """The rules' alerts that a side's alertname matchers take."""
    matchers = [matcher(m) for m in side if m.startswith("alertname")]
    return {name for name in rule_names if matchers and matches_all(matchers, {"alertname": name})}


silenced = set()
for rule in config["inhibit_rules"]:
    for side in ("source_matchers", "target_matchers"):
        check(named(rule[side]), f"the {side} of {rule} name an alert of the rules")
    silenced |= named(rule["target_matchers"])
check(silenced == rule_names - {"VantrelMetricsStale", "VantrelMetricsMissing"},
      f"every printer's alert can be silenced by one that says more: {sorted(silenced)}")

# What the rules' tests say Alertmanager sends, moment by moment.
told = {
    ("office:9100", "9m"): {("office:9100", "B"): ["VantrelPrinterGone"]},
    ("desk:9100", "3m"): {("desk:9100", "C"): ["VantrelTonerOut black"]},
    ("lab:9100", "3m"): {
        ("lab:9100", "D"): ["VantrelImagingCartridgeLow", "VantrelPrinterWarning 303000",
                            "VantrelPrinterWarning 306004", "VantrelPrinterWarning 399999",
                            "VantrelTonerLow magenta"],
        ("lab:9100", "E"): ["VantrelImagingCartridgeOut"]},
}
for moment, want in told.items():
    got = notifications(config, inhibit_rules, moments.get(moment, []))
    check(got == want, f"at {moment}: {got}, not {want}")
    print(moment, got)

amtool = shutil.which("amtool")
if amtool:
    result = subprocess.run([amtool, "check-config", CONFIG], capture_output=True, timeout=60)
    check(result.returncode == 0, f"amtool check-config: {result.stdout} {result.stderr}")
else:
    print("amtool missing (prometheus-alertmanager): the file is read by this test alone")
finish()
