#!/usr/bin/python3
"""The monitoring systems' definitions (packaging/integration) loaded by the
programs that take them, as Debian installs them: Icinga 2 validates its
CheckCommand in a service, Nagios its command and service template in a
pre-flight check; the Zabbix agent runs the user parameter against two
emulated printers, and the template's discoveries, items and triggers are
worked through on what it returned, as the Zabbix server would. No daemon
is started: each program only checks or runs one item and ends.

Usage: monitoring_systems_test.py icinga2|nagios|zabbix INTEGRATION WORKDIR [DEMO_PRINTER CLI]
"""
import json
import os
import re
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from checks import check, finish  # tests/checks.py

SYSTEM, INTEGRATION, WORK = sys.argv[1:4]


def run(command, **options):
    result = subprocess.run(command, capture_output=True, text=True, timeout=120, **options)
    return result.returncode, result.stdout + result.stderr


def icinga2():
    # Its state and cache in the work folder, not the system's.
    folders = {name: os.path.join(WORK, name) for name in ("cache", "data", "log", "run")}
    for folder in folders.values():
        os.makedirs(folder)
    config = os.path.join(WORK, "icinga2.conf")
    with open(config, "w") as out:
        out.write(f'include <itl>\ninclude "{INTEGRATION}/icinga2/vantrel.conf"\n'
                  'object Host "printer-host" { check_command = "dummy" }\n'
                  'object Service "tarnlow-printers" {\n'
                  '  host_name = "printer-host"\n  check_command = "vantrel"\n}\n')
    status, output = run(["icinga2", "daemon", "-C", "-c", config, "-DRunAsUser=" + user(),
                          "-DRunAsGroup=" + group(), "-DCacheDir=" + folders["cache"],
                          "-DDataDir=" + folders["data"], "-DLogDir=" + folders["log"],
                          "-DInitRunDir=" + folders["run"]])
    print(output)
    check(status == 0, f"icinga2 daemon -C: status {status}")
    check("Instantiated 1 Service." in output, "icinga2 made the service")
    check(not re.search(r"warning/|critical/", output), "icinga2 gave no warning")


def nagios():
    state = os.path.join(WORK, "var")
    os.makedirs(state)
    objects = os.path.join(WORK, "objects.cfg")
    with open(objects, "w") as out:
        out.write("""define timeperiod {
    timeperiod_name     always
    alias               Always
    monday              00:00-24:00
}
define command {
    command_name        notify-nobody
    command_line        /bin/true
}
define contact {
    contact_name                    admin
    host_notification_period        always
    service_notification_period     always
    host_notification_options       n
    service_notification_options    n
    host_notification_commands      notify-nobody
    service_notification_commands   notify-nobody
}
define host {
    host_name               printer-host
    address                 127.0.0.1
    max_check_attempts      3
    check_period            always
    contacts                admin
    notification_period     always
}
define service {
    use                     vantrel-printer
    host_name               printer-host
    check_period            always
    contacts                admin
    notification_period     always
}
""")
    config = os.path.join(WORK, "nagios.cfg")
    with open(config, "w") as out:
        out.write(f"cfg_file={INTEGRATION}/nagios/vantrel.cfg\ncfg_file={objects}\n")
        for key, name in (("check_result_path", ""), ("lock_file", "nagios.lock"),
                          ("temp_file", "nagios.tmp"), ("status_file", "status.dat"),
                          ("log_file", "nagios.log"), ("state_retention_file", "retention.dat"),
                          ("object_cache_file", "objects.cache"),
                          ("precached_object_file", "objects.precache"),
                          ("command_file", "nagios.cmd")):
            out.write(f"{key}={os.path.join(state, name)}\n")
        out.write(f"nagios_user={user()}\nnagios_group={group()}\n"
                  "illegal_macro_output_chars=`~$&|'\"<>\n")
    status, output = run(["nagios4", "-v", config])
    print(output)
    check(status == 0, f"nagios4 -v: status {status}")
    check("Checked 1 services." in output, "nagios checked the service")
    check("Total Warnings: 0" in output and "Total Errors:   0" in output, "nagios found nothing wrong")


def user():
    import pwd
    return pwd.getpwuid(os.geteuid()).pw_name


def group():
    import grp
    return grp.getgrgid(os.getegid()).gr_name


# What the Zabbix server does with the agent's text: Prometheus patterns of
# the form  name{label="value",...} [== number]  and their outputs.
SAMPLE = re.compile(r'^([a-zA-Z_:][a-zA-Z0-9_:]*)(?:\{(.*)\})?\s+(\S+)$')
LABEL = re.compile(r'([a-zA-Z_][a-zA-Z0-9_]*)="((?:[^"\\]|\\.)*)"')
PATTERN = re.compile(r'^([a-zA-Z_:][a-zA-Z0-9_:]*)(?:\{(.*)\})?(?:\s*==\s*(\S+))?$')


