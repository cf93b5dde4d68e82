#include "printer_commands.h"

#include <sstream>

#include "device/device_link.h"
#include "device/request_catalogue.h"
#include "sim/backend_sim.h"
#include "words.h"

PrinterCommands::PrinterCommands(Transcript& transcript) : transcript_(transcript) {
  printer_.LoadDemoState();
  printer_.OnRequest([this](const TarnlowPrinter::Received& r) {
    const RequestInfo* info = FindRequest(r.code);
    transcript_.Line("printer <- " + std::to_string(r.code) + ' ' +
                     (info ? info->name : "UNKNOWN") + " wValue=" + std::to_string(r.wValue) +
                     " length=" + std::to_string(r.length));
  });
  backend_.OnHandlesChanged([this](int open) {
    if (open == 2 && !linkOpen_) transcript_.Line("link open");
    if (open == 0 && linkOpen_) transcript_.Line("link closed");
    linkOpen_ = open == 2 ? true : open == 0 ? false : linkOpen_;
  });
}

PrinterCommands::~PrinterCommands() {
  backend_.OnHandlesChanged(nullptr);
  windowLink_.Close();
}

std::function<void()> PrinterCommands::Parse(const std::vector<std::string>& w) {
  if (w.size() < 2) throw ParseError{"'printer' needs a subject"};
  const std::string& what = w[1];
  TarnlowPrinter& p = printer_;
  auto need = [&](std::size_t n) {
    if (w.size() != n)
      throw ParseError{"'printer " + what + "' takes " + std::to_string(n - 2) + " words"};
  };
  using Fault = TarnlowPrinter::Fault;
  if (what == "absent" || what == "unplug") {
    need(2);
    return [&p] { p.SetPlugged(false); };
  }
  if (what == "plug") {
    need(2);
    return [&p] { p.SetPlugged(true); };
  }
  if (what == "status") {
    if (w.size() > 3) throw ParseError{"'printer status' takes codes separated by commas"};
    std::vector<std::string> codes;
    std::stringstream list(w.size() == 3 ? w[2] : "");
    for (std::string code; std::getline(list, code, ',');) codes.push_back(code);
    return [&p, codes] { p.SetStatusCodes(codes); };
  }
  if (what == "status-reply") {
    need(3);
    return [&p, t = w[2]] { p.SetStatusReply(t); };
  }
  if (what == "page") {
    need(4);
    int page = Number(w[2]);
    if (page < 1 || page > 4) throw ParseError{"pages are 1 to 4"};
    return [&p, page, text = w[3]] { p.SetPageText(page, text); };
  }
  if (what == "set") {
    need(4);
    if (TarnlowPageOfKey(w[2]) == 0) throw ParseError{"no information page has the key " + w[2]};
    return [&p, key = w[2], value = w[3]] { p.SetPageValue(key, value); };
  }
  if (what == "value") {
    need(4);
    int code = Number(w[2]), value = Number(w[3]);
    return [&p, code, value] { p.SetValue(code, value); };
  }
  if (what == "kind") {
    need(3);
    int kind = Number(w[2]);
    return [&p, kind] { p.SetValue(REQ_READ_MACHINE_KIND, kind); };
  }
  if (what == "demo") {
    need(2);
    return [&p] { p.LoadDemoState(); };
  }
  if (what == "clear") {
    need(3);
    if (w[2] == "all") return [&p] { p.ClearFaults(); };
    int code = Number(w[2]);
    return [&p, code] { p.ClearFault(code); };
  }
  Fault fault;
  if (what == "fail") {
    need(3);
    fault.kind = Fault::FailTransfer;
  } else if (what == "refuse") {
    need(3);
    fault.kind = Fault::Refuse;
  } else if (what == "hang") {
    need(3);
    fault.kind = Fault::NeverAnswer;
  } else if (what == "short") {
    need(4);
    fault.kind = Fault::ShortReply;
    fault.length = Number(w[3]);
    if (fault.length < 0) throw ParseError{"'" + w[3] + "' is out of range"};
  } else if (what == "raw") {
    fault.kind = Fault::RawReply;
    std::string bytes;
    if (w.size() == 4)
      bytes = w[3];
    else if (w.size() == 6 && w[3] == "fill" && w[5].size() == 1) {
      int count = Number(w[4]);
      if (count < 0 || count > 65536) throw ParseError{"'fill' takes 0 to 65536 bytes"};
      bytes.assign(count, w[5][0]);
    } else
      throw ParseError{"'printer raw' takes a code and \"text\" or fill N \"c\""};
    fault.raw.assign(bytes.begin(), bytes.end());
  } else {
    throw ParseError{"unknown printer setting '" + what + "'"};
  }
  int code = Number(w[2]);
  if (!FindRequest(code)) throw ParseError{"request " + w[2] + " is not in the catalogue"};
  return [&p, code, fault] { p.SetFault(code, fault); };
}

void PrinterCommands::ReportUnknownCodes() {
  for (int code : printer_.UnknownCodes())
    transcript_.Line("printer received an unknown code " + std::to_string(code));
}
