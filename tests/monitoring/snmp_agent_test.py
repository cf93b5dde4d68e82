#!/usr/bin/python3
"""The printers as SNMP monitors poll them: Debian's snmpd on a private port,
configured as Debian's snmpd.conf is (its community limited to the view
"systemonly") with the shipped snmpd-vantrel.conf included, the program in
it replaced by this build's vantrel-cli (read every 5 s), beside two
emulated printers. snmpwalk and snmpget read a row of each table, each
value type, hrPrinterDetectedErrorState (decoded by RFC 2790's own
definition); then the first printer jams, then it stops answering, and
snmpget must never take a second meanwhile. The agent's own hrSystem and
hrStorage answer throughout. The second printer, pulled out and plugged
in again, leaves and comes back without a restart of snmpd.

Usage: snmp_agent_test.py DEMO_PRINTER CLI SHIPPED_CONF WORKDIR
"""
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from checks import check, failures, finish  # tests/checks.py

DEMO, CLI, SHIPPED, WORK = sys.argv[1:5]
ENV = dict(os.environ, LC_ALL="C", LANG="", LC_MESSAGES="", LANGUAGE="", MIBS="",
           PATH=os.environ.get("PATH", "") + os.pathsep + "/usr/sbin")
PRINTER_MIB = ".1.3.6.1.2.1.43"
HR_PRINTER = ".1.3.6.1.2.1.25.3.5.1"

# RFC 2790, hrPrinterDetectedErrorState: "bits are numbered starting with the
# most significant bit of the first byte being bit 0, the least significant
# bit of the first byte being bit 7, the most significant bit of the second
# byte being bit 8, and so on."
RFC2790_BITS = ["lowPaper", "noPaper", "lowToner", "noToner", "doorOpen", "jammed", "offline",
                "serviceRequested", "inputTrayMissing", "outputTrayMissing", "markerSupplyMissing",
                "outputNearFull", "outputFull", "inputTrayEmpty", "overduePreventMaint"]


