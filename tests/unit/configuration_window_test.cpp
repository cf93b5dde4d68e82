// The configuration window opened from the panel page as a user opens it,
// against the simulated printer: what it reads, what its tabs show, how it
// closes, and the INI export behind "Save".
#include "info/configuration_window.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "device/request_catalogue.h"
#include "headless_session.h"
#include "panel/panel_page.h"

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;
using Request = std::tuple<int, int, int>;  // code, wValue, length

constexpr const char* kPageNames[kConfigPageCount] = {
    "supplies", "coverage", "counter", "paper", "machine", "firmware", "adjustment",
};

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

struct Field {
  const char* window;
  int id;
};

class ConfigurationWindowTest : public HeadlessSession {
 protected:
  ConfigurationWindowTest() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder = fs::temp_directory_path() /
             ("vantrel-config-" + std::to_string(getpid()) + "-" + test->name());
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  ~ConfigurationWindowTest() override { fs::remove_all(folder); }

  // Opens the main window and, from its panel page, the configuration window.
  void OpenConfiguration() {
    OpenMainWindow();
    Click("panel", kPanelConfigButton);
  }
  // The texts of configuration fields, read when the step runs.
  void Read(std::vector<Field> fields, Strings& into) {
    Then([this, fields, &into] {
      into.clear();
      for (const Field& f : fields) {
        HeadlessWindow* w = platform.Find(f.window);
        into.push_back(w ? w->ItemText(f.id) : std::string("(no window)"));
      }
    });
  }
  // Which configuration pages are shown, when the step runs.
  void ShownPages(Strings& into) {
    Then([this, &into] {
      into.clear();
      for (const char* name : kPageNames) {
        HeadlessWindow* page = platform.Find(name);
        if (page && page->IsShown()) into.push_back(name);
      }
    });
  }
  void Save(const fs::path& path) {
    Click("configuration", kConfigSaveButton);
    Then([this, path] { platform.AnswerSavePrompt(path.string()); });
  }
  bool WindowOpen() { return platform.Find("configuration") != nullptr; }
  Strings FilesInFolder() const {
    Strings names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  Strings Messages() const { return Lines("message box configuration [OK]: "); }

  fs::path folder;
};

TEST_F(ConfigurationWindowTest, ReadsInOrderSwitchesTabsAndClosesOnlyOnClose) {
  std::vector<Request> requests;
  std::vector<int> handles;
  Strings texts, atStart, afterLast, afterThird;
  bool openAfterEscape = false;
  OpenConfiguration();
  Then([&] {
    for (const auto& r : printer.TakeReceived()) requests.emplace_back(r.code, r.wValue, r.length);
    handles.push_back(SimulatedOpenHandles());
    HeadlessWindow* window = platform.Find("configuration");
    ASSERT_NE(window, nullptr);
    texts = {window->Title(), window->ItemText(kConfigSaveButton),
             window->ItemText(kConfigCloseButton)};
    for (int i = 0; i < window->TabCount(kConfigTabControl); ++i)
      texts.push_back(window->TabText(kConfigTabControl, i));
  });
  ShownPages(atStart);
  Then([this] { platform.PickTab("configuration", kConfigTabControl, 6); });
  ShownPages(afterLast);
  Then([this] { platform.PickTab("configuration", kConfigTabControl, 2); });
  ShownPages(afterThird);
  Then([this] { platform.PressEscape("configuration"); });
  Then([&] { openAfterEscape = WindowOpen(); });
  Then([this] { platform.CloseWindow("configuration"); });
  Then([&] { handles.push_back(WindowOpen() ? -1 : SimulatedOpenHandles()); });
  // A second opening, ended by the Close button.
  Click("panel", kPanelConfigButton);
  Click("configuration", kConfigCloseButton);
  Then([&] { handles.push_back(WindowOpen() ? -1 : SimulatedOpenHandles()); });
  Run();

  std::vector<Request> expected = {
      {13, 256, 1024}, {13, 512, 1024}, {13, 768, 1024}, {13, 1024, 1024}};
  for (int code = 55; code <= 78; ++code) expected.emplace_back(code, 0, 4);
  expected.emplace_back(22, 0, 4);
  EXPECT_EQ(requests, expected);
  EXPECT_GT(handles.at(0), 0);
  EXPECT_EQ(handles, (std::vector<int>{handles[0], 0, 0}));  // closed after each window
  EXPECT_EQ(texts, (Strings{"Configuration Page", "Save", "Close", "Supplies Status",
                           "Coverage Information", "Counter", "Paper", "Machine Setting",
                           "Firmware Version", "Adjustment"}));
  EXPECT_EQ(atStart, Strings{"supplies"});
  EXPECT_EQ(afterLast, Strings{"adjustment"});
  EXPECT_EQ(afterThird, Strings{"counter"});
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(Lines("hide configuration").size(), 2u);
  EXPECT_EQ(Lines("(script ended)"), Strings{});
  EXPECT_EQ(Lines("message box"), Strings{});
}

TEST_F(ConfigurationWindowTest, PagesShowTheConvertedValues) {
  const std::vector<Field> supplies = {
      {"supplies", 1099}, {"supplies", 1104}, {"supplies", 1109},  // cyan
      {"supplies", 1110},                                          // magenta type
      {"supplies", 1102}, {"supplies", 1107}, {"supplies", 1112},  // black
      {"supplies", 1103}, {"supplies", 1108},                      // imaging
      {"machine", 1145},  {"machine", 1147},  {"machine", 1149},   // energy, auto, low msg
  };
  Strings demo, changed, others;
  OpenConfiguration();
  Read(supplies, demo);
  Read({{"supplies", 1092}, {"coverage", 1100}, {"coverage", 1120}, {"counter", 1115},
        {"counter", 1121}, {"counter", 1123}, {"machine", 1144}, {"machine", 1148},
        {"firmware", 1155}, {"adjustment", 1165}, {"adjustment", 1169}, {"adjustment", 1176},
        {"adjustment", 1184}, {"adjustment", 1188}},
       others);
  Click("configuration", kConfigCloseButton);
  Then([this] {
    printer.SetPageValue("CONSUMETCSTATEC", "7");
    printer.SetPageValue("CONSUMETCTYPEM", "35");
    printer.SetPageValue("CONSUMETCSTATEK", "0");
    printer.SetPageValue("CONSUMEICSTATE", "0");
    printer.SetPageValue("MACHINEAUTOCONTO", "off");
    printer.SetPageValue("TONERLOWMSG", "00");
    printer.SetValue(REQ_READ_ENERGY_SAVE, 0);
  });
  Click("panel", kPanelConfigButton);
  Read(supplies, changed);
  Run();

  EXPECT_EQ(demo, (Strings{"Ready", "80%", "Standard", "Standard", "Ready", "45%", "High",
                           "Ready", "71%", "30", "Off", "On"}));
  // State 7 has no name but the rest of its row shows; state 0 shows "-".
  EXPECT_EQ(changed, (Strings{"", "80%", "Standard", "-", "UnKnown", "-", "-", "UnKnown", "-",
                              "Off", "On", "On"}));
  EXPECT_EQ(others, (Strings{"Toner Cartridge Magenta             ", "6.4", "11%", "8642",
                             "100/201/302/403/504/605/706/807/908/1009/1110/1211/1312/1413",
                             "20/40/60/80/100/120/140/160/180/200", "TL5C0042817", "On",
                             "2.07.3", "0", "-3", "1", "0", "-1"}));
}

TEST_F(ConfigurationWindowTest, FailedReadsAreReportedAndTheWindowStillOpens) {
  printer.SetValue(REQ_READ_ENERGY_SAVE, 0);
  Strings energyRead, energyKept, emptyFields;
  std::size_t second = 0, third = 0;
  OpenConfiguration();
  Read({{"machine", 1145}}, energyRead);
  Click("configuration", kConfigCloseButton);
  // The switch cannot be read: it keeps the value of the last read.
  Then([this] {
    printer.SetValue(REQ_READ_ENERGY_SAVE, 1);
    printer.SetFault(REQ_READ_ENERGY_SAVE, {});
  });
  Mark(second);
  Click("panel", kPanelConfigButton);
  AnswerOk();
  Read({{"machine", 1145}}, energyKept);
  Click("configuration", kConfigCloseButton);
  // No page can be read: four messages owned by the panel page, then the
  // window opens showing what empty values convert to.
  Then([this] {
    printer.ClearFaults();
    printer.SetFault(REQ_READ_INFO_PAGE, {});
  });
  Mark(third);
  Click("panel", kPanelConfigButton);
  for (int i = 0; i < 4; ++i) AnswerOk();
  Read({{"supplies", 1104}, {"supplies", 1109}, {"adjustment", 1165}, {"adjustment", 1179},
        {"machine", 1147}},
       emptyFields);
  Run();

  const std::string sendFailed = Quoted("Send command to F/W is failed");
  EXPECT_EQ(energyRead, Strings{"Off"});
  EXPECT_EQ(Lines("message box configuration [OK]: ", second, third), Strings{sendFailed});
  EXPECT_EQ(energyKept, Strings{"Off"});
  EXPECT_EQ(Lines("message box panel [OK]: ", third), Strings(4, sendFailed));
  EXPECT_EQ(Lines("message box configuration", third), Strings{});
  EXPECT_EQ(emptyFields, (Strings{"%", "-", "-15", "-8", "On"}));
  EXPECT_EQ(Lines("show configuration").size(), 3u);
}

TEST_F(ConfigurationWindowTest, NoLinkNoWindow) {
  OpenMainWindow();
  Then([this] { printer.SetPlugged(false); });
  Click("panel", kPanelConfigButton);
  AnswerOk();
  Run();
  EXPECT_EQ(Lines("message box panel [OK]: "), Strings{Quoted("Open USB is failed")});
  EXPECT_EQ(Lines("show configuration"), Strings{});
  EXPECT_TRUE(printer.TakeReceived().empty());
}

// ------------------------------------------------------------------ export

fs::path ExpectedExport() {
  return fs::path(__FILE__).parent_path().parent_path() / "data" / "config_export_demo_en.ini";
}

TEST_F(ConfigurationWindowTest, ExportWritesTheWholeWindowAndReplacesAnyOldFile) {
  fs::path path = folder / "TL5C0042817.INI";
  WriteBytes(path, "[Other]\r\nkept=no\r\n[- Counter -]\r\nColor Faces=1\r\n");
  std::string first, second;
  OpenConfiguration();
  Save(path);
  Then([&] { first = ReadBytes(path); });
  Save(path);
  Then([&] { second = ReadBytes(path); });
  Run();

  std::string expected = ReadBytes(ExpectedExport());
  ASSERT_FALSE(expected.empty()) << ExpectedExport();
  EXPECT_EQ(first, expected);
  EXPECT_EQ(second, expected);
  EXPECT_EQ(Lines("save prompt configuration: "),
            Strings(2, "\"INI FILE(*.INI)\" \"*.INI\" .INI \"TL5C0042817.INI\""));
  std::string written =
      Quoted(path.string()) + " (" + std::to_string(expected.size()) + " bytes)";
  EXPECT_EQ(Lines("file written: "), Strings(2, written));
  EXPECT_EQ(Lines("message box"), Strings{});
  EXPECT_EQ(FilesInFolder(), Strings{"TL5C0042817.INI"});
}

TEST_F(ConfigurationWindowTest, FailedExportsKeepTheOldFileAndSaySo) {
  const std::string failed = Quoted("The configuration could not be saved.");
  fs::path old = folder / "old.INI";
  const std::string oldBytes = "[Other]\r\nkept=yes\r\n";
  WriteBytes(old, oldBytes);
  fs::create_directory(folder / "taken.INI");
  std::string afterWriteFailure;
  bool stillOpen = false;

  OpenConfiguration();
  // A folder that does not exist.
  Save(folder / "missing" / "x.INI");
  AnswerOk();
  // A path taken by a folder: the rename fails after the temporary is written.
  Save(folder / "taken.INI");
  AnswerOk();
  // Writing stops short (as on a full disk): the old file must survive.
  // Files may grow to 64 bytes only, from the click until the message.
  rlimit saved{};
  void (*previousHandler)(int) = SIG_DFL;
  Then([&] {
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
  });
  Save(old);
  Then([&] {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    platform.Answer(kIdOk);
  });
  Then([&] {
    afterWriteFailure = ReadBytes(old);
    stillOpen = WindowOpen();
  });
  Run();

  EXPECT_EQ(Messages(), Strings(3, failed));
  EXPECT_EQ(afterWriteFailure, oldBytes);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Lines("file written: "), Strings{});
  EXPECT_EQ(FilesInFolder(), (Strings{"old.INI", "taken.INI"}));  // no temporary left
  EXPECT_TRUE(fs::is_directory(folder / "taken.INI"));
  EXPECT_TRUE(fs::is_empty(folder / "taken.INI"));
}

}  // namespace
