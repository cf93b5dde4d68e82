// The one reading of UTF-8 that the JSON, the metrics, the terminal and the
// Windows export rest on: where a character ends and where the bytes that
// are none do.
#include <gtest/gtest.h>

#include <string_view>

#include "common/utf8.h"

namespace {

TEST(Utf8Test, ReadsEachLengthUpToTheLastCodePoint) {
  struct Case {
    std::string_view bytes;
    char32_t code;
  };
  for (const Case& c : {Case{"A", U'A'}, Case{"\xC2\x80", 0x80}, Case{"\xDF\xBF", 0x7FF},
                        Case{"\xE0\xA0\x80", 0x800}, Case{"\xEF\xBF\xBD", 0xFFFD},
                        Case{"\xF0\x90\x80\x80", 0x10000}, Case{"\xF4\x8F\xBF\xBF", 0x10FFFF}}) {
    const Utf8Sequence sequence = DecodeUtf8(c.bytes, 0);
    EXPECT_TRUE(sequence.wellFormed) << c.bytes;
    EXPECT_EQ(sequence.length, c.bytes.size()) << c.bytes;
    EXPECT_EQ(sequence.code, c.code) << c.bytes;
  }
}

// Each ill-formed sequence ends where a well-formed one could no longer go
// on, so that the bytes after it are read afresh.
TEST(Utf8Test, EndsAnIllFormedSequenceAtItsMaximalSubpart) {
  struct Case {
    std::string_view bytes;
    std::size_t length;
  };
  for (const Case& c :
       {Case{"\x80", 1}, Case{"\xC0\xAF", 1}, Case{"\xC1\xBF", 1}, Case{"\xE0\x9F\xBF", 1},
        Case{"\xED\xA0\x80", 1}, Case{"\xF0\x8F\xBF\xBF", 1}, Case{"\xF4\x90\x80\x80", 1},
        Case{"\xF5\x80\x80\x80", 1}, Case{"\xFF", 1}, Case{"\xE4\xB8", 2},
        Case{"\xE4\xB8"
             "A",
             2},
        Case{"\xF0\x9F\x98"
             "A",
             3},
        Case{"\xC3"
             "A",
             1}}) {
    const Utf8Sequence sequence = DecodeUtf8(c.bytes, 0);
    EXPECT_FALSE(sequence.wellFormed) << c.bytes;
    EXPECT_EQ(sequence.length, c.length) << c.bytes;
  }
}

TEST(Utf8Test, ReadsFromTheGivenOffset) {
  const Utf8Sequence sequence = DecodeUtf8("ab\xE4\xB8\x96", 2);
  EXPECT_TRUE(sequence.wellFormed);
  EXPECT_EQ(sequence.length, 3U);
  EXPECT_EQ(sequence.code, char32_t(0x4E16));
}

}  // namespace