def conditions(hex_string):
    """The conditions an hrPrinterDetectedErrorState value sets, by name."""
    octets = bytes.fromhex(hex_string)
    return {name for number, name in enumerate(RFC2790_BITS)
            if number // 8 < len(octets) and octets[number // 8] & (0x80 >> (number % 8))}


def free_udp_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


LINE = re.compile(r"^(\.[0-9.]+) = (?:([A-Za-z0-9-]+): ?)?(.*)$")


def snmp(tool, *args, community="public", wait=3):
    """The objects the tool printed, OID -> value text (strings without their
    quotes, hex as its digits), and how long it took."""
    start = time.monotonic()
    result = subprocess.run([tool, "-v2c", "-c", community, "-On", "-Oe", "-t", str(wait), "-r", "0",
                             f"127.0.0.1:{PORT}", *args], capture_output=True, text=True, env=ENV,
                            timeout=30)
    seconds = time.monotonic() - start
    values = {}
    for line in result.stdout.splitlines():
        match = LINE.match(line)
        if not match:
            continue
        oid, kind, text = match.groups()
        if kind is None and text == '""':  # an empty string
            kind, text = "STRING", ""
        elif kind is None:  # no such object, the end of the view
            continue
        if kind == "STRING" and text.startswith('"'):
            text = text[1:-1]
        elif kind == "Hex-STRING":
            text = text.replace(" ", "")
        values[oid] = (kind, text)
    return values, seconds, result


def get(oid, community="public", wait=3):
    values, _, _ = snmp("snmpget", oid, community=community, wait=wait)
    return values.get(oid, (None, None))[1]


def wait_for(what, condition, seconds):
    """Polls CONDITION until it holds; how long it took, or None."""
    start = time.monotonic()
    while time.monotonic() - start < seconds:
        if condition():
            return time.monotonic() - start
        time.sleep(0.2)
    check(False, f"{what} within {seconds} s")
    return None


def configure():
    """The agent's configuration, the shipped lines with this build's program."""
    with open(SHIPPED) as shipped:
        lines = shipped.read()
    check(lines.count("/usr/bin/vantrel-cli snmp\n") == 3, "the shipped file starts vantrel-cli snmp three times")
    # snmpd splits the command at blanks: the build's path through a link without them.
    program = os.path.join(LINKS, "vantrel-cli")
    os.symlink(os.path.abspath(CLI), program)
    included = os.path.join(WORK, "snmpd-vantrel.conf")
    with open(included, "w") as out:
        out.write(lines.replace("/usr/bin/vantrel-cli snmp", f"{program} snmp --period 5"))
    config = os.path.join(WORK, "snmpd.conf")
    with open(config, "w") as out:
        out.write(f"""agentAddress udp:127.0.0.1:{PORT}
view systemonly included .1.3.6.1.2.1.1
view systemonly included .1.3.6.1.2.1.25.1
rocommunity public 127.0.0.1 -V systemonly
rocommunity everything 127.0.0.1
rwcommunity private 127.0.0.1
includeFile {included}
""")
    return config


def device_of(oid):
    """The hrDeviceIndex of a Printer-MIB object: every table served has an
    entry of three arcs, then the column, then the device."""
    return int(oid[len(PRINTER_MIB) + 1:].split(".")[4])


def rows_through_the_agent():
    """The demonstration printers' rows as snmpd serves them: each table and
    each type once, the second printer at its own index (every value of the
    rows: tests/unit/snmp_test.cpp)."""
    walk, _, result = snmp("snmpwalk", PRINTER_MIB)
    check(result.returncode == 0, f"snmpwalk: {result.returncode} {result.stderr}")
    print(f"snmpwalk {PRINTER_MIB}: {len(walk)} objects; the first printer's:")
    for oid, (kind, text) in walk.items():
        if device_of(oid) == 1:
            print(f"  {oid} = {kind}: {text}")
    served = lambda oid: walk.get(f"{PRINTER_MIB}.{oid}", (None, None))
    check(served("5.1.1.17.2") == ("STRING", "TL5C0099999"), "the second printer's serial number")
    magenta = [served(f"11.1.1.{column}.2.2")[1] for column in (7, 8, 9)]
    check(magenta == ["19", "100", "12"], f"the second printer's magenta: unit, capacity, level {magenta}")
    check(served("10.2.1.4.1.1") == ("Counter32", "8642"), "the page counter")
    tray = [served(f"18.1.1.{column}.1.2")[1] for column in (2, 4, 7, 8)]
    check(tray == ["3", "9", "903", "OUTPUT TRAY FULL / REMOVE PAPER"], f"the full tray's alert: {tray}")
    check(served("18.1.1.2.1.3")[1] is None, "READY is no alert")
    check(not any(oid.startswith(f"{PRINTER_MIB}.18.1.1.2.2.") for oid in walk), "the second printer: no alert")
    console = [served(f"16.5.1.2.{row}")[1] for row in ("1.1", "1.2", "2.1", "2.2")]
    check(console == ["OUTPUT TRAY FULL", "REMOVE PAPER", "READY", ""], f"the console lines: {console}")

    hr, _, _ = snmp("snmpwalk", ".1.3.6.1.2.1.25.3.5")
    print("hrPrinterTable:", *(f"  {oid} = {kind}: {text}" for oid, (kind, text) in hr.items()), sep="\n")
    check(hr.get(f"{HR_PRINTER}.1.1") == ("INTEGER", "1"), "the first printer's hrPrinterStatus: other")
    first = hr.get(f"{HR_PRINTER}.2.1", (None, ""))
    check(first[0] == "Hex-STRING" and len(first[1]) == 4 and conditions(first[1]) == {"lowToner", "outputFull"},
          f"the first printer's hrPrinterDetectedErrorState: {first}")


def agent_keeps_its_own():
    uptime, _, _ = snmp("snmpget", ".1.3.6.1.2.1.25.1.1.0")
    check(uptime.get(".1.3.6.1.2.1.25.1.1.0", (None,))[0] == "Timeticks", f"hrSystemUptime: {uptime}")
    storage, _, _ = snmp("snmpwalk", ".1.3.6.1.2.1.25.2", community="everything")
    check(any(oid.startswith(".1.3.6.1.2.1.25.2.3.1.3.") for oid in storage), "hrStorageTable answers")
    devices, _, _ = snmp("snmpwalk", ".1.3.6.1.2.1.25.3.2.1.1", community="everything")
    print(f"hrSystem and hrStorage answer ({len(storage)} hrStorage objects); "
          f"the agent's hrDeviceTable: {sorted(oid.rsplit('.', 1)[1] for oid in devices)}")
    _, _, result = snmp("snmpset", f"{PRINTER_MIB}.5.1.1.17.1", "s", "X", community="private")
    check(result.returncode != 0 and "notWritable" in result.stdout + result.stderr,
          f"a set is refused: {result.returncode} {result.stdout} {result.stderr}")


def a_jam_and_the_second_printer_gone(control):
    control.write("status 000000,200100\nunplug\n")
    control.flush()
    # Each process reads on its own beat: all must have seen both.
    took = wait_for("the jam in hrPrinterDetectedErrorState and the alerts, the second printer gone",
                    lambda: conditions(get(f"{HR_PRINTER}.2.1") or "") == {"jammed", "lowToner"}
                    and get(f"{PRINTER_MIB}.18.1.1.7.1.1") == "8" and get(f"{HR_PRINTER}.1.2") is None
                    and get(f"{HR_PRINTER}.2.2") is None and get(f"{PRINTER_MIB}.5.1.1.17.2") is None, 15)
    print(f"The jam and the second printer's going showed after {took} s")
    walk, _, _ = snmp("snmpwalk", PRINTER_MIB)
    check(walk and not [oid for oid in walk if device_of(oid) == 2], "no row of the second printer left")
    walk, _, _ = snmp("snmpwalk", f"{PRINTER_MIB}.18.1.1")
    row = [walk.get(f"{PRINTER_MIB}.18.1.1.{c}.1.1", (None, None))[1] for c in (2, 3, 4, 7, 8)]
    check(row == ["3", "4", "13", "8", "TRANSFER JAM / OPEN TOP COVER"], f"the jam's alert: {row}")
    check(f"{PRINTER_MIB}.18.1.1.2.1.2" not in walk, "the old alerts are gone")
    console = [get(f"{PRINTER_MIB}.16.5.1.2.1.{line}") for line in (1, 2)]
    check(console == ["TRANSFER JAM", "OPEN TOP COVER"], f"the console lines after the jam: {console}")


def a_hanging_printer_and_the_second_back(control):
    control.write("hang 9\nplug\n")  # the status request is never answered
    control.flush()
    slowest, asked, start = 0.0, 0, time.monotonic()
    gone = None
    while time.monotonic() - start < 20 and gone is None:
        for oid in (f"{HR_PRINTER}.1.1", f"{PRINTER_MIB}.11.1.1.9.2.1", ".1.3.6.1.2.1.25.1.1.0"):
            values, seconds, _ = snmp("snmpget", oid)
            slowest, asked = max(slowest, seconds), asked + 1
            if (oid == f"{HR_PRINTER}.1.1" and values.get(oid, (0, 0))[1] == "2"
                    and (get(f"{PRINTER_MIB}.18.1.1.8.1.1") or "").startswith("the printer does not answer")
                    and get(f"{PRINTER_MIB}.11.1.1.9.2.1") == "80" and get(f"{HR_PRINTER}.2.2") == "2000"):
                gone = time.monotonic() - start
        time.sleep(0.1)
    print(f"The hanging printer said so, and the second printer was back, after {gone} s; "
          f"{asked} snmpget meanwhile, the slowest {slowest:.3f} s")
    check(gone is not None, "the hanging printer's hrPrinterStatus unknown, the second printer back")
    check(slowest < 1, f"snmpget took {slowest:.3f} s beside a hanging printer")
    check(get(f"{PRINTER_MIB}.18.1.1.2.1.1") == "3", "its alert critical")
    check(conditions(get(f"{HR_PRINTER}.2.1") or "") == {"offline"}, "its condition: offline")
    check(get(f"{PRINTER_MIB}.11.1.1.9.1.1") == "-2", "its levels: unknown")
    check(get(f"{PRINTER_MIB}.5.1.1.17.1") == "TL5C0042817", "its serial number stays")
    check(get(f"{PRINTER_MIB}.5.1.1.17.2") == "TL5C0099999", "the second printer back at index 2")


shutil.rmtree(WORK, ignore_errors=True)
os.makedirs(os.path.join(WORK, "persistent"))
ENV["SNMP_PERSISTENT_DIR"] = os.path.join(WORK, "persistent")
LINKS = tempfile.mkdtemp(prefix="vantrel-snmp-")
PORT = free_udp_port()
CONTROL = os.path.join(WORK, "control")
os.mkfifo(CONTROL)
began = time.monotonic()
with open(os.path.join(WORK, "agent.log"), "w") as log:
    agent = subprocess.Popen(
        [DEMO, "--second", "TL5C0099999", "--control", CONTROL, "--",
         shutil.which("snmpd", path=ENV["PATH"]) or "snmpd", "-f", "-Lo", "-C", "-c", configure()],
        stdout=log, stderr=subprocess.STDOUT, env=ENV)
try:
    # Opened for writing too, so that opening never waits for the reader.
    with open(os.open(CONTROL, os.O_RDWR), "w") as control:
        wait_for("the agent", lambda: get(".1.3.6.1.2.1.1.3.0", wait=0.3) is not None, 10)
        # The agent starts a process at the first question into its subtree:
        # all three asked on every try. The second printer idle, its magenta
        # low (lowToner) from its supply's state without a code saying so.
        took = wait_for("the first rows", lambda: [get(f"{PRINTER_MIB}.5.1.1.17.1"), get(f"{HR_PRINTER}.1.2"),
                                                   get(f"{HR_PRINTER}.2.2")] == ["TL5C0042817", "3", "2000"], 15)
        print(f"The first rows after {took} s")
        rows_through_the_agent()
        agent_keeps_its_own()
        a_jam_and_the_second_printer_gone(control)
        a_hanging_printer_and_the_second_back(control)
        agent_keeps_its_own()
finally:
    agent.send_signal(signal.SIGTERM)
    try:
        agent.wait(timeout=20)
    except subprocess.TimeoutExpired:
        agent.kill()
    shutil.rmtree(LINKS, ignore_errors=True)
    if failures:
        with open(os.path.join(WORK, "agent.log")) as log:
            noise = ("Connection from", "Cannot find module", "Did not find", "Unlinked OID",
                     "Undefined identifier", "MIB search path", "Cannot adopt OID", "Bad operator",
                     "Expected", "Unknown Object")
            print("The agent's log:", *[line for line in log.read().splitlines()
                                        if line and not line.startswith(noise)], sep="\n")
finish(f"{time.monotonic() - began:.1f} s, ")
