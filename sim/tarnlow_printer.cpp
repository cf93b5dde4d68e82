#include "sim/tarnlow_printer.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The printer's own page layouts: header line (none on page 4) and keys in
// the order the printer lists them.
struct PageLayout {
  const char* header;
  std::vector<std::string> keys;
};

const std::array<PageLayout, 4>& PageLayouts() {
  static const std::array<PageLayout, 4> layouts = {{
      {"@PJL INFO CONFIGTONER",
       {"CONSUMETCSTATEC",   "CONSUMETCSTATEM",  "CONSUMETCSTATEY",  "CONSUMETCSTATEK",
        "CONSUMEICSTATE",    "CONSUMETCREMAINC", "CONSUMETCREMAINM", "CONSUMETCREMAINY",
        "CONSUMETCREMAINK",  "CONSUMEICREMAIN",  "CONSUMETCTYPEC",   "CONSUMETCTYPEM",
        "CONSUMETCTYPEY",    "CONSUMETCTYPEK",   "CONSUMEICTYPE",    "COVERAGETOTALCOLOR",
        "COVERAGETOTALMONO", "COVERAGETOTAL",    "COVERAGECOLOR",    "COVERAGEMONO",
        "COVERAGEAVERAGEC",  "COVERAGEAVERAGEM", "COVERAGEAVERAGEY", "COVERAGEAVERAGEK",
        "COVERAGELASTC",     "COVERAGELASTM",    "COVERAGELASTY",    "COVERAGELASTK",
        "TONERLOWMSG"}},
      {"@PJL INFO CONFIGCOUNT",
       {"COUNTTOTAL", "COUNTCOLORPRINT", "COUNTMONOPRINT", "COUNTTRAY1", "COUNTSIZEA4",
        "COUNTSIZEB5", "COUNTSIZEA5", "COUNTSIZELEGAL", "COUNTSIZELETTER", "COUNTSIZEOTHERS",
        "COUNTMEDIAPLAIN", "COUNTMEDIATHICK", "COUNTMEDIATHICK2", "COUNTMEDIAENVELOPE",
        "COUNTMEDIALETTERHEAD", "COUNTMEDIAPOSTCARD", "COUNTMEDIALABELS"}},
      {"@PJL INFO CONFIGMACHINE",
       {"MACHINESERIAL", "MACHINEENERGYSAVE", "MACHINEAUTOCONTO", "MACHINETONEREMPTY",
        "MACHINEVERSIONENGINE", "MACHINEVERSIONFW", "MACHINEVERSIONBOOT"}},
      {nullptr,
       {"ADJTOPPLAIN", "ADJTOPTHICK", "ADJTOPENVELOPE", "ADJLEFTFRONT", "ADJLEFTBACK", "ADJIMAGE",
        "ADJTRANSPLAINFRONT", "ADJTRANSTHICK1", "ADJTRANSTHICK2", "ADJTRANSPOSTCARD",
        "ADJTRANSENVELOPE", "ADJTRANSLABEL", "ADJTRANSPLAINBACK"}},
  }};
  return layouts;
}

// Writes that land on an information page: request code -> key.
const std::map<int, std::string>& PageWrites() {
  static const std::map<int, std::string> writes = {
      {26, "ADJIMAGE"},         {27, "ADJTOPPLAIN"},    {28, "ADJTOPTHICK"},
      {29, "ADJTOPENVELOPE"},   {30, "ADJLEFTFRONT"},   {32, "ADJTRANSPLAINFRONT"},
      {33, "ADJTRANSTHICK1"},   {34, "ADJTRANSTHICK2"}, {35, "ADJTRANSPOSTCARD"},
      {36, "ADJTRANSENVELOPE"}, {37, "ADJTRANSLABEL"},  {16, "MACHINEENERGYSAVE"},
  };
  return writes;
}

bool IsValueRead(int code) {
  return code == 20 || code == 22 || code == 24 || (code >= 40 && code <= 48 && code % 2 == 0) ||
         code == 53 || code == 54 || (code >= 55 && code <= 78) || code == 80 ||
         (code >= 81 && code <= 84);
}

