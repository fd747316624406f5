// JSON that round-trips: every byte of a name comes back (invalid UTF-8 as
// lone surrogates, as Python's surrogateescape reads them), and no number
// a JavaScript reader would round is written as a number.

#include "base/quote.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace tesmo {
namespace {

std::string json(const std::string& text) {
  std::ostringstream out;
  writeJsonString(out, text);
  return out.str();
}

std::string json(std::uint64_t number) {
  std::ostringstream out;
  writeJsonNumber(out, number);
  return out.str();
}

TEST(Json, NamesKeepEveryByte) {
  const struct {
    std::string bytes, written;
  } cases[] = {
      {"bad\xff", "\"bad\\udcff\""},
      {"bad\xc3\xbf", "\"bad\xc3\xbf\""},                        // ÿ, valid UTF-8
      {"\xc0\x80", "\"\\udcc0\\udc80\""},                        // overlong
      {"\xe2\x82", "\"\\udce2\\udc82\""},                        // cut short
      {"\xed\xa0\x80", "\"\\udced\\udca0\\udc80\""},             // a surrogate
      {"\xf4\x90\x80\x80", "\"\\udcf4\\udc90\\udc80\\udc80\""},  // above U+10FFFF
      {"\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\""},              // U+1F600
      {"q\"b\\\x01\t\n", "\"q\\\"b\\\\\\u0001\\t\\n\""},
  };
  for (const auto& c : cases) EXPECT_EQ(c.written, json(c.bytes)) << c.bytes;
  EXPECT_NE(json("bad\xff"), json("bad\xc3\xbf"));
}

TEST(Json, NumbersAboveTwoToThe53AreStrings) {
  EXPECT_EQ("9007199254740991", json(kJsonExactNumbers));
  EXPECT_EQ("\"9007199254740992\"", json(kJsonExactNumbers + 1));
  EXPECT_EQ("\"18446744073709551615\"", json(~std::uint64_t{0}));
  EXPECT_EQ("0", json(std::uint64_t{0}));
}

}  // namespace
}  // namespace tesmo
