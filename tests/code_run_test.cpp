#include "code_run.hpp"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

// A run read byte by byte: codes at the even bytes, blanks at the odd ones.
bool referenceRun(const char* bytes, std::uint32_t pairs[kRunPairs]) {
  for (std::size_t byte = 0; byte < kRunBytes; ++byte) {
    const unsigned char value = static_cast<unsigned char>(bytes[byte]);
    if (byte % 2 == 1 ? value != ' ' : value < '0' || value > '5') return false;
  }
  for (std::size_t pair = 0; pair < kRunPairs; ++pair) {
    pairs[pair] = static_cast<std::uint32_t>(6 * (bytes[4 * pair] - '0') +
                                             (bytes[4 * pair + 2] - '0'));
  }
  return true;
}

// Each decoder against the byte-by-byte reading; the pairs only count when
// the bytes are a run.
void expectDecodersAgree(const std::string& bytes) {
  ASSERT_EQ(kRunBytes, bytes.size());
  std::uint32_t expected[kRunPairs], portable[kRunPairs];
  const bool isRun = referenceRun(bytes.data(), expected);
  ASSERT_EQ(isRun, decodeCodeRunPortable(bytes.data(), portable)) << bytes;
#if defined(__SSE2__)
  std::uint32_t sse2[kRunPairs];
  ASSERT_EQ(isRun, decodeCodeRunSse2(bytes.data(), sse2)) << bytes;
#endif
  if (!isRun) return;
  for (std::size_t pair = 0; pair < kRunPairs; ++pair) {
    ASSERT_EQ(expected[pair], portable[pair]) << bytes << " pair " << pair;
#if defined(__SSE2__)
    ASSERT_EQ(expected[pair], sse2[pair]) << bytes << " pair " << pair;
#endif
  }
}

TEST(CodeRun, EveryValueOfEveryByteOfARun) {
  const std::string run = "0 1 2 3 4 5 5 4 3 2 1 0 2 5 0 3 ";
  for (std::size_t byte = 0; byte < kRunBytes; ++byte) {
    for (int value = 0; value < 256; ++value) {
      std::string bytes = run;
      bytes[byte] = static_cast<char>(value);
      SCOPED_TRACE(std::to_string(byte) + ": " + std::to_string(value));
      expectDecodersAgree(bytes);
    }
  }
}

// Runs of random codes give every pair at every place; random bytes from
// the alphabet of a moves line give near misses.
TEST(CodeRun, RandomRunsAndNearMisses) {
  std::mt19937_64 random(15);
  static const char kNear[] = "0123456789 \t\r\n+-/:\x80\xb0\xff";
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    for (std::size_t token = 0; token < kRunCodes; ++token) {
      bytes += static_cast<char>('0' + random() % 6);
      bytes += ' ';
    }
    if (round % 2 == 1) {
      for (int changes = 1 + static_cast<int>(random() % 3); changes > 0; --changes) {
        bytes[random() % kRunBytes] = kNear[random() % (sizeof kNear - 1)];
      }
    }
    expectDecodersAgree(bytes);
  }
}

}  // namespace