def samples(text):
    for line in text.splitlines():
        if line.startswith("#") or not line.strip():
            continue
        match = SAMPLE.match(line)
        check(match is not None, f"the agent's value parses: {line}")
        if match:
            yield match[1], dict(LABEL.findall(match[2] or "")), float(match[3])


def matching(pattern, text):
    match = PATTERN.match(pattern)
    check(match is not None, f"a Prometheus pattern of the known form: {pattern}")
    if not match:
        return []
    name, wanted, value = match[1], dict(LABEL.findall(match[2] or "")), match[3]
    return [(labels, sample) for metric, labels, sample in samples(text)
            if metric == name and all(labels.get(k) == v for k, v in wanted.items())
            and (value is None or sample == float(value))]


def substitute(text, macros):
    for macro, value in macros.items():
        text = text.replace(macro, value)
    return text


def item_value(prototype, macros, text):
    """The item's value from the agent's text, or None when unsupported."""
    value = None
    for step in prototype.get("preprocessing", []):
        check(step["type"] == "PROMETHEUS_PATTERN", f"{prototype['key']}: a Prometheus pattern")
        pattern, output, argument = (substitute(p, macros) for p in step["parameters"])
        found = matching(pattern, text)
        if output == "function":
            check(argument == "count", f"{pattern}: the function count")
            value = float(len(found)) if found else None
        else:
            check(len(found) <= 1, f"{pattern} names one sample, not {len(found)}")
            if found:
                labels, sample = found[0]
                value = labels.get(argument) if output == "label" else sample
        # Nothing matched: the step fails, and its error handler may give a value.
        if not found and step.get("error_handler") == "CUSTOM_VALUE":
            value = float(step["error_handler_params"])
    return value


# Trigger expressions of the forms the template uses.
LAST = re.compile(r'^last\(/([^/]+)/(.+)\)=(.+)$')
FIND = re.compile(r'^find\(/([^/]+)/(.+),,"regexp","(.+)"\)=([01])$')


def fires(expression, template, values):
    match = LAST.match(expression) or FIND.match(expression)
    check(match is not None, f"a trigger expression of the known form: {expression}")
    if not match:
        return False
    check(match[1] == template, f"{expression} names the template")
    check(match[2] in values, f"{expression} names an item of its discovery: {sorted(values)}")
    value = values.get(match[2])
    if value is None:
        return False
    if expression.startswith("last"):
        wanted = match[3]
        return str(value) == wanted[1:-1] if wanted.startswith('"') else value == float(wanted)
    return (re.search(match[3], str(value)) is not None) == (match[4] == "1")


def discover(rule, text):
    """The discovery's rows (macro values) and, for each row, its items and firing triggers."""
    steps = rule["preprocessing"]
    check([s["type"] for s in steps] == ["PROMETHEUS_TO_JSON"], f"{rule['key']}: Prometheus to JSON")
    rows = []
    for labels, _ in matching(steps[0]["parameters"][0], text):
        macros = {}
        for path in rule["lld_macro_paths"]:
            check(path["path"].startswith("$.labels."), f"{path['path']}: a label")
            label = path["path"][len("$.labels."):]
            if label in labels:
                macros[path["lld_macro"]] = labels[label]
        if all(c["operator"] != "EXISTS" or c["macro"] in macros
               for c in rule.get("filter", {}).get("conditions", [])):
            rows.append(macros)
    return rows


def host_triggers(template, text):
    """The template's own items' values and the names of their triggers that fire."""
    name = template["template"]
    values = {item["key"]: item_value(item, {}, text) for item in template["items"]
              if item.get("type") == "DEPENDENT"}
    fired = {trigger["name"] for item in template["items"] for trigger in item.get("triggers", [])
             if fires(trigger["expression"], name, values)}
    return values, fired


def evaluate(template, rule, rows, text):
    """The names of the triggers of every row that fire, but for those whose
    dependency (a trigger of the template's own items) fires."""
    name = template["template"]
    host_values, host_fired = host_triggers(template, text)
    fired = set()
    for macros in rows:
        values = dict(host_values)
        for prototype in rule["item_prototypes"]:
            values[substitute(prototype["key"], macros)] = item_value(prototype, macros, text)
        for prototype in rule["item_prototypes"]:
            for trigger in prototype.get("trigger_prototypes", []):
                held_back = False
                for dependency in trigger.get("dependencies", []):
                    check(fires(dependency["expression"], name, values) == (dependency["name"] in host_fired),
                          f"{dependency['name']}: the dependency names a trigger of the template")
                    held_back |= dependency["name"] in host_fired
                if fires(substitute(trigger["expression"], macros), name, values) and not held_back:
                    fired.add(substitute(trigger["name"], macros))
    return fired


