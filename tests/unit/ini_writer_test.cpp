// The INI file composer, byte for byte.
#include "printer/ini_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Compose(const std::vector<IniEntry>& entries) { return ComposeIniFile(entries); }

TEST(IniWriter, WritesHeadersAndKeyLinesEndingInCrLf) {
  EXPECT_EQ(Compose({}), "");
  EXPECT_EQ(Compose({{"Main", "Key", "Value"}}), "[Main]\r\nKey=Value\r\n");
  // No blank line between sections; empty values and names are kept.
  EXPECT_EQ(Compose({{"A", "k", "1"}, {"B", "k", ""}, {"", "", "x"}}),
            "[A]\r\nk=1\r\n[B]\r\nk=\r\n[]\r\n=x\r\n");
}

TEST(IniWriter, TrimsSpacesOnlyAndOnlyFromNames) {
  EXPECT_EQ(Compose({{"  Toner  ", "Toner Cartridge Magenta             ", "  Low, 12%  "}}),
            "[Toner]\r\nToner Cartridge Magenta=  Low, 12%  \r\n");
  EXPECT_EQ(Compose({{"\tTabs\t", "Key\t", "v"}}), "[\tTabs\t]\r\nKey\t=v\r\n");
  EXPECT_EQ(Compose({{"   ", "   ", "v"}}), "[]\r\n=v\r\n");
}

TEST(IniWriter, WritesValuesVerbatim) {
  // A value ending in CR LF leaves an empty line, also before the next section.
  EXPECT_EQ(Compose({{"A", "last", "v\r\n"}, {"B", "k", "w"}}),
            "[A]\r\nlast=v\r\n\r\n[B]\r\nk=w\r\n");
  EXPECT_EQ(Compose({{"S", "k", "a=b; [c] \"d\""}}), "[S]\r\nk=a=b; [c] \"d\"\r\n");
  EXPECT_EQ(Compose({{"S", "k",
                      "Gr\xC3\xBC\xC3\x9F"
                      "e"}}),
            "[S]\r\nk=Gr\xC3\xBC\xC3\x9F"
            "e\r\n");
}

TEST(IniWriter, RepeatedSectionsAndKeysKeepTheirPlace) {
  std::vector<IniEntry> entries = {
      {"A", "x", "1"}, {"B", "y", "2"},   {"a", "z", "3"},
      {"A", "X", "4"}, {" A ", "y", "5"}, {"b", " Y ", "6"},
  };
  // Sections in first-use order, with their first spelling; a new key at the
  // end of its section; a repeated key (any case) takes the new value.
  EXPECT_EQ(Compose(entries), "[A]\r\nx=4\r\nz=3\r\ny=5\r\n[B]\r\ny=6\r\n");
}

}  // namespace
