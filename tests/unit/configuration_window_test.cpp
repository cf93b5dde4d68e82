// "Save" of the configuration window when the file cannot be written: the
// old file survives, the user is told, the window stays. (What the window
// reads, shows and writes is told by tests/scenarios/configuration_and_export.)
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
#include <vector>

#include "headless_session.h"
#include "panel/panel_page.h"

namespace fs = std::filesystem;

namespace {

using Strings = std::vector<std::string>;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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

  void Save(const fs::path& path) {
    Click("configuration", kConfigSaveButton);
    Then([this, path] { platform.AnswerSavePrompt(path.string()); });
  }

  fs::path folder;
};

TEST_F(ConfigurationWindowTest, FailedExportsKeepTheOldFileAndSaySo) {
  const fs::path old = folder / "old.INI";
  const std::string oldBytes = "[Other]\r\nkept=yes\r\n";
  std::ofstream(old, std::ios::binary) << oldBytes;
  fs::create_directory(folder / "taken.INI");
  std::string afterWriteFailure;
  bool stillOpen = false;

  OpenMainWindow();
  Click("panel", kPanelConfigButton);
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
  Then([&] { platform.Answer(kIdYes); });  // replace it
  Then([&] {
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    platform.Answer(kIdOk);
  });
  Then([&] {
    afterWriteFailure = ReadBytes(old);
    stillOpen = platform.Find("configuration") != nullptr;
  });
  Run();

  EXPECT_EQ(Lines("message box configuration [OK]: "),
            Strings(3, "\"The configuration could not be saved.\""));
  EXPECT_EQ(afterWriteFailure, oldBytes);
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(Lines("file written: "), Strings{});
  Strings files;
  for (const auto& entry : fs::directory_iterator(folder))
    files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (Strings{"old.INI", "taken.INI"}));  // no temporary left
  EXPECT_TRUE(fs::is_directory(folder / "taken.INI"));
  EXPECT_TRUE(fs::is_empty(folder / "taken.INI"));
}

}  // namespace
