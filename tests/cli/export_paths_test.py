#!/usr/bin/python3
"""vantrel-cli export over every kind of path it may meet, as the user it
runs for: which are written, which are refused (exit status 4) and what is
left on the disk. As root the cases of a shared sticky folder run with
setpriv as two other users, a victim exporting and another user who
planted links; otherwise only the cases of one user run.

Usage: export_paths_test.py DEMO_PRINTER CLI
"""
import os
import shutil
import stat
import subprocess
import sys
import tempfile

DEMO, CLI = sys.argv[1:3]
VICTIM, OTHER = 61001, 61002  # uids with no account: setpriv needs none
AS_ROOT = os.geteuid() == 0
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def export(path, uid=None):
    command = [DEMO, "--", CLI, "export", path]
    if uid is not None:
        command = ["setpriv", f"--reuid={uid}", f"--regid={uid}", "--clear-groups"] + command
    env = dict(os.environ, LC_ALL="C", LANG="")
    return subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, env=env,
                          timeout=60).returncode


def write(path, text, mode=0o644, uid=None):
    with open(path, "w") as out:
        out.write(text)
    os.chmod(path, mode)
    if uid is not None:
        os.chown(path, uid, uid)


def link(path, to, uid=None):
    os.symlink(to, path)
    if uid is not None:
        os.lchown(path, uid, uid)


def read(path):
    with open(path, errors="replace") as kept:
        return kept.read()


def is_export(path):
    return os.path.isfile(path) and read(path).startswith("[- Supplies Status -]")


class Folders:
    """mine: the exporting user's own folder; shared: a sticky folder all may
    write in (like /tmp)."""

    def __init__(self, root, uid):
        self.mine = os.path.join(root, "mine")
        self.shared = os.path.join(root, "shared")
        for folder, mode, owner in ((self.mine, 0o755, uid), (self.shared, 0o1777, None)):
            os.mkdir(folder)
            os.chmod(folder, mode)
            if owner is not None:
                os.chown(folder, owner, owner)
        self.profile = os.path.join(self.mine, ".profile")
        write(self.profile, "victim's own", uid=uid)


# Each case: what to set up (given the folders and the exporting uid, returning
# the path to export to), whether the export is written, and what the disk
# must show afterwards.
def plain_new_file(f, uid):
    return os.path.join(f.mine, "printer.ini")


def existing_file(f, uid):
    write(os.path.join(f.mine, "printer.ini"), "old", 0o640, uid)
    return os.path.join(f.mine, "printer.ini")


def read_only_file(f, uid):
    write(os.path.join(f.mine, "printer.ini"), "old", 0o444, uid)
    return os.path.join(f.mine, "printer.ini")


def own_link_to_own_file(f, uid):
    write(os.path.join(f.mine, "kept.ini"), "old", uid=uid)
    link(os.path.join(f.shared, "printer.ini"), os.path.join(f.mine, "kept.ini"), uid)
    return os.path.join(f.shared, "printer.ini")


def relative_link_chain(f, uid):
    write(os.path.join(f.mine, "kept.ini"), "old", uid=uid)
    link(os.path.join(f.mine, "second"), "kept.ini", uid)
    link(os.path.join(f.mine, "printer.ini"), "second", uid)
    return os.path.join(f.mine, "printer.ini")


def dangling_link(f, uid):
    link(os.path.join(f.mine, "printer.ini"), os.path.join(f.mine, "nowhere.ini"), uid)
    return os.path.join(f.mine, "printer.ini")


def link_loop(f, uid):
    link(os.path.join(f.mine, "printer.ini"), "other.ini", uid)
    link(os.path.join(f.mine, "other.ini"), "printer.ini", uid)
    return os.path.join(f.mine, "printer.ini")


def planted_link_in_shared_folder(f, uid):
    link(os.path.join(f.shared, "printer.ini"), f.profile, OTHER)
    return os.path.join(f.shared, "printer.ini")


def their_file_in_shared_folder(f, uid):
    write(os.path.join(f.shared, "printer.ini"), "theirs", 0o644, OTHER)
    return os.path.join(f.shared, "printer.ini")


def pipe(f, uid):
    os.mkfifo(os.path.join(f.mine, "pipe"))
    return os.path.join(f.mine, "pipe")


def folder_in_the_way(f, uid):
    os.mkdir(os.path.join(f.mine, "printer.ini"))
    return os.path.join(f.mine, "printer.ini")


def missing_folder(f, uid):
    return os.path.join(f.mine, "missing", "printer.ini")


def after(f, path):
    return {"mine": sorted(os.listdir(f.mine)), "shared": sorted(os.listdir(f.shared)),
            "profile": read(f.profile)}


CASES = [
    # setup, runs as another user, written, what must hold afterwards
    (plain_new_file, False, True, lambda f, p: is_export(p)),
    (existing_file, False, True,
     lambda f, p: is_export(p) and stat.S_IMODE(os.stat(p).st_mode) == 0o640),
    (read_only_file, False, False, lambda f, p: read(p) == "old"),
    (own_link_to_own_file, False, True,
     lambda f, p: os.path.islink(p) and is_export(os.path.join(f.mine, "kept.ini"))),
    (relative_link_chain, False, True,
     lambda f, p: os.path.islink(p) and is_export(os.path.join(f.mine, "kept.ini"))),
    (dangling_link, False, False,
     lambda f, p: os.path.islink(p) and not os.path.lexists(os.path.join(f.mine, "nowhere.ini"))),
    (link_loop, False, False, lambda f, p: os.path.islink(p)),
    (pipe, False, False, lambda f, p: stat.S_ISFIFO(os.stat(p).st_mode)),
    (folder_in_the_way, False, False, lambda f, p: os.path.isdir(p)),
    (missing_folder, False, False, lambda f, p: not os.path.exists(os.path.dirname(p))),
    (planted_link_in_shared_folder, True, False,
     lambda f, p: os.path.islink(p) and read(f.profile) == "victim's own"),
    (their_file_in_shared_folder, True, False, lambda f, p: read(p) == "theirs"),
]

for setup, needs_users, written, holds in CASES:
    if needs_users and not AS_ROOT:
        print(f"skipped (needs root): {setup.__name__}")
        continue
    uid = VICTIM if AS_ROOT else None
    root = tempfile.mkdtemp(prefix="vantrel-export-paths-")
    try:
        os.chmod(root, 0o755)
        folders = Folders(root, uid)
        path = setup(folders, uid)
        status = export(path, uid)
        check(status == (0 if written else 4), f"{setup.__name__}: exit status {status}")
        check(holds(folders, path), f"{setup.__name__}: {after(folders, path)}")
        left = [name for folder in (folders.mine, folders.shared)
                for name in os.listdir(folder) if name.endswith(".tmp")]
        check(not left, f"{setup.__name__}: temporary files left: {left}")
    finally:
        shutil.rmtree(root)
print(f"{len(failures)} failure(s)")
sys.exit(1 if failures else 0)
