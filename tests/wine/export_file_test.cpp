// The INI export on Windows, saved as a user saves it: to a name outside
// the ANSI code page, with the text in the ANSI code page as the system's
// profile writer stores it and otherwise the bytes the Linux program writes.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/string_table.h"
#include "common/utf8_path.h"
#include "headless_session.h"
#include "info/configuration_window.h"
#include "info/ini_export.h"
#include "page_helpers/app_context.h"
#include "panel/panel_page.h"
#include "printer/configuration_export.h"
#include "printer/file_replace.h"
#include "printer/ini_writer.h"

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::wstring Decode(UINT codePage, const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  int n = MultiByteToWideChar(codePage, 0, bytes.data(), int(bytes.size()), text.data(),
                              int(text.size()));
  text.resize(std::size_t(n > 0 ? n : 0));
  return text;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    std::size_t end = bytes.find('\n', at);
    end = end == std::string::npos ? bytes.size() : end + 1;
    lines.push_back(bytes.substr(at, end - at));
    at = end;
  }
  return lines;
}

bool IsAscii(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

class ExportFileTest : public HeadlessSession {
 protected:
  ExportFileTest() {
    folder =
        fs::temp_directory_path() / ("vantrel-export-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  ~ExportFileTest() override {
    fs::remove_all(folder);
    SetTextLanguage(1033);
  }
  fs::path folder;
};

TEST_F(ExportFileTest, AGermanExportToAUnicodeNameIsInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1252u) << "the test runs in a Western European code page";
  SetTextLanguage(1031);
  const std::string path = Utf8FromPath(folder) + "\\caf\u00e9-\u30c6.INI";
  std::string linuxBytes;
  OpenMainWindow();
  Click("panel", kPanelConfigButton);
  for (int save = 0; save < 2; ++save) {  // the second replaces the first
    Click("configuration", kConfigSaveButton);
    Then([this, path] { platform.AnswerSavePrompt(path); });
  }
  Then([this, &linuxBytes] {
    const auto* ctx = static_cast<AppContext*>(platform.Find("configuration")->UserData());
    linuxBytes = ComposeIniFile(CollectExportEntries(ctx->printer));
  });
  Run();

  std::vector<std::wstring> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().wstring());
  ASSERT_EQ(names, std::vector<std::wstring>{L"caf\u00e9-\u30c6.INI"});

  const std::string bytes = ReadBytes(folder / names[0]);
  ASSERT_NE(linuxBytes.find('\xC3'), std::string::npos) << "German labels outside ASCII";
  EXPECT_NE(bytes, linuxBytes);
  EXPECT_EQ(Decode(CP_ACP, bytes), Decode(CP_UTF8, linuxBytes))
      << "the same text, in the ANSI code page";

  // A section outside ASCII as the system's profile writer stores it.
  const std::vector<std::string> ours = SplitLines(bytes), reference = SplitLines(linuxBytes);
  ASSERT_EQ(ours.size(), reference.size());
  std::size_t i = 0;
  while (i < reference.size() && (reference[i][0] != '[' || IsAscii(reference[i]))) ++i;
  ASSERT_LT(i, reference.size());
  const std::wstring header = Decode(CP_UTF8, reference[i]);
  const std::wstring section = header.substr(1, header.find(L']') - 1);
  const fs::path written = folder / "profile.ini";
  ASSERT_TRUE(WritePrivateProfileStringW(section.c_str(), L"k", L"v", written.c_str()));
  EXPECT_EQ(ours[i], SplitLines(ReadBytes(written))[0]);
}

// What the export replaces on Windows: a new or plain file; never a
// read-only one, a folder or a device. (Links are refused too, but Wine 8
// does not show a link as a reparse point reliably, so no case here.)
TEST_F(ExportFileTest, ReplacesOnlyAPlainWritableFile) {
  const fs::path plain = folder / "plain.ini", readOnly = folder / "read-only.ini",
                 inTheWay = folder / "folder.ini";
  std::ofstream(plain) << "old";
  std::ofstream(readOnly) << "old";
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
  fs::create_directory(inTheWay);

  EXPECT_EQ(ReplaceFileContents(Utf8FromPath(folder / "new.ini"), "new"), 1);
  EXPECT_EQ(ReadBytes(folder / "new.ini"), "new");
  EXPECT_EQ(ReplaceFileContents(Utf8FromPath(plain), "new"), 1);
  EXPECT_EQ(ReadBytes(plain), "new");
  EXPECT_EQ(ReplaceFileContents(Utf8FromPath(readOnly), "new"), 0);
  EXPECT_EQ(ReadBytes(readOnly), "old");
  EXPECT_EQ(ReplaceFileContents(Utf8FromPath(inTheWay), "new"), 0);
  EXPECT_TRUE(fs::is_directory(inTheWay));
  EXPECT_EQ(ReplaceFileContents("NUL", "new"), 0);
  for (const auto& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().extension(), ".ini") << "a temporary file was left behind";
  SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
