// The character counting every text service shares.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "platform/utf8.h"

namespace datewell {
namespace {

struct Utf8Row {
  const char* name;
  std::string text;
  std::size_t length;
  char32_t first;
  std::size_t first_size;
  friend void PrintTo(const Utf8Row& row, std::ostream* os) { *os << row.name; }
};

class Utf8Test : public ::testing::TestWithParam<Utf8Row> {};

TEST_P(Utf8Test, CountsAndDecodes) {
  const Utf8Row& row = GetParam();
  EXPECT_EQ(utf8::Length(row.text), row.length);
  const utf8::Decoded d = utf8::DecodeAt(row.text, 0);
  EXPECT_EQ(d.c, row.first);
  EXPECT_EQ(d.size, row.first_size);
  // The offset of the last character plus its size is the whole text.
  const std::size_t last = utf8::ByteOffset(row.text, row.length - 1);
  EXPECT_EQ(last + utf8::DecodeAt(row.text, last).size, row.text.size());
  EXPECT_EQ(utf8::ByteOffset(row.text, row.length + 3), row.text.size());
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8Test,
    ::testing::Values(Utf8Row{"ascii", "abc", 3, U'a', 1},
                      Utf8Row{"two_bytes", "\xC3\xA4x", 2, U'ä', 2},
                      Utf8Row{"three_bytes", "\xE6\x9C\x88", 1, U'月', 3},
                      Utf8Row{"four_bytes", "\xF0\x9F\x98\x80!", 2, U'\U0001F600', 4},
                      Utf8Row{"nul", std::string("\0a", 2), 2, U'\0', 1},
                      Utf8Row{"lone_continuation",
                              "\x80"
                              "a",
                              2, utf8::kReplacement, 1},
                      Utf8Row{"overlong_slash", "\xC0\xAF", 2, utf8::kReplacement, 1},
                      Utf8Row{"overlong_three", "\xE0\x80\xAF", 3, utf8::kReplacement, 1},
                      Utf8Row{"surrogate", "\xED\xA0\x80", 3, utf8::kReplacement, 1},
                      Utf8Row{"beyond_max", "\xF4\x90\x80\x80", 4, utf8::kReplacement, 1},
                      Utf8Row{"truncated", "\xE6\x9C", 2, utf8::kReplacement, 1},
                      Utf8Row{"bad_continuation",
                              "\xE6"
                              "ab",
                              3, utf8::kReplacement, 1},
                      Utf8Row{"byte_ff", "\xFF", 1, utf8::kReplacement, 1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace datewell
