#!/usr/bin/python3
"""The metrics as an administrator collects them: the metrics script writes
two emulated printers into a textfile folder, Debian's node exporter serves
it on a loopback port, and promtool checks the file and the scrape. Then the
script where it must not lie: no printer, a stale temporary file, a folder
it cannot write.

Usage: node_exporter_test.py DEMO_PRINTER CLI METRICS_SCRIPT WORKDIR
"""
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

DEMO, CLI, SCRIPT, WORK = sys.argv[1:5]
ENV = dict(os.environ, LC_ALL="C", LANG="", LC_MESSAGES="",
           PATH=os.path.dirname(os.path.abspath(CLI)) + os.pathsep + os.environ["PATH"])
# The printer's own bytes, not UTF-8: an overlong NUL and a surrogate.
BAD_FIRMWARE = b"2.07\xc0\x80\xed\xa0\x80"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def promtool_check_metrics(text, what):
    result = subprocess.run(["promtool", "check", "metrics"], input=text.encode(),
                            capture_output=True, timeout=60)
    check(result.returncode == 0, f"promtool check metrics on {what}: {result.stdout} {result.stderr}")


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def scrape(folder):
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
        exporter.wait(timeout=10)


def run_script(target, printer=None, without_rights_in=None):
    """The script writing TARGET; with WITHOUT_RIGHTS_IN, a folder, as root
    without the rights to write or pass others' folders, running copies of
    the programs in that folder (the build may lie in a home of mode 0700)."""
    command, env = [SCRIPT, target], ENV
    if without_rights_in and os.geteuid() == 0:
        script, cli = (shutil.copy2(program, without_rights_in) for program in (SCRIPT, CLI))
        command = ["setpriv", "--bounding-set=-dac_override,-dac_read_search", "--", script, target]
        env = dict(ENV, PATH=without_rights_in + os.pathsep + os.environ["PATH"])
    if printer is not None:
        command = [DEMO, *printer, "--"] + command
    return subprocess.run(command, capture_output=True, env=env, timeout=120)


def two_printers_through_the_node_exporter():
    folder = os.path.join(WORK, "textfile")
    os.makedirs(folder)
    target = os.path.join(folder, "vantrel.prom")
    result = run_script(target, [b"--set", b"MACHINEVERSIONFW=" + BAD_FIRMWARE, "--second", "TL5C0099999"])
    check(result.returncode == 0, f"metrics script: {result.returncode} {result.stderr}")
    with open(target) as written:
        text = written.read()
    promtool_check_metrics(text, "the file")
    scraped = scrape(folder)
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


def the_script_never_lies():
    folder = os.path.join(WORK, "lies")
    os.makedirs(folder)
    target = os.path.join(folder, "vantrel.prom")
    stale = os.path.join(folder, ".vantrel-metrics.killed")
    open(stale, "w").close()
    an_hour_ago = time.time() - 3600
    os.utime(stale, (an_hour_ago, an_hour_ago))
    result = run_script(target)  # no printer at all
    with open(target) as written:
        text = written.read()
    check(result.returncode == 0 and "vantrel_up 0" in text.splitlines(),
          f"no printer: {result.returncode} {text}")
    promtool_check_metrics(text, "the file without a printer")
    check(os.listdir(folder) == ["vantrel.prom"], f"temporary files left: {os.listdir(folder)}")

    # A folder the script may not write (as root: one it may pass).
    reachable = tempfile.mkdtemp(prefix="vantrel-metrics-")
    folder = os.path.join(reachable, "textfile")
    os.mkdir(folder)
    target = os.path.join(folder, "vantrel.prom")
    with open(target, "w") as old:
        old.write('vantrel_up{serial="TL5C0042817"} 1\n')
    os.chmod(folder, 0o555)
    try:
        result = run_script(target, printer=[], without_rights_in=reachable)
    finally:
        os.chmod(folder, 0o755)
    with open(target) as left:
        check(result.returncode == 1 and left.read() == "",
              f"folder not writable: {result.returncode} {result.stderr}")
    shutil.rmtree(reachable)


shutil.rmtree(WORK, ignore_errors=True)
two_printers_through_the_node_exporter()
the_script_never_lies()
print(f"{len(failures)} failure(s)")
sys.exit(1 if failures else 0)