// Setting writes whose value comes back on the read one code below.
bool IsValueWrite(int code) {
  return code == 21 || code == 23 || code == 25 || (code >= 41 && code <= 49 && code % 2 == 1);
}

bool IsAckCommand(int code) {
  return (code >= 14 && code <= 19) || IsValueWrite(code) || PageWrites().count(code) ||
         code == 39 || (code >= 50 && code <= 52);
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::vector<std::uint8_t> LittleEndian(std::int32_t value) {
  auto v = static_cast<std::uint32_t>(value);
  return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

}  // namespace

int TarnlowPageOfKey(const std::string& key) {
  const auto& layouts = PageLayouts();
  for (int page = 0; page < 4; ++page) {
    const auto& keys = layouts[page].keys;
    if (std::find(keys.begin(), keys.end(), key) != keys.end()) return page + 1;
  }
  return 0;
}

TarnlowPrinter::TarnlowPrinter() = default;

TarnlowPrinter::Answer TarnlowPrinter::Handle(const ControlSetup& setup) {
  std::lock_guard lock(mutex_);
  const int code = setup.bRequest;
  // The printer receives the setting in the low byte of the wire wValue.
  const int arg = setup.wValue;
  received_.push_back({code, ((setup.wValue & 0xFF) << 8) | (setup.wValue >> 8), setup.wLength});
  if (observer_) observer_(received_.back());

  Answer answer;
  answer.delayMs = answerDelayMs_;
  if (!plugged_ || setup.bmRequestType != kVendorInInterface || setup.wIndex != kInterfaceNumber) {
    answer.kind = Answer::Stall;
    return answer;
  }
  if (!IsValueRead(code) && !IsAckCommand(code) && code != 9 && code != 13 && code != 85) {
    unknown_.push_back(code);
    answer.kind = Answer::Stall;
    return answer;
  }

  auto fault = faults_.find(code);
  if (fault == faults_.end()) {
    answer = Normal(code, arg);
    Apply(code, arg);
  } else {
    const Fault& f = fault->second;
    switch (f.kind) {
      case Fault::FailTransfer: answer.kind = Answer::Stall; break;
      case Fault::Refuse: answer.bytes = {'N', 'G', 0, 0}; break;
      case Fault::ShortReply:
        answer = Normal(code, arg);
        if (answer.bytes.size() > std::size_t(f.length)) answer.bytes.resize(f.length);
        Apply(code, arg);
        break;
      case Fault::RawReply: answer.bytes = f.raw; break;
      case Fault::NeverAnswer: answer.kind = Answer::Hang; break;
      case Fault::ZeroInside:
        answer = Normal(code, arg);
        if (!answer.bytes.empty()) answer.bytes[(answer.bytes.size() - 1) / 2] = 0;
        Apply(code, arg);
        break;
      case Fault::Overlong:
        answer = Normal(code, arg);
        answer.bytes.resize(answer.bytes.size() + std::size_t(std::max(f.length, 0)), 'X');
        Apply(code, arg);
        break;
    }
  }
  if (answer.bytes.size() > setup.wLength) answer.bytes.resize(setup.wLength);
  answer.delayMs = answerDelayMs_;
  return answer;
}

TarnlowPrinter::Answer TarnlowPrinter::Normal(int code, int arg) const {
  Answer answer;
  if (code == 9) {
    if (statusReply_) {
      answer.bytes = Bytes(*statusReply_);
    } else {
      std::string text = "STATUS=";
      for (std::size_t i = 0; i < statusCodes_.size(); ++i)
        text += statusCodes_[i] + (i + 1 < statusCodes_.size() ? "," : "");
      answer.bytes = Bytes(text + "\r\n");
    }
  } else if (code == 13) {
    answer.bytes = Bytes(arg >= 1 && arg <= 4 ? ComposePage(arg) : std::string());
  } else if (IsValueRead(code)) {
    auto it = values_.find(code);
    answer.bytes = LittleEndian(it == values_.end() ? 0 : it->second);
  } else if (code == 85) {
    // The image refresh is never answered with data.
  } else {
    answer.bytes = {'O', 'K', 0, 0};
  }
  return answer;
}

void TarnlowPrinter::Apply(int code, int arg) {
  auto write = PageWrites().find(code);
  if (write != PageWrites().end()) {
    pageValues_[write->second] = std::to_string(arg);
  } else if (IsValueWrite(code)) {
    values_[code - 1] = arg;
  } else if (code == 15) {
    pageValues_["MACHINETONEREMPTY"] = arg ? "ON" : "OFF";
  } else if (code == 17) {
    pageValues_["MACHINEAUTOCONTO"] = arg ? "ON" : "OFF";
  } else if (code == 19) {
    pageValues_["TONERLOWMSG"] = arg ? "1" : "0";
  } else if (code == 50) {
    values_[83] = 0;  // transfer roller replaced
  } else if (code == 51) {
    values_[84] = 0;  // fuser unit replaced
  }
}

void TarnlowPrinter::SetStatusCodes(std::vector<std::string> codes) {
  std::lock_guard lock(mutex_);
  statusCodes_ = std::move(codes);
  statusReply_.reset();
}

void TarnlowPrinter::SetStatusReply(std::string text) {
  std::lock_guard lock(mutex_);
  statusReply_ = std::move(text);
}

bool TarnlowPrinter::SetPageValue(const std::string& key, const std::string& value) {
  if (TarnlowPageOfKey(key) == 0) return false;
  std::lock_guard lock(mutex_);
  if (value.empty())
    pageValues_.erase(key);
  else
    pageValues_[key] = value;
  return true;
}

std::string TarnlowPrinter::PageValue(const std::string& key) const {
  std::lock_guard lock(mutex_);
  auto it = pageValues_.find(key);
  return it == pageValues_.end() ? std::string() : it->second;
}

void TarnlowPrinter::SetPageText(int page, std::string text) {
  std::lock_guard lock(mutex_);
  pageTexts_[page] = std::move(text);
}

std::string TarnlowPrinter::PageText(int page) const {
  std::lock_guard lock(mutex_);
  return ComposePage(page);
}

std::string TarnlowPrinter::ComposePage(int page) const {
  auto raw = pageTexts_.find(page);
  if (raw != pageTexts_.end()) return raw->second;
  const PageLayout& layout = PageLayouts()[page - 1];
  std::string text;
  if (layout.header) text += std::string(layout.header) + "\r\n";
  for (const std::string& key : layout.keys) {
    auto it = pageValues_.find(key);
    if (it != pageValues_.end()) text += key + "=" + it->second + "\r\n";
  }
  return text;
}

void TarnlowPrinter::SetValue(int readCode, std::int32_t value) {
  std::lock_guard lock(mutex_);
  values_[readCode] = value;
}

std::int32_t TarnlowPrinter::Value(int readCode) const {
  std::lock_guard lock(mutex_);
  auto it = values_.find(readCode);
  return it == values_.end() ? 0 : it->second;
}

void TarnlowPrinter::SetFault(int code, Fault fault) {
  std::lock_guard lock(mutex_);
  faults_[code] = std::move(fault);
}

void TarnlowPrinter::ClearFault(int code) {
  std::lock_guard lock(mutex_);
  faults_.erase(code);
}

void TarnlowPrinter::ClearFaults() {
  std::lock_guard lock(mutex_);
  faults_.clear();
}

void TarnlowPrinter::SetPlugged(bool plugged) {
  std::lock_guard lock(mutex_);
  plugged_ = plugged;
}

bool TarnlowPrinter::Plugged() const {
  std::lock_guard lock(mutex_);
  return plugged_;
}

void TarnlowPrinter::SetAnswerDelay(int milliseconds) {
  std::lock_guard lock(mutex_);
  answerDelayMs_ = std::max(milliseconds, 0);
}

std::vector<TarnlowPrinter::Received> TarnlowPrinter::TakeReceived() {
  std::lock_guard lock(mutex_);
  return std::exchange(received_, {});
}

void TarnlowPrinter::OnRequest(std::function<void(const Received&)> observer) {
  std::lock_guard lock(mutex_);
  observer_ = std::move(observer);
}

std::vector<int> TarnlowPrinter::UnknownCodes() const {
  std::lock_guard lock(mutex_);
  return unknown_;
}

void TarnlowPrinter::LoadDemoState() {
  static const std::map<std::string, std::string> demo = {
      {"CONSUMETCSTATEC", "1"},
      {"CONSUMETCSTATEM", "2"},
      {"CONSUMETCSTATEY", "1"},
      {"CONSUMETCSTATEK", "1"},
      {"CONSUMEICSTATE", "1"},
      {"CONSUMETCREMAINC", "80"},
      {"CONSUMETCREMAINM", "12"},
      {"CONSUMETCREMAINY", "64"},
      {"CONSUMETCREMAINK", "45"},
      {"CONSUMEICREMAIN", "71"},
      {"CONSUMETCTYPEC", "15"},
      {"CONSUMETCTYPEM", "15"},
      {"CONSUMETCTYPEY", "05"},
      {"CONSUMETCTYPEK", "25"},
      {"CONSUMEICTYPE", "15"},
      {"COVERAGETOTALCOLOR", "3120"},
      {"COVERAGETOTALMONO", "5407"},
      {"COVERAGETOTAL", "8527"},
      {"COVERAGECOLOR", "6.4"},
      {"COVERAGEMONO", "4.9"},
      {"COVERAGEAVERAGEC", "5"},
      {"COVERAGEAVERAGEM", "7"},
      {"COVERAGEAVERAGEY", "4"},
      {"COVERAGEAVERAGEK", "6"},
      {"COVERAGELASTC", "3"},
      {"COVERAGELASTM", "9"},
      {"COVERAGELASTY", "2"},
      {"COVERAGELASTK", "11"},
      {"TONERLOWMSG", "1"},
      {"COUNTTOTAL", "8642"},
      {"COUNTCOLORPRINT", "3187"},
      {"COUNTMONOPRINT", "5455"},
      {"COUNTTRAY1", "8642"},
      {"COUNTSIZEA4", "7311"},
      {"COUNTSIZEB5", "102"},
      {"COUNTSIZEA5", "219"},
      {"COUNTSIZELEGAL", "37"},
      {"COUNTSIZELETTER", "880"},
      {"COUNTSIZEOTHERS", "93"},
      {"COUNTMEDIAPLAIN", "8011"},
      {"COUNTMEDIATHICK", "241"},
      {"COUNTMEDIATHICK2", "56"},
      {"COUNTMEDIAENVELOPE", "73"},
      {"COUNTMEDIALETTERHEAD", "120"},
      {"COUNTMEDIAPOSTCARD", "98"},
      {"COUNTMEDIALABELS", "43"},
      {"MACHINESERIAL", "TL5C0042817"},
      {"MACHINEENERGYSAVE", "30"},
      {"MACHINEAUTOCONTO", "OFF"},
      {"MACHINETONEREMPTY", "ON"},
      {"MACHINEVERSIONENGINE", "1.20"},
      {"MACHINEVERSIONFW", "2.07.3"},
      {"MACHINEVERSIONBOOT", "1.01"},
      {"ADJTOPPLAIN", "15"},
      {"ADJTOPTHICK", "17"},
      {"ADJTOPENVELOPE", "12"},
      {"ADJLEFTFRONT", "15"},
      {"ADJLEFTBACK", "15"},
      {"ADJIMAGE", "1"},
      {"ADJTRANSPLAINFRONT", "8"},
      {"ADJTRANSTHICK1", "10"},
      {"ADJTRANSTHICK2", "6"},
      {"ADJTRANSPOSTCARD", "8"},
      {"ADJTRANSENVELOPE", "9"},
      {"ADJTRANSLABEL", "7"},
      {"ADJTRANSPLAINBACK", "8"},
  };
  std::lock_guard lock(mutex_);
  pageValues_ = demo;
  statusCodes_ = {"000000", "30200A", "200001"};
  values_ = {{20, 6},  {22, 1}, {24, 0}, {40, 1},    {42, 1},    {44, 0},    {46, 1},   {48, 2},
             {53, 17}, {54, 3}, {80, 1}, {81, 8642}, {82, 8120}, {83, 4310}, {84, 8642}};
  for (int item = 0; item < 14; ++item) values_[55 + item] = 100 * (item + 1) + item;
  for (int item = 0; item < 10; ++item) values_[69 + item] = 20 * (item + 1);
}
