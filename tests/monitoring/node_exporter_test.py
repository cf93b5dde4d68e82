#!/usr/bin/python3
"""The metrics as an administrator collects them: the metrics script writes
two emulated printers into a textfile folder, Debian's node exporter serves
it on a loopback port, and promtool checks the file and the scrape. Then one
of them unplugged (still there, gone, until forgotten), and two printers
with one serial number (told apart by their location, no sample twice).
Then the script where it must not lie: no printer, a stale temporary file,
a folder it cannot write.

Usage: node_exporter_test.py DEMO_PRINTER CLI METRICS_SCRIPT WORKDIR
"""
import os
import re
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from checks import check, finish  # tests/checks.py

DEMO, CLI, SCRIPT, WORK = sys.argv[1:5]
ENV = dict(os.environ, LC_ALL="C", LANG="", LC_MESSAGES="",
           PATH=os.path.dirname(os.path.abspath(CLI)) + os.pathsep + os.environ["PATH"])
# The printer's own bytes, not UTF-8: an overlong NUL and a surrogate.
BAD_FIRMWARE = b"2.07\xc0\x80\xed\xa0\x80"


def promtool_check_metrics(text, what):
    result = subprocess.run(["promtool", "check", "metrics"], input=text.encode(),
                            capture_output=True, timeout=60)
    check(result.returncode == 0, f"promtool check metrics on {what}: {result.stdout} {result.stderr}")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def scrape(folder):
    """The node exporter's answer; what it logged (collisions, for one) in
    LOGGED."""
    port = free_port()
    exporter = subprocess.Popen(
        ["prometheus-node-exporter", f"--web.listen-address=127.0.0.1:{port}",
         "--collector.disable-defaults", "--collector.textfile",
         f"--collector.textfile.directory={folder}"],
        stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        for _ in range(100):
            try:
                with urllib.request.urlopen(f"http://127.0.0.1:{port}/metrics", timeout=5) as answer:
                    return answer.read().decode()
            except OSError:
                time.sleep(0.1)
        return ""
    finally:
        exporter.terminate()
        LOGGED[:] = exporter.communicate(timeout=10)[1].decode().splitlines()


LOGGED = []


def run_script(target, state, printer=None, without_rights_in=None):
    """The script writing TARGET, remembering in STATE; with
    WITHOUT_RIGHTS_IN, a folder, as root without the rights to write or pass
    others' folders, running copies of the programs in that folder (the build
    may lie in a home of mode 0700)."""
    command, env = [SCRIPT, target, state], ENV
    if state is None:  # the user's state folder, as the user units run it
        command, env = [SCRIPT, target], dict(ENV, HOME=os.path.join(WORK, "home"))
        env.pop("XDG_STATE_HOME", None)
    if without_rights_in and os.geteuid() == 0:
        script, cli = (shutil.copy2(program, without_rights_in) for program in (SCRIPT, CLI))
        command = ["setpriv", "--bounding-set=-dac_override,-dac_read_search", "--", script, target,
                   state]
        env = dict(ENV, PATH=without_rights_in + os.pathsep + os.environ["PATH"])
    if printer is not None:
        command = [DEMO, *printer, "--"] + command
    return subprocess.run(command, capture_output=True, env=env, timeout=120)


def up_lines(text):
    return [line for line in text.splitlines() if line.startswith("vantrel_up")]


def no_sample_twice(text, what):
    samples = [line.rsplit(" ", 1)[0] for line in text.splitlines() if line and line[0] != "#"]
    check(len(samples) == len(set(samples)), f"{what}: a series written twice")


def two_printers_through_the_node_exporter(target, state):
    result = run_script(target, state, [b"--set", b"MACHINEVERSIONFW=" + BAD_FIRMWARE, "--second", "TL5C0099999"])
    check(result.returncode == 0, f"metrics script: {result.returncode} {result.stderr}")
    with open(target) as written:
        text = written.read()
    promtool_check_metrics(text, "the file")
    print("Two printers:", *up_lines(text), sep="\n")
    scraped = scrape(os.path.dirname(target))
    promtool_check_metrics(scraped, "the scrape")
    lines = scraped.splitlines()
    check("node_textfile_scrape_error 0" in lines, "the collector read the file")
    for line in ('vantrel_up{serial="TL5C0042817"} 1', 'vantrel_up{serial="TL5C0099999"} 1',
                 "# TYPE vantrel_pages_total counter", "# TYPE vantrel_sheets_by_type_total counter",
                 'vantrel_status_severity{serial="TL5C0042817"} 2',
                 'vantrel_status_code{code="207000",serial="TL5C0042817",severity="error"} 1'):
        check(line in lines, f"the scrape has {line}")
    check('firmware="2.07\ufffd\ufffd\ufffd\ufffd\ufffd"' in scraped, "the firmware's bytes as U+FFFD")
    check(not any("Metric read from" in line for line in lines), "every family keeps its own help")
    print("\n".join(line for line in lines if line.startswith(("vantrel_up", "vantrel_status", "vantrel_pages"))
                    or "vantrel_toner_remaining" in line))


def one_unplugged_stays_until_forgotten(target, state):
    result = run_script(target, state, [])  # the second printer is gone
    with open(target) as written:
        text = written.read()
    print("After unplugging TL5C0099999:", *up_lines(text), sep="\n")
    gone = [line for line in up_lines(text) if 'serial="TL5C0099999"' in line]
    check(result.returncode == 0 and 'vantrel_up{serial="TL5C0042817"} 1' in text.splitlines()
          and len(gone) == 1 and re.fullmatch(r'vantrel_up\{serial="TL5C0099999",location="[^"]+"\} 0', gone[0]),
          f"the one unplugged is gone: {result.returncode} {result.stderr} {up_lines(text)}")
    check(not any("TL5C0099999" in line for line in text.splitlines() if not line.startswith("vantrel_up")),
          "the one unplugged has vantrel_up alone")
    promtool_check_metrics(text, "the file with a printer gone")
    scraped = scrape(os.path.dirname(target))
    check("node_textfile_scrape_error 0" in scraped.splitlines(), "the collector read the file with one gone")

    forget = subprocess.run([CLI, "--state", state, "forget", "TL5C0099999"], capture_output=True, env=ENV)
    again = subprocess.run([CLI, "--state", state, "forget", "TL5C0099999"], capture_output=True, env=ENV)
    check(forget.returncode == 0 and again.returncode == 1 and b"TL5C0099999" in again.stderr,
          f"forget: {forget.returncode} {forget.stderr} then {again.returncode} {again.stderr}")
    run_script(target, state, [])
    with open(target) as written:
        text = written.read()
    check(up_lines(text) == ['vantrel_up{serial="TL5C0042817"} 1'], f"forgotten: {up_lines(text)}")


def one_serial_on_two_printers(target, state):
    result = run_script(target, state, ["--second", "TL5C0042817"])
    with open(target) as written:
        text = written.read()
    print("One serial number on two printers:", *up_lines(text), sep="\n")
    check(result.returncode == 0 and b"share the serial number TL5C0042817" in result.stderr,
          f"a warning of the shared serial number: {result.returncode} {result.stderr}")
    no_sample_twice(text, "the file")
    promtool_check_metrics(text, "the file of two printers with one serial number")
    scraped = scrape(os.path.dirname(target))
    up = [line for line in scraped.splitlines() if line.startswith('vantrel_up{location="')]
    check(len(up) == 2 and all(line.endswith(" 1") for line in up), f"both printers served: {up}")
    check("node_textfile_scrape_error 0" in scraped.splitlines(), "the collector read the file")
    check(not any("collected before" in line for line in LOGGED), f"the collector's log: {LOGGED}")


def the_script_never_lies():
    folder = os.path.join(WORK, "lies")
    os.makedirs(folder)
    target = os.path.join(folder, "vantrel.prom")
    stale = os.path.join(folder, ".vantrel-metrics.killed")
    open(stale, "w").close()
    an_hour_ago = time.time() - 3600
    os.utime(stale, (an_hour_ago, an_hour_ago))
    result = run_script(target, None)  # no printer at all, none ever seen
    with open(target) as written:
        text = written.read()
    check(result.returncode == 0 and "vantrel_up 0" in text.splitlines(),
          f"no printer: {result.returncode} {text}")
    promtool_check_metrics(text, "the file without a printer")
    check(os.listdir(folder) == ["vantrel.prom"], f"temporary files left: {os.listdir(folder)}")
    check(os.path.isfile(os.path.join(WORK, "home", ".local", "state", "vantrel", "known-printers")),
          "the state file in the user's state folder")

    # A folder the script may not write (as root: one it may pass): the old
    # file stays as it was, for its age to tell.
    reachable = tempfile.mkdtemp(prefix="vantrel-metrics-")
    folder = os.path.join(reachable, "textfile")
    os.mkdir(folder)
    target = os.path.join(folder, "vantrel.prom")
    with open(target, "w") as old:
        old.write('vantrel_up{serial="TL5C0042817"} 1\n')
    an_hour_ago = time.time() - 3600
    os.utime(target, (an_hour_ago, an_hour_ago))
    os.chmod(folder, 0o555)
    try:
        result = run_script(target, os.path.join(reachable, "known-printers"), printer=[],
                            without_rights_in=reachable)
    finally:
        os.chmod(folder, 0o755)
    with open(target) as left:
        check(result.returncode == 1 and left.read() == 'vantrel_up{serial="TL5C0042817"} 1\n'
              and os.stat(target).st_mtime == an_hour_ago,
              f"folder not writable: {result.returncode} {result.stderr}")
    shutil.rmtree(reachable)


shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(os.path.join(WORK, "textfile"))
TARGET = os.path.join(WORK, "textfile", "vantrel.prom")
STATE = os.path.join(WORK, "state", "known-printers")
two_printers_through_the_node_exporter(TARGET, STATE)
one_unplugged_stays_until_forgotten(TARGET, STATE)
one_serial_on_two_printers(TARGET, os.path.join(WORK, "state-shared", "known-printers"))
the_script_never_lies()
finish()
