#!/usr/bin/python3
"""vantrel-cli against the emulated printer (vantrel-demo-printer): each
reading command's output for the demonstration printer in every format,
its text on a terminal, the commands that change the printer, and the exit
status a script sees when something goes wrong.

Usage: cli_test.py DEMO_PRINTER CLI SCHEMA EXPECTED_DIR
"""
import json
import os
import shlex
import signal
import subprocess
import sys
import tempfile
import time

import jsonschema
from prometheus_client.openmetrics.parser import text_string_to_metric_families as openmetrics
from prometheus_client.parser import text_string_to_metric_families as classic_text

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from checks import C_LOCALE as ENV, check, finish  # tests/checks.py

DEMO, CLI, SCHEMA, EXPECTED = sys.argv[1:5]
READING = ["status", "supplies", "counters", "config"]


def run(*args, printer=(), stdin=subprocess.DEVNULL, env=ENV, wrapper=()):
    """vantrel-cli ARGS (under the wrapper command) beside the emulated
    printer (with faults), or with no printer at all when printer is None."""
    command = [CLI, *args] if printer is None else [DEMO, *printer, "--", *wrapper, CLI, *args]
    result = subprocess.run(command, stdin=stdin, capture_output=True, env=env, timeout=60)
    # Bytes that are no UTF-8 (another character set) kept for encode().
    return result.returncode, result.stdout.decode(errors="surrogateescape"), result.stderr.decode()


def reading_commands_print_what_the_printer_reports():
    for command in READING:
        status, out, err = run(command)
        with open(os.path.join(EXPECTED, command + ".txt")) as expected:
            check(status == 0 and out == expected.read(), f"{command} text: {status} {err}\n{out}")
    # The user's language, as the panel shows it.
    status, out, _ = run("status", env=dict(ENV, LC_ALL="de_DE.UTF-8"))
    check(status == 0 and out.splitlines()[0] == "BEREIT", f"status in German: {out}")


def json_follows_its_schema():
    with open(SCHEMA) as schema_file:
        schema = json.load(schema_file)
    jsonschema.Draft202012Validator.check_schema(schema)
    documents = {}
    for command in READING:
        status, out, err = run(command, "--format", "json")
        check(status == 0, f"{command} json: {status} {err}")
        documents[command] = json.loads(out)
        try:
            jsonschema.validate(documents[command], schema, cls=jsonschema.Draft202012Validator)
        except jsonschema.ValidationError as error:
            check(False, f"{command} json against its schema: {error.message}")
    cyan = documents["supplies"]["supplies"]["toner"]["cyan"]
    check(cyan == {"state": "ready", "severity": "ready", "remaining_percent": 80,
                   "cartridge_type": "standard"}, f"cyan toner: {cyan}")
    check(documents["config"]["severity"] == "error" and documents["supplies"]["severity"] == "warning",
          f"severity: {documents['config']['severity']} {documents['supplies']['severity']}")
    status, out, err = run("list", "--format", "json")
    try:
        jsonschema.validate(json.loads(out), schema, cls=jsonschema.Draft202012Validator)
        printers = json.loads(out)["printers"]
        check(status == 0 and [(p["serial"], p["access"]) for p in printers]
              == [("TL5C0042817", "can_be_opened")], f"list json: {out}")
    except (ValueError, jsonschema.ValidationError) as error:
        check(False, f"list json: {status} {error} {out} {err}")
    check(documents["status"]["status"][1] == {"code": "302002", "severity": "warning",
                                               "lines": ["TONER LOW M"]},
          f"status: {documents['status']}")
    counters = documents["counters"]["counters"]
    check(counters["faces"]["total"] == 8642 and counters["application"][9] == 200,
          f"counters: {counters}")
    # The printer's bytes that are no UTF-8 (a byte that leads nothing, an
    # overlong form) become U+FFFD, one for each ill-formed part.
    status, out, _ = run("config", "--format", "json",
                         printer=(b"--set", b"MACHINESERIAL=TL\xf5\x80\xe0\x80\xaf\xf0\x9f\x98\x80"))
    serial = json.loads(out)["machine"]["serial"] if status == 0 else None
    check(serial == "TL\ufffd\ufffd\ufffd\ufffd\ufffd\U0001f600", f"serial of bad bytes: {serial!r}")
    config = documents["config"]
    check(config["machine"]["serial"] == "TL5C0042817" and config["machine"]["energy_save_minutes"] == 30
          and config["coverage"]["normalized_coverage"]["colour"] == 6.4
          and config["adjustment"]["top_envelope"] == -3, f"config: {config}")


