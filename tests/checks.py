"""What the Python tests share: each check noted as it fails, so that one
run reports every failure, and the exit status ctest reads.

A test under tests/ imports it from its parent folder:
    sys.dont_write_bytecode = True
    sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
"""
import os
import sys

# The C locale: the programs' texts as the expected outputs hold them.
C_LOCALE = dict(os.environ, LC_ALL="C", LANG="", LC_MESSAGES="")
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAILED:", what)


def finish(prefix=""):
    print(f"{prefix}{len(failures)} failure(s)")
    sys.exit(1 if failures else 0)
