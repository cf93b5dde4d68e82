#!/usr/bin/python3
"""vantrel-cli export over every kind of path it may meet, as the user it
runs for: which are written, which are refused (exit status 4) and what is
left on the disk. As root every case runs with setpriv as a user of its own
("me"), and the cases of a shared sticky folder with links and files of a
second user ("other"); otherwise only the cases of one user run. That user
runs copies of the two programs, since the build tree may lie where only
root can reach it (a home of mode 0700).

Usage: export_paths_test.py DEMO_PRINTER CLI
"""
import os
import shutil
import stat
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ left in the source tree
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
from checks import check, finish  # tests/checks.py

DEMO, CLI = sys.argv[1:3]
AS_ROOT = os.geteuid() == 0
UIDS = {"me": 61001, "other": 61002} if AS_ROOT else {"me": None}  # no accounts needed
SKIPPED = 77  # the test's SKIP_RETURN_CODE
# Every case's folder and the programs' copies: reachable by all users.
TOP = tempfile.mkdtemp(prefix="vantrel-export-paths-")
os.chmod(TOP, 0o755)

# In each case's own folder: mine/ (the user's, holding .profile) and shared/
# (sticky, writable by all, like /tmp). A step makes a file (path, text,
# mode), a link (path, "->", target), a pipe or a folder, owned by "me"
# unless it names "other".
LINK = "a link that may not be followed or that leads nowhere"
CASES = [
    # name, steps, export to, why it is refused as the message ends (None:
    # written), what must hold afterwards
    ("a new file", [], "mine/printer.ini", None, lambda p: is_export(p)),
    ("a file of mine", [("mine/printer.ini", "old", 0o640)], "mine/printer.ini", None,
     lambda p: is_export(p) and stat.S_IMODE(os.stat(p).st_mode) == 0o640),
    ("a read-only file", [("mine/printer.ini", "old", 0o444)], "mine/printer.ini", "the file is read-only",
     lambda p: read(p) == "old"),
    ("my link to my file", [("mine/kept.ini", "old", 0o644), ("shared/printer.ini", "->", "mine/kept.ini")],
     "shared/printer.ini", None, lambda p: os.path.islink(p) and is_export(at(p, "mine/kept.ini"))),
    ("a chain of relative links", [("mine/kept.ini", "old", 0o644), ("mine/second", "->", "kept.ini"),
                                   ("mine/printer.ini", "->", "second")],
     "mine/printer.ini", None, lambda p: os.path.islink(p) and is_export(at(p, "mine/kept.ini"))),
    ("a dangling link", [("mine/printer.ini", "->", "mine/nowhere.ini")], "mine/printer.ini", LINK,
     lambda p: os.path.islink(p) and not os.path.lexists(at(p, "mine/nowhere.ini"))),
    ("a loop of links", [("mine/printer.ini", "->", "other.ini"), ("mine/other.ini", "->", "printer.ini")],
     "mine/printer.ini", LINK, lambda p: os.path.islink(p)),
    ("a pipe", [("mine/pipe", "fifo")], "mine/pipe", "not a regular file",
     lambda p: stat.S_ISFIFO(os.stat(p).st_mode)),
    ("a folder", [("mine/printer.ini", "dir")], "mine/printer.ini", "not a regular file",
     lambda p: os.path.isdir(p)),
    ("a missing folder", [], "mine/missing/printer.ini", "No such file or directory",
     lambda p: not os.path.exists(os.path.dirname(p))),
    ("their link in a shared folder", [("shared/printer.ini", "->", "mine/.profile", "other")],
     "shared/printer.ini", LINK, lambda p: os.path.islink(p) and read(at(p, "mine/.profile")) == "my own"),
    ("their file in a shared folder", [("shared/printer.ini", "theirs", 0o644, "other")],
     "shared/printer.ini", "Permission denied", lambda p: read(p) == "theirs"),
]


def read(path):
    with open(path, errors="replace") as kept:
        return kept.read()


def is_export(path):
    return os.path.isfile(path) and read(path).startswith("[- Supplies Status -]")


def at(exported, relative):
    """A path of the same case's folder as the exported one."""
    root = exported
    while os.path.basename(root) not in ("mine", "shared"):
        root = os.path.dirname(root)
    return os.path.join(os.path.dirname(root), relative)


def make(root, step):
    path, kind, rest = os.path.join(root, step[0]), step[1], step[2:]
    owner = UIDS.get(rest[-1] if rest and rest[-1] in ("me", "other") else "me")
    if kind == "->":
        target = rest[0]
        os.symlink(os.path.join(root, target) if target.startswith("mine/") else target, path)
    elif kind == "fifo":
        os.mkfifo(path)
    elif kind == "dir":
        os.mkdir(path)
    else:
        with open(path, "w") as out:
            out.write(kind)
        os.chmod(path, rest[0])
    if owner is not None:
        os.lchown(path, owner, owner)


def as_me(command):
    if not AS_ROOT:
        return command
    me = UIDS["me"]
    return ["setpriv", f"--reuid={me}", f"--regid={me}", "--clear-groups"] + command


def run(command):
    env = dict(os.environ, LC_ALL="C", LANG="")
    return subprocess.run(as_me(command), stdin=subprocess.DEVNULL, capture_output=True, env=env,
                          timeout=60)


def export(path):
    done = run([DEMO, "--", CLI, "export", path])
    return done.returncode, done.stderr.decode(errors="replace")


def copy_programs():
    """The two programs where the user "me" can run them."""
    global DEMO, CLI
    programs = os.path.join(TOP, "bin")
    os.mkdir(programs)
    DEMO, CLI = (shutil.copy2(program, programs) for program in (DEMO, CLI))
    reached = run([CLI, "--version"])
    if reached.returncode != 0:
        print(f"skipped: user {UIDS['me']} cannot run {CLI} (is {TOP} reachable by all? "
              f"TMPDIR={os.environ.get('TMPDIR', '')}): {reached.stderr.decode(errors='replace')}")
        shutil.rmtree(TOP)
        sys.exit(SKIPPED)


if AS_ROOT:
    copy_programs()
for name, steps, target, reason, holds in CASES:
    if any(step[-1] == "other" for step in steps) and not AS_ROOT:
        print(f"skipped (needs root): {name}")
        continue
    root = tempfile.mkdtemp(prefix="case-", dir=TOP)
    try:
        os.chmod(root, 0o755)
        make(root, ("mine", "dir"))
        make(root, ("mine/.profile", "my own", 0o644))
        os.mkdir(os.path.join(root, "shared"))
        os.chmod(os.path.join(root, "shared"), 0o1777)
        for step in steps:
            make(root, step)
        path = os.path.join(root, target)
        status, said = export(path)
        check(status == (4 if reason else 0), f"{name}: exit status {status}")
        if reason:
            told = f"vantrel-cli: could not write {path}: {reason}"
            last = said.rstrip("\n").split("\n")[-1]  # after the demo printer's own line
            check(last == told, f"{name}: said {last!r}, not {told!r}")
        listing = {folder: sorted(os.listdir(os.path.join(root, folder))) for folder in ("mine", "shared")}
        check(holds(path), f"{name}: {listing}")
        check(not any(n.endswith(".tmp") for names in listing.values() for n in names),
              f"{name}: a temporary file was left: {listing}")
    finally:
        shutil.rmtree(root)
shutil.rmtree(TOP)
finish()
