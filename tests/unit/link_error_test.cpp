// Every kind of failure on the link, as the window and the command line
// tell it: the window's message box, the command line's exit status and
// words, with the system's own text where there is one.
#include <gtest/gtest.h>

#include <string>

#include "cli/printer_session.h"
#include "common/string_table.h"
#include "device/link_error.h"
#include "page_helpers/link_session.h"
#include "string_ids.h"

namespace {

struct Row {
  LinkError error;
  int windowText;
  ExitStatus status;
  std::string words;  // the command line's
};

const std::string kOs = "LIBUSB_ERROR_IO: Input/Output Error";

TEST(LinkErrorTest, EachKindReachesTheWindowAndTheCommandLine) {
  using K = LinkErrorKind;
  const LinkStep open = LinkStep::Open, request = LinkStep::Request;
  const Row rows[] = {
      {{K::NoDevice, open, 0, 0, ""}, kTextOpenUsbFailed, kExitNoPrinter, "no printer found"},
      {{K::AccessDenied, open, 0, -3, "LIBUSB_ERROR_ACCESS: Access denied"},
       kTextOpenUsbFailed,
       kExitNoAccess,
       "the printer is there, but this user may not open it."},
      {{K::Busy, open, 0, -6, "LIBUSB_ERROR_BUSY: Resource busy"},
       kTextOpenUsbFailed,
       kExitNoPrinter,
       "the printer could not be opened: LIBUSB_ERROR_BUSY: Resource busy"},
      {{K::Io, open, 0, -1, kOs},
       kTextOpenUsbFailed,
       kExitNoPrinter,
       "the printer could not be opened: " + kOs},
      {{K::NoDevice, request, 9, -4,
        "LIBUSB_ERROR_NO_DEVICE: No such device (it may have been "
        "disconnected)"},
       kTextSendFailed,
       kExitNoPrinter,
       "the printer went away (LIBUSB_ERROR_NO_DEVICE: No such device (it may have been "
       "disconnected))"},
      {{K::TimedOut, request, 9, -7, ""},
       kTextSendFailed,
       kExitNoPrinter,
       "the printer did not answer"},
      {{K::TooSlow, request, 9, 0, ""},
       kTextSendFailed,
       kExitNoPrinter,
       "the printer did not answer in time"},
      {{K::Refused, request, 20, -9, "LIBUSB_ERROR_PIPE: Pipe error"},
       kTextSendFailed,
       kExitNoPrinter,
       "the printer refused request 20 (LIBUSB_ERROR_PIPE: Pipe error)"},
      {{K::ShortReply, request, 22, 0, "2 of 4 bytes"},
       kTextSendFailed,
       kExitNoPrinter,
       "the printer's reply to request 22 was too short (2 of 4 bytes)"},
      {{K::Io, request, 9, -1, kOs},
       kTextSendFailed,
       kExitNoPrinter,
       "the link to the printer failed at request 9 (" + kOs + ")"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.words);
    EXPECT_EQ(WindowMessageOf(row.error), row.windowText);
    const CliFailure failure = CliFailureOf(row.error);
    EXPECT_EQ(failure.status(), row.status);
    EXPECT_EQ(std::string(failure.what()).substr(0, row.words.size()), row.words);
  }

  // A page of another kind is the printer's refusal, not the link's.
  InfoPageRead foreign;
  foreign.received = true;
  foreign.compatible = false;
  EXPECT_EQ(WindowMessageOf(foreign), kTextNotCompatible);
  EXPECT_EQ(WindowMessageOf(InfoPageRead{}), 0);

  // A chosen printer is named.
  const CliFailure denied =
      CliFailureOf({K::AccessDenied, open, 0, 0, ""}, "the printer at 1:2 (TL5C0042817)");
  EXPECT_EQ(std::string(denied.what()).rfind("the printer at 1:2 (TL5C0042817) is there", 0), 0u);
  const CliFailure gone =
      CliFailureOf({K::NoDevice, open, 0, 0, "another device is at 1:2"}, "the printer at 1:2");
  EXPECT_STREQ(gone.what(), "the printer at 1:2 could not be opened: another device is at 1:2");
}

}  // namespace
