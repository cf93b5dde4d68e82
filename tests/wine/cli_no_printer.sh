#!/bin/sh
# vantrel-cli.exe without a printer: "no printer" on the standard error,
# nothing on the standard output, exit status 1.
# Usage: cli_no_printer.sh WINE_RUN VANTREL_CLI_EXE
out=$("$1" "$2" supplies --format json 2>err.txt)
status=$?
err=$(cat err.txt)
rm -f err.txt
echo "status $status, stderr: $err"
[ "$status" -eq 1 ] && [ -z "$out" ] && [ "$err" = "vantrel-cli: no printer found" ]