def text_cannot_drive_the_terminal_and_is_in_the_locales_charset():
    """A serial number that would set the terminal's title, clear the screen
    and ring the bell, with a byte that is no UTF-8, a C1 control and a
    Chinese character (16 bytes: a page line holds 31)."""
    serial = (b"--set", b"MACHINESERIAL=\x1b]0;X\x07\x1b[2J\xff\xc2\x9b\xe4\xb8\x96")
    status, out, err = run("config", printer=serial)
    check(status == 0 and "\\x1b]0;X\\x07\\x1b[2J\\xff\\u009b\u4e16\n" in out and "\x1b" not in out,
          f"control bytes on a terminal: {status} {err}\n{out}")
    # JSON escapes by its own rules.
    _, out, _ = run("config", "--format", "json", printer=serial)
    check(r'"serial": "\u001b]0;X\u0007\u001b[2J' in out, f"control bytes in JSON: {out}")
    # Russian under a KOI8-R locale: the same lines as under UTF-8, in KOI8-R;
    # the Chinese character has no place there.
    _, utf8, _ = run("config", printer=serial, env=dict(ENV, LC_ALL="ru_RU.UTF-8"))
    status, koi8r, err = run("config", printer=serial, env=dict(ENV, LC_ALL="ru_RU.KOI8-R"))
    check(any("\u0400" <= c <= "\u04ff" for c in utf8), f"Cyrillic letters in the output: {utf8}")
    check(status == 0 and koi8r.encode(errors="surrogateescape").decode("koi8_r", errors="replace")
          == utf8.replace("\u4e16", "?", 1), f"under KOI8-R: {status} {err}\n{koi8r!r}")


