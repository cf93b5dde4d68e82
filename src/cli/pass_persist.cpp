#include "cli/pass_persist.h"

#include <algorithm>
#include <istream>
#include <ostream>

namespace {

constexpr char kNone[] = "NONE\n";

bool Begins(const Oid& oid, const Oid& prefix) {
  return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

// The served subtree a getnext of `oid` walks: the one it lies in, or the
// one it leads to (the agent asks for the registration's own OID, or one
// above it, to enter).
const Oid* SubtreeOf(const Oid& oid) {
  for (const Oid* root : {&kHrPrinterStatus, &kHrPrinterDetectedErrorState, &kPrinterMib})
    if (Begins(oid, *root) || Begins(*root, oid)) return root;
  return nullptr;
}

std::string Entry(const SnmpTree::value_type& entry) {
  return OidText(entry.first) + "\n" + entry.second.type + "\n" + entry.second.text + "\n";
}

std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.pop_back();
  return line;
}

}  // namespace

std::optional<std::string> AnswerCommand(
    const std::string& command, const std::function<std::optional<std::string>()>& nextLine,
    const SnmpTree& tree) {
  const std::string word = WithoutLineEnd(command);
  if (word.empty()) return std::nullopt;
  if (word == "PING") return "PONG\n";
  if (word != "get" && word != "getnext" && word != "set") return kNone;
  const std::optional<std::string> oidLine = nextLine();
  if (!oidLine) return kNone;
  if (word == "set") {
    nextLine();  // the value
    return "not-writable\n";
  }
  const std::optional<Oid> oid = ParseOid(WithoutLineEnd(*oidLine));
  if (!oid) return kNone;
  if (word == "get") {
    const auto found = tree.find(*oid);
    return found == tree.end() ? kNone : Entry(*found);
  }
  const Oid* subtree = SubtreeOf(*oid);
  const auto next = tree.upper_bound(*oid);
  if (!subtree || next == tree.end() || !Begins(next->first, *subtree)) return kNone;
  return Entry(*next);
}

void ServePassPersist(std::istream& in, std::ostream& out, const CurrentTree& tree) {
  const std::function<std::optional<std::string>()> nextLine = [&]() -> std::optional<std::string> {
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    return line;
  };
  for (std::string command; std::getline(in, command);) {
    const std::shared_ptr<const SnmpTree> now = tree();
    if (const std::optional<std::string> answer = AnswerCommand(command, nextLine, *now)) {
      out << *answer;
      out.flush();
    }
  }
}
