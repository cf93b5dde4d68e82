// vantrel-cli snmp: every Tarnlow present served to snmpd through its
// pass_persist protocol on the standard input and output. A thread of its
// own reads the printers every period and swaps the whole tree in at once;
// the answers come from the tree as it is, so that the agent never waits on
// a printer.
#pragma once

inline constexpr int kDefaultSnmpPeriodSeconds = 30;
inline constexpr int kShortestSnmpPeriodSeconds = 5;
inline constexpr int kLongestSnmpPeriodSeconds = 60;

// Serves until the agent closes the standard input; returns the exit status.
int ServeSnmp(int periodSeconds);