def metrics_are_read_by_real_parsers():
    """Both metrics formats through Prometheus' own parsers: the same
    families, every counter typed as one, every sample labelled with the
    printer's serial number."""
    expected_families = {
        "status": {"vantrel_up", "vantrel_status_code", "vantrel_status_severity"},
        "supplies": {"vantrel_up", "vantrel_toner_remaining_ratio", "vantrel_supply_state",
                     "vantrel_imaging_cartridge_remaining_ratio"},
        "counters": {"vantrel_up", "vantrel_pages", "vantrel_tray_sheets",
                     "vantrel_replacement_record", "vantrel_application_record"},
    }
    scrapes = {}
    for fmt, parse in (("openmetrics", openmetrics), ("prometheus", classic_text)):
        for command in READING:
            status, out, err = run(command, "--format", fmt)
            check(status == 0 and out.endswith("# EOF\n") == (fmt == "openmetrics"),
                  f"{command} {fmt}: {status} {err}")
            families = {family.name: family for family in parse(out)}
            scrapes[fmt, command] = families
            if command in expected_families:
                check(set(families) == expected_families[command],
                      f"{command} {fmt} families: {set(families)}")
            unlabelled = [s for f in families.values() for s in f.samples
                          if s.labels.get("serial") != "TL5C0042817"]
            check(not unlabelled, f"{command} {fmt}: samples without the serial: {unlabelled[:3]}")
        whole = scrapes[fmt, "config"]
        for command in ("status", "supplies", "counters"):
            check(set(scrapes[fmt, command]) <= set(whole), f"config lacks some of {command}'s families")
        counters = {name for name, family in whole.items() if family.type == "counter"}
        check(counters == {"vantrel_pages", "vantrel_tray_sheets", "vantrel_sheets_by_size",
                           "vantrel_sheets_by_type"}, f"{fmt} counters: {counters}")
    whole = scrapes["prometheus", "config"]
    toner = {s.labels["colour"]: s.value for s in whole["vantrel_toner_remaining_ratio"].samples}
    check(toner == {"cyan": 0.8, "magenta": 0.12, "yellow": 0.64, "black": 0.45}, f"toner: {toner}")
    codes = {s.labels["code"]: s.labels["severity"] for s in whole["vantrel_status_code"].samples}
    check(codes == {"000000": "ready", "302002": "warning", "207000": "error"}, f"codes: {codes}")
    info = whole["vantrel_info"].samples[0].labels
    check(info["machine_serial"] == "TL5C0042817" and info["firmware"] == "2.07.3", f"info: {info}")
    pages = {s.labels["kind"]: s.value for s in whole["vantrel_pages"].samples if s.name.endswith("_total")}
    check(pages == {"colour": 3187, "monochrome": 5455}, f"pages: {pages}")
    # A state set: each supply in exactly one of its states.
    states = {}
    for sample in whole["vantrel_supply_state"].samples:
        states.setdefault(sample.labels["supply"], []).append(sample.value)
    check(len(states) == 5 and all(sorted(v) == [0, 0, 0, 0, 1] for v in states.values()),
          f"supply states: {states}")


def commands_change_the_printer_when_told():
    sent = {("toner", "change"): "Command is sent successfully",
            ("toner", "eject"): "Command is sent successfully",
            ("clean",): "Command is sent successfully",
            ("calibrate",): "Send Calibration command to machine successfully",
            ("defaults", "--energy-save", "60"): "Send Set Default command to machine successfully"}
    for args, text in sent.items():
        status, out, err = run(*args, "--yes")
        check(status == 0 and out == text + "\n", f"{args}: {status} {out} {err}")
    # Without --yes and without a terminal to ask on, nothing is sent: the
    # refusal the printer would give never comes.
    status, out, _ = run("toner", "change", printer=("--refuse", "14"))
    check(status == 2 and out == "", f"no --yes and no terminal: {status}")
    # On a terminal (script(1) gives it one) it asks; "n" sends nothing.
    for answer, expected in (("n", 5), ("y", 3)):
        result = subprocess.run([DEMO, "--refuse", "14", "--", "script", "-qec", f"{shlex.quote(CLI)} toner change",
                                 "/dev/null"], input=answer.encode() + b"\n", capture_output=True,
                                env=ENV, timeout=60)
        check(result.returncode == expected and b"Send the toner change? [y/N]" in result.stdout,
              f"answer {answer} at the prompt: {result.returncode} {result.stdout}")