def agent_value(demo, cli, printers):
    config = os.path.join(WORK, "zabbix_agentd.conf")
    with open(config, "w") as out:
        # -t runs one item in the foreground as this user, even root.
        out.write(f"LogType=console\nAllowRoot=1\n"
                  f"Include={INTEGRATION}/zabbix/userparameter_vantrel.conf\n")
    env = dict(os.environ, LC_ALL="C", PATH=os.path.dirname(cli) + os.pathsep + os.environ["PATH"])
    command = ["zabbix_agentd", "-c", config, "-t", "vantrel.metrics"]
    if printers is not None:
        command = [demo, *printers, "--"] + command
    status, output = run(command, env=env)
    match = re.search(r"^vantrel\.metrics\s+\[t\|(.*)\]\s*$", output, re.S | re.M)
    check(status == 0 and match is not None, f"zabbix_agentd -t vantrel.metrics: {status} {output}")
    return match[1] if match else ""


def zabbix(demo, cli):
    import yaml
    with open(os.path.join(INTEGRATION, "zabbix", "vantrel_template.yaml")) as source:
        export = yaml.safe_load(source)["zabbix_export"]
    check(export["version"] == "6.0", "a Zabbix 6.0 export")
    template = export["templates"][0]
    name = template["template"]
    # Every object's uuid unique, 32 hexadecimal digits.
    uuids = re.findall(r"uuid: (\S+)", yaml.safe_dump(export))
    check(len(uuids) == len(set(uuids)) and all(re.fullmatch(r"[0-9a-f]{32}", u) for u in uuids),
          "the uuids are unique, 32 hex digits")
    check({g["name"] for g in template["groups"]} <= {g["name"] for g in export["groups"]},
          "the template's groups are exported")
    valuemaps = {v["name"] for v in template["valuemaps"]}
    # The agent's keys are the template's agent items; the rest hang on them.
    with open(os.path.join(INTEGRATION, "zabbix", "userparameter_vantrel.conf")) as source:
        parameters = re.findall(r"^UserParameter=([^,\[]+)", source.read(), re.M)
    agent_keys = [item["key"] for item in template["items"] if item.get("type", "ZABBIX_PASSIVE") != "DEPENDENT"]
    check(sorted(agent_keys) == sorted(parameters), f"agent items {agent_keys}, user parameters {parameters}")
    for rule in template["discovery_rules"]:
        check(rule["type"] == "DEPENDENT" and rule["master_item"]["key"] in agent_keys,
              f"{rule['key']} takes the agent's item")
        for prototype in rule["item_prototypes"]:
            check(prototype["master_item"]["key"] in agent_keys, f"{prototype['key']} takes the agent's item")
            if "valuemap" in prototype:
                check(prototype["valuemap"]["name"] in valuemaps, f"{prototype['key']}'s value map")

    printers, supplies = template["discovery_rules"]
    two = agent_value(demo, cli, ["--second", "TL5C0099999"])
    print(two.splitlines()[:6])
    found = discover(printers, two)
    print("printers discovered:", json.dumps(found))
    check(found == [{"{#SERIAL}": "TL5C0099999"}, {"{#SERIAL}": "TL5C0042817"}], "both printers discovered")
    found_supplies = discover(supplies, two)
    print("supplies discovered:", json.dumps(found_supplies))
    check(len(found_supplies) == 10 and {"{#SERIAL}": "TL5C0042817", "{#SUPPLY}": "imaging_cartridge"}
          in found_supplies, "five supplies of each printer discovered")
    fired = (host_triggers(template, two)[1] | evaluate(template, printers, found, two)
             | evaluate(template, supplies, found_supplies, two))
    print("firing:", sorted(fired))
    # The first printer's status codes hold an error; both are low on magenta,
    # which is all the second one has: a warning.
    check(fired == {"Printer TL5C0042817 reports an error", "Printer TL5C0042817: magenta is low",
                    "Printer TL5C0099999 reports a warning", "Printer TL5C0099999: magenta is low"},
          "the triggers that fire with both printers")

    # One printer gone: its discovered items stay, and say so.
    one = agent_value(demo, cli, [])
    fired = host_triggers(template, one)[1] | evaluate(template, printers, found, one)
    print("firing with one of them:", sorted(fired))
    check(fired == {"Printer TL5C0099999 cannot be read", "Printer TL5C0042817 reports an error"},
          "a printer that went cannot be read")
    # Both gone: one trigger for the host, which holds the printers' back.
    none = agent_value(demo, cli, None)
    check(discover(printers, none) == [], "no printer discovered without one")
    fired = host_triggers(template, none)[1] | evaluate(template, printers, found, none)
    print("firing without a printer:", sorted(fired))
    check(fired == {"No Tarnlow printer answers on {HOST.NAME}"}, "no printer answers")


shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(WORK)
if SYSTEM == "icinga2":
    icinga2()
elif SYSTEM == "nagios":
    nagios()
elif SYSTEM == "zabbix":
    zabbix(*sys.argv[4:6])
else:
    sys.exit(f"unknown system {SYSTEM}")
finish()
