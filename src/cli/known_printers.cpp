#include "cli/known_printers.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "cli/exit_status.h"
#include "printer/file_replace.h"

namespace {

// The file: a comment, then a line a printer, its serial number and its
// location separated by a tab.
constexpr char kHeading[] =
    "# The printers vantrel-cli's metrics have seen: serial number, tab, last location.\n"
    "# Remove one with: vantrel-cli --state FILE forget SERIAL\n";

bool FitsOnALine(const std::string& text) {
  return text.find_first_of("\t\r\n") == std::string::npos;
}

bool Storable(const KnownPrinter& printer) {
  return !printer.serial.empty() && printer.serial[0] != '#' && FitsOnALine(printer.serial) &&
         FitsOnALine(printer.location);
}

}  // namespace

std::vector<KnownPrinter> ReadKnownPrinters(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) return {};
    throw CliFailure(kExitNotWritten,
                     "could not read the state file " + file + ": " + std::strerror(errno));
  }
  std::vector<KnownPrinter> printers;
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t tab = line.find('\t');
    // Comments and lines of no use (an editor's blank line) are passed over.
    if (line.empty() || line[0] == '#' || tab == 0 || tab == std::string::npos) continue;
    printers.push_back({line.substr(0, tab), line.substr(tab + 1)});
  }
  if (in.bad()) throw CliFailure(kExitNotWritten, "could not read the state file " + file);
  return printers;
}

void WriteKnownPrinters(const std::string& file, const std::vector<KnownPrinter>& printers) {
  std::string text = kHeading;
  for (const KnownPrinter& printer : printers)
    text += printer.serial + "\t" + printer.location + "\n";
  std::string reason;
  if (!ReplaceFileContents(file, text, &reason))
    throw CliFailure(kExitNotWritten, "could not write the state file " + file +
                                          (reason.empty() ? "" : ": " + reason));
}

std::vector<KnownPrinter> Remember(std::vector<KnownPrinter> known,
                                   const std::vector<KnownPrinter>& present) {
  for (auto printer = present.begin(); printer != present.end(); ++printer) {
    if (!Storable(*printer)) continue;
    auto same = [&](const KnownPrinter& k) { return k.serial == printer->serial; };
    // Several present with one serial number: the first one's location.
    if (std::any_of(present.begin(), printer, same)) continue;
    const auto entry = std::find_if(known.begin(), known.end(), same);
    if (entry == known.end())
      known.push_back(*printer);
    else
      entry->location = printer->location;
  }
  return known;
}

void ForgetPrinter(const std::string& file, const std::string& serial) {
  std::vector<KnownPrinter> printers = ReadKnownPrinters(file);
  const auto forgotten = std::remove_if(printers.begin(), printers.end(),
                                        [&](const KnownPrinter& k) { return k.serial == serial; });
  if (forgotten == printers.end())
    throw CliFailure(kExitNoPrinter, "no printer " + serial + " is remembered in " + file);
  printers.erase(forgotten, printers.end());
  WriteKnownPrinters(file, printers);
}