def failures_have_their_exit_status_and_no_half_output():
    status, out, err = run("supplies", printer=None)
    check(status == 1 and out == "" and err.startswith("vantrel-cli: "), f"no printer: {status} {err}")
    status, out, _ = run("config", "--format", "json", printer=("--fail", "69"))
    check(status == 1 and out == "", f"a counter read fails: {status} {out}")
    status, out, _ = run("--yes", "calibrate", printer=("--refuse", "18"))
    check(status == 3 and out == "", f"refused calibration: {status}")
    # All four settings are sent; one refused is the printer refusing.
    status, _, _ = run("defaults", "--toner-low", "off", "-y", printer=("--refuse", "15"))
    check(status == 3, f"refused default setting: {status}")
    # Values on a page that cannot be used: the printer's failure, and no
    # setting sent (one sent would fail as unanswered, status 1).
    status, out, err = run("defaults", "--toner-low", "off", "--yes",
                           printer=("--set", "MACHINEENERGYSAVE=#%&", "--fail", "15", "--fail", "16",
                                    "--fail", "17", "--fail", "19"))
    check(status == 3 and out == "" and "give --energy-save" in err, f"unusable page: {status} {err}")
    # A slow printer is read all the same; one that stops answering fails
    # at the link's time-out. Times printed, only the delay asserted.
    start = time.monotonic()
    status, out, err = run("status", printer=("--delay", "300"))
    seconds = time.monotonic() - start
    print(f"status, every answer 300 ms late: {seconds:.2f} s")
    with open(os.path.join(EXPECTED, "status.txt")) as expected:
        check(status == 0 and out == expected.read() and seconds >= 0.3,
              f"late answers: {status} {seconds:.2f} s {err}")
    start = time.monotonic()
    status, out, err = run("status", printer=("--hang", "9"))
    print(f"status, the panel status read never answered: {time.monotonic() - start:.2f} s")
    check(status == 1 and out == "" and "vantrel-cli: the printer did not answer\n" in err,
          f"unanswered status read: {status} {err}")
    # Every number by one rule: digits only, no sign, no blank around it.
    for args in (["clean", "--format", "json"], ["defaults"], ["status", "--watch", "0"],
                 ["status", "--watch", " 5"], ["status", "--watch", "+5"], ["status", "--watch", "5 "],
                 ["defaults", "--energy-save", "+5"], ["defaults", "--energy-save", "5 "],
                 ["toner", "spin"], ["supplies", "extra"], ["snmp", "--period", "4"],
                 ["snmp", "--period", "61"], ["--printer", "all", "snmp"], []):
        status, out, _ = run(*args)
        check(status == 2 and out == "", f"bad usage {args}: {status}")
    # Where an export is refused: export_paths_test.py.
    with tempfile.TemporaryDirectory() as folder:
        # A failed read leaves the file that was there as it was.
        target = os.path.join(folder, "printer.ini")
        with open(target, "w") as old:
            old.write("old")
        status, _, _ = run("export", target, printer=("--fail", "13"))
        with open(target) as kept:
            check(status == 1 and kept.read() == "old", f"export with a failed read: {status}")


