#!/bin/sh
# vantrel-cli.exe without a printer: "no printer" on the standard error,
# nothing on the standard output, exit status 1. And a word of its command
# line outside the ANSI code page comes back in UTF-8, as typed.
# Usage: cli_no_printer.sh WINE_RUN VANTREL_CLI_EXE
out=$("$1" "$2" supplies --format json 2>err.txt)
status=$?
err=$(cat err.txt)
echo "status $status, stderr: $err"
[ "$status" -eq 1 ] && [ -z "$out" ] && [ "$err" = "vantrel-cli: no printer found" ] || exit 1

LC_ALL=C.UTF-8 "$1" "$2" "bogus-é" 2>err.txt >/dev/null
status=$?
err=$(head -n 1 err.txt)
rm -f err.txt
echo "status $status, stderr: $err"
[ "$status" -eq 2 ] && [ "$err" = "vantrel-cli: The following argument was not expected: bogus-é" ]
