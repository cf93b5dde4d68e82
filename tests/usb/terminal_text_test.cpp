// vantrel-cli's text output on a terminal: what the printer sends cannot
// drive it, and the text is in the locale's character set.
#include <gtest/gtest.h>

#include <iconv.h>

#include <string>

#include "sim/tarnlow_printer.h"
#include "tests/usb/cli_process.h"
#include "tests/usb/test_bus.h"

namespace {

std::string FromKoi8r(const std::string& bytes) {
  iconv_t converter = iconv_open("UTF-8", "KOI8-R");
  std::string out(bytes.size() * 4, '\0');
  char* in = const_cast<char*>(bytes.data());
  char* next = out.data();
  std::size_t inLeft = bytes.size(), room = out.size();
  const bool converted = iconv(converter, &in, &inLeft, &next, &room) != std::size_t(-1);
  iconv_close(converter);
  out.resize(out.size() - room);
  return converted ? out : "(not KOI8-R)";
}

TEST(TerminalTextTest, ShowsThePrintersControlBytesEscapedInTheLocalesCharacterSet) {
  TarnlowPrinter printer;
  printer.LoadDemoState();
  // A serial number that would set the terminal's title, clear the screen
  // and ring the bell, with a byte that is no UTF-8, a C1 control and a
  // Chinese character (16 bytes: a page line holds 31).
  printer.SetPageValue("MACHINESERIAL", "\x1b]0;X\x07\x1b[2J\xff\xc2\x9b\xe4\xb8\x96");
  const int device = TestBus().PlugIn(&printer);
  ASSERT_TRUE(WaitForPrinters(1));

  const CliRun english = RunCli({"config"}, {"LC_ALL=C"});
  EXPECT_EQ(english.status, 0) << english.err;
  EXPECT_NE(english.out.find("\\x1b]0;X\\x07\\x1b[2J\\xff\\u009b\xe4\xb8\x96\n"), std::string::npos)
      << english.out;
  EXPECT_EQ(english.out.find('\x1b'), std::string::npos);
  // JSON escapes by its own rules.
  const CliRun json = RunCli({"config", "--format", "json"}, {"LC_ALL=C"});
  EXPECT_NE(json.out.find(R"("serial": "\u001b]0;X\u0007\u001b[2J)"), std::string::npos)
      << json.out;

  // Russian under a KOI8-R locale: the same lines as under UTF-8, in KOI8-R;
  // the Chinese character in the serial has no place there.
  const CliRun utf8 = RunCli({"config"}, {"LC_ALL=ru_RU.UTF-8"});
  const CliRun koi8r = RunCli({"config"}, {"LC_ALL=ru_RU.KOI8-R"});
  EXPECT_EQ(koi8r.status, 0) << koi8r.err;
  std::string expected = utf8.out;
  expected.replace(expected.find("\xe4\xb8\x96"), 3, "?");
  EXPECT_EQ(FromKoi8r(koi8r.out), expected);
  EXPECT_NE(utf8.out.find("\xd0"), std::string::npos) << "Cyrillic letters in the output";

  TestBus().Unplug(device);
  EXPECT_TRUE(WaitForPrinters(0));
}

}  // namespace