def check_sums_up_each_state():
    """The monitoring plugin's line and exit status for each state of the
    printer (faults and states given to the emulated printer)."""
    # No toner below the thresholds, and none the printer calls low.
    full = ("--set", "CONSUMETCREMAINM=50", "--set", "CONSUMETCSTATEM=1")
    cases = [  # printer, check's arguments, exit status, the line's start
        (("--status", "000000,001000") + full, (), 0, "TARNLOW OK - ready | 'toner_cyan'=80%;20:;5:;0;100 "),
        (("--status", "000000,302002") + full, (), 1, "TARNLOW WARNING - TONER LOW M |"),
        (("--status", "000000,999999") + full, (), 1, "TARNLOW WARNING - status 999999 |"),
        (("--status", "207000,302002") + full, (), 2,
         "TARNLOW CRITICAL - OUTPUT TRAY FULL / REMOVE PAPER, TONER LOW M |"),
        (("--status", "000000"), (), 1, "TARNLOW WARNING - magenta toner 12% |"),
        (("--status", "000000"), ("-w", "50", "-c", "12.5"), 2,
         "TARNLOW CRITICAL - magenta toner 12%, black toner 45% |"),
        # A supply the printer calls low is a warning whatever the thresholds.
        (("--status", "000000"), ("--warning=12", "--critical=0"), 1, "TARNLOW WARNING - magenta toner 12% |"),
        (("--status", "000000", "--set", "CONSUMEICSTATE=0"), ("-w", "12"), 1,
         "TARNLOW WARNING - magenta toner 12%, imaging cartridge in an unknown state | "),
        # One severity rule: an empty cartridge is critical at any percent.
        (("--status", "000000,300002") + full, (), 2, "TARNLOW CRITICAL - TONER OUT M |"),
        (("--status", "000000", "--set", "CONSUMETCSTATEK=3") + full, (), 2, "TARNLOW CRITICAL - black toner empty |"),
        (("--status", "000000", "--set", "CONSUMETCSTATEC=7") + full, (), 1,
         "TARNLOW WARNING - cyan toner in unexplained state 7 |"),
        # Ranges: outside, above, inside.
        (("--status", "000000") + full, ("-w", "10:60", "-c", "~:90"), 1, "TARNLOW WARNING - cyan toner 80%, yellow toner 64%, imaging cartridge 71% |"),
        (("--status", "000000") + full, ("-w", "~:70", "-c", "~:79"), 2, "TARNLOW CRITICAL - cyan toner 80%, imaging cartridge 71% |"),
        (("--status", "000000") + full, ("-w", "@40:50", "-c", "0"), 1, "TARNLOW WARNING - magenta toner 50%, black toner 45% |"),
        # What could not be read is UNKNOWN, naming it.
        (("--refuse", "13"), (), 3, "TARNLOW UNKNOWN - the printer sent information page 1 without any of its values\n"),
        (("--refuse", "9"), (), 3, "TARNLOW UNKNOWN - the printer sent a status reply without any status code\n"),
        (("--set", "CONSUMETCREMAINK=" + "4" * 30), (), 3, "TARNLOW UNKNOWN - could not read black toner remaining\n"),
        (("--hang", "13"), ("-t", "1"), 3, "TARNLOW UNKNOWN - no result within 1 seconds (-t)\n"),
        ((), ("-w", ""), 3, "TARNLOW UNKNOWN - bad usage: a threshold is a percent"),
        ((), ("-w", "20:10"), 3, "TARNLOW UNKNOWN - bad usage: a threshold is a percent"),
        ((), ("-t", "0"), 3, "TARNLOW UNKNOWN - bad usage: -t/--timeout"),
        (None, (), 3, "TARNLOW UNKNOWN - no printer found"),
        (("--fail", "9"), (), 3,
         "TARNLOW UNKNOWN - the printer refused request 9 (LIBUSB_ERROR_PIPE: Pipe error)"),
        ((), ("-w", "5", "-c", "20"), 3, "TARNLOW UNKNOWN - bad usage: the critical threshold"),
        ((), ("-w", "101"), 3, "TARNLOW UNKNOWN - bad usage: a threshold is a percent"),
        ((), ("-c", "x"), 3, "TARNLOW UNKNOWN - bad usage: a threshold is a percent"),
        ((), ("--format", "json"), 3, "TARNLOW UNKNOWN - bad usage:"),
        ((), ("--frobnicate",), 3, "TARNLOW UNKNOWN - bad usage:"),
    ]
    for printer, args, expected_status, start in cases:
        status, out, _ = run("check", *args, printer=printer)
        check(status == expected_status and out.startswith(start) and out.count("\n") == 1,
              f"check {printer} {args}: {status} {out!r}")
    # The perfdata: every supply with its thresholds, the pages as a counter.
    _, out, _ = run("check", "-w", "30", "-c", "10")
    check(out.split(" | ")[1] == "'toner_cyan'=80%;30:;10:;0;100 'toner_magenta'=12%;30:;10:;0;100 "
          "'toner_yellow'=64%;30:;10:;0;100 'toner_black'=45%;30:;10:;0;100 "
          "'imaging_cartridge'=71%;30:;10:;0;100 'pages'=8642c\n", f"check perfdata: {out}")
    _, out, _ = run("check", "-w", "@10:20.5", "-c", "~:99", printer=("--set", "CONSUMEICSTATE=0"))
    check(out.split(" | ")[1].startswith("'toner_cyan'=80%;@10:20.5;~:99;0;100 ")
          and "'imaging_cartridge'=U;@10:20.5;~:99;0;100 " in out, f"check perfdata of ranges: {out}")
    # The time limit ends a hung run at once, well before the link's time-out.
    start = time.monotonic()
    run("check", "-t", "1", printer=("--hang", "9"))
    seconds = time.monotonic() - start
    print(f"check -t 1, the status read never answered: {seconds:.2f} s")
    check(seconds < 4.5, f"check -t 1 took {seconds:.2f} s")
    # The documented status for a page that could not be read, and no blanks.
    for command in ("supplies", "counters", "config"):
        status, out, err = run(command, printer=("--refuse", "13"))
        check(status == 3 and out == "" and "without any of its values" in err, f"{command} of a refused page: {status} {out!r} {err}")
    status, out, err = run("supplies", printer=("--set", "CONSUMETCREMAINK=" + "4" * 30))
    check(status == 3 and out == "" and "black toner remaining" in err, f"supplies without a value: {status} {err}")
    status, out, err = run("status", "--format", "json", printer=("--refuse", "9"))
    check(status == 3 and out == "", f"a garbled status reply: {status} {out!r} {err}")
    status, out, _ = run("-V", printer=None)
    check(status == 0 and out.startswith("vantrel-cli "), f"-V: {status} {out}")


