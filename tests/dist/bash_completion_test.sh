#!/bin/bash
# vantrel-cli's bash completion as a user's Tab meets it: the completion
# registered for the program, then the words offered after a command line
# (its words as bash splits them, the last one the word being completed).
#
# usage: bash_completion_test.sh COMPLETION_FILE
set -u
# shellcheck source=/dev/null
source "$1" || exit 1
failed=0

registered=$(complete -p vantrel-cli) || { echo "FAILED: no completion for vantrel-cli"; exit 1; }
[[ $registered == *"-F _vantrel_cli "* ]] || { echo "FAILED: registered as: $registered"; exit 1; }

# expect "OFFERED WORDS" WORD...: Tab after WORD... offers exactly those.
expect() {
  local want=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _vantrel_cli
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' ')
  # shellcheck disable=SC2086
  want=$(printf '%s\n' $want | sort | paste -sd' ')
  if [[ $got != "$want" ]]; then
    echo "FAILED: '$*' offers '$got', not '$want'"
    failed=1
  fi
}

expect 'calibrate check clean config counters defaults export forget list snmp status supplies toner' vantrel-cli ''
expect 'supplies' vantrel-cli sup
expect 'status' vantrel-cli -f json sta
expect 'text json prometheus openmetrics' vantrel-cli --format ''
expect 'openmetrics' vantrel-cli config --format o
expect 'text json prometheus openmetrics' vantrel-cli --format = ''
expect 'all' vantrel-cli --printer ''
expect '--warning' vantrel-cli check -c 5 --w
expect '' vantrel-cli check --warning ''
expect 'supplies' vantrel-cli -p TL5C0042817 sup
expect 'config counters' vantrel-cli --format = json co
expect '--watch' vantrel-cli status --w
expect '--format' vantrel-cli supplies --fo
expect '' vantrel-cli status --watch ''
expect '--format' vantrel-cli status --watch 10 --fo
expect 'change eject' vantrel-cli toner ''
expect '' vantrel-cli toner change ''
expect '--yes' vantrel-cli clean --y
expect '' vantrel-cli clean --f
expect '5 15 30 60' vantrel-cli defaults --energy-save ''
expect 'on off' vantrel-cli -y defaults --energy-save 30 --auto-continue ''
expect '--toner-low --toner-out-stop' vantrel-cli defaults --energy-save 15 --toner
expect '' vantrel-cli defaults --energy-save 15 ''

# export completes file names, once.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/reports" && touch "$work/tarnlow.ini"
cd "$work" || exit 1
expect 'reports tarnlow.ini' vantrel-cli export ''
expect 'tarnlow.ini' vantrel-cli export t
expect '' vantrel-cli export tarnlow.ini ''
expect 'tarnlow.ini' vantrel-cli --state t
expect '--state' vantrel-cli --state tarnlow.ini forget --s
expect '' vantrel-cli --state tarnlow.ini forget TL5C0042817 ''
expect '--period' vantrel-cli snmp --p
expect '' vantrel-cli snmp --period ''
touch "other file.ini"
COMP_WORDS=(vantrel-cli export o) COMP_CWORD=2
_vantrel_cli
[[ ${#COMPREPLY[@]} == 1 && ${COMPREPLY[0]} == "other file.ini" ]] ||
  { echo "FAILED: a file name with a blank: ${COMPREPLY[*]}"; failed=1; }

[[ $failed == 0 ]] && echo "bash completion: every case offers what it should"
exit $failed
