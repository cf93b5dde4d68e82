// snmpd's pass_persist protocol (snmpd.conf(5)): the agent writes a command
// line (PING, get, getnext, set) and its OID and value lines; the program
// answers each at once from the tree it holds. Nothing here waits on a
// printer.
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "cli/snmp_tree.h"

// The tree as it is now; never null.
using CurrentTree = std::function<std::shared_ptr<const SnmpTree>()>;

// The answer to one command, its argument lines taken from `nextLine`
// (nothing at the end of the input): PONG; the OID's three lines (OID, type,
// value) or NONE; not-writable for every set. getnext stays within the
// served subtree the asked OID lies in (snmp_tree.h), so that each
// registration's walk ends at its own end. An unknown command is answered NONE, so that the
// agent never waits; an empty line is no command (nothing).
std::optional<std::string> AnswerCommand(
    const std::string& command, const std::function<std::optional<std::string>()>& nextLine,
    const SnmpTree& tree);

// Answers every command of `in` on `out`, each flushed at once, until the
// input ends.
void ServePassPersist(std::istream& in, std::ostream& out, const CurrentTree& tree);