def several_printers_and_one_not_permitted():
    """Two emulated printers with their own serial numbers: list, --printer
    by serial and by location, the metrics of both in one output; and a
    printer whose node this user may not open (root keeps that right, so
    the run drops it, as a user without the udev rule is)."""
    two = ("--second", "TL5C0099999")
    status, out, _ = run("list", printer=two)
    rows = [line.split(None, 2) for line in out.splitlines()[1:]]
    check(status == 0 and sorted(r[1] for r in rows) == ["TL5C0042817", "TL5C0099999"]
          and all(r[2] == "can be opened" for r in rows), f"list: {status} {out}")
    location = {r[1]: r[0] for r in rows}
    for chosen in ("TL5C0099999", location.get("TL5C0099999", "?")):
        status, out, _ = run("status", "--printer", chosen, printer=two)
        check(status == 0 and out == "READY\n", f"--printer {chosen}: {status} {out}")
    status, out, _ = run("--printer", "TL5C0042817", "check", printer=two)
    check(status == 2 and "OUTPUT TRAY FULL" in out, f"check --printer: {status} {out}")
    # Without --printer, check covers both (in the platform's order): the
    # worst first, a line each.
    status, out, _ = run("check", printer=two)
    lines = out.splitlines()
    check(status == 2 and len(lines) == 3 and lines[0].startswith("TARNLOW CRITICAL - ")
          and sorted(lines[0].split(" | ")[0][len("TARNLOW CRITICAL - "):].split(", "))
          == ["TL5C0042817 CRITICAL", "TL5C0099999 WARNING"]
          and "'TL5C0042817 toner_cyan'=80%" in lines[0] and "'TL5C0099999 pages'=" in lines[0]
          and sorted(lines[1:]) == ["TL5C0042817: CRITICAL - TONER LOW M, OUTPUT TRAY FULL / REMOVE PAPER, "
                                    "magenta toner 12%", "TL5C0099999: WARNING - magenta toner 12%"],
          f"check of two: {status} {out}")
    status, _, err = run("status", "--printer", "NOSUCH", printer=two)
    check(status == 1 and "NOSUCH" in err, f"--printer of none present: {status} {err}")
    # A location before a serial number, also as lsusb writes it; a serial
    # number that reads like a location or is on two printers chooses none.
    with open(os.path.join(EXPECTED, "status.txt")) as expected:
        first_status = expected.read()
    first = location.get("TL5C0042817", "?")
    lsusb_form = ":".join(f"{int(n):03}" for n in first.split(":")) if ":" in first else "?"
    status, out, _ = run("status", "--printer", lsusb_form, printer=two)
    check(status == 0 and out == first_status, f"--printer {lsusb_form}: {status} {out}")
    status, out, _ = run("status", "--printer", first, printer=("--second", first))
    check(status == 0 and out == first_status, f"--printer {first} with a serial {first}: {status} {out}")
    status, out, err = run("status", "--printer", "TL5C0042817", printer=("--second", "TL5C0042817"))
    check(status == 2 and out == "" and "more than one" in err and first in err.split("vantrel-cli: ")[-1],
          f"--printer of a serial on two printers: {status} {err}")
    status, out, _ = run("config", "--format", "prometheus", "--printer", "all", printer=two)
    up = {s.labels["serial"]: s.value for f in classic_text(out) if f.name == "vantrel_up" for s in f.samples}
    check(status == 0 and up == {"TL5C0042817": 1, "TL5C0099999": 1}, f"metrics of all: {status} {up}")
    for args in (["status", "--printer", "all"], ["check", "--printer", "all"], ["list", "--printer", "x"],
                 ["status", "--printer", ""], ["check", "--printer", ""], ["forget", "TL5C0042817"],
                 ["--state", "known", "status"], ["--state", "known", "--printer", "all", "status"],
                 ["--state", "", "--printer", "all", "--format", "prometheus", "status"],
                 ["--state", "known", "--printer", "TL5C0042817", "forget", "TL5C0042817"]):
        status, _, _ = run(*args, printer=two)
        check(status in (2, 3), f"bad usage {args}: {status}")

    locked = ("--no-access",) + two
    drop = ["setpriv", "--bounding-set=-dac_override,-dac_read_search", "--"] if os.geteuid() == 0 else []
    def run_without_rights(*args):
        return run(*args, printer=locked, wrapper=drop)
    status, out, _ = run_without_rights("list")
    access = {line.split(None, 2)[1]: line.split(None, 2)[2] for line in out.splitlines()[1:]}
    check(status == 0 and access == {"TL5C0042817": "no permission", "TL5C0099999": "can be opened"},
          f"list with one locked: {status} {out}")
    status, out, err = run_without_rights("supplies", "--printer", "TL5C0042817")
    check(status == 6 and out == "" and "TL5C0042817" in err and "udev rule" in err,
          f"locked printer: {status} {err}")
    status, out, _ = run_without_rights("check", "--printer", "TL5C0042817")
    check(status == 3 and out.startswith("TARNLOW UNKNOWN - the printer at ") and "may not open" in out,
          f"check of a locked printer: {status} {out}")
    status, out, _ = run_without_rights("status", "--format", "prometheus", "--printer", "all")
    up = {s.labels["serial"]: s.value for f in classic_text(out) if f.name == "vantrel_up" for s in f.samples}
    check(status == 0 and up == {"TL5C0042817": 0, "TL5C0099999": 1}, f"metrics with one locked: {up}")


def watch_prints_changes_until_stopped():
    process = subprocess.Popen([DEMO, "--", CLI, "status", "--watch", "1"], stdin=subprocess.DEVNULL,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, env=ENV)
    time.sleep(2.5)
    process.send_signal(signal.SIGTERM)  # passed on to vantrel-cli
    out, err = process.communicate(timeout=20)
    with open(os.path.join(EXPECTED, "status.txt")) as expected:
        # The lines did not change: printed once.
        check(process.returncode == 0 and out.decode() == expected.read(),
              f"status --watch: {process.returncode} {out} {err}")
    # A printer that goes and comes back, a reader that goes: tests/usb/status_watch_test.cpp.


for test in (reading_commands_print_what_the_printer_reports, json_follows_its_schema,
             text_cannot_drive_the_terminal_and_is_in_the_locales_charset,
             metrics_are_read_by_real_parsers, commands_change_the_printer_when_told,
             failures_have_their_exit_status_and_no_half_output, check_sums_up_each_state,
             several_printers_and_one_not_permitted,
             watch_prints_changes_until_stopped):
    test()
finish()
