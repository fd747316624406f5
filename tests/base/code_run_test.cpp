#include "base/code_run.hpp"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace tesmo {

namespace {

// A run read byte by byte: codes at the even bytes, blanks at the odd ones.
bool referenceRun(const char* bytes, std::uint32_t quads[kRunQuads]) {
  for (std::size_t byte = 0; byte < kRunBytes; ++byte) {
    const unsigned char value = static_cast<unsigned char>(bytes[byte]);
    if (byte % 2 == 1 ? value != ' ' : value < '0' || value > '5') return false;
  }
  for (std::size_t quad = 0; quad < kRunQuads; ++quad) {
    quads[quad] = 0;
    for (std::size_t code = 0; code < 4; ++code) {
      quads[quad] = 6 * quads[quad] + static_cast<std::uint32_t>(bytes[8 * quad + 2 * code] - '0');
    }
  }
  return true;
}

// Each decoder against the byte-by-byte reading; the quads only count when
// the bytes are a run.
void expectDecodersAgree(const std::string& bytes) {
  ASSERT_EQ(kRunBytes, bytes.size());
  std::uint32_t expected[kRunQuads], portable[kRunQuads];
  const bool isRun = referenceRun(bytes.data(), expected);
  ASSERT_EQ(isRun, decodeCodeRunPortable(bytes.data(), portable)) << bytes;
#if defined(__SSE2__)
  std::uint32_t sse2[kRunQuads];
  ASSERT_EQ(isRun, decodeCodeRunSse2(bytes.data(), sse2)) << bytes;
#endif
  if (!isRun) return;
  for (std::size_t quad = 0; quad < kRunQuads; ++quad) {
    ASSERT_EQ(expected[quad], portable[quad]) << bytes << " quad " << quad;
#if defined(__SSE2__)
    ASSERT_EQ(expected[quad], sse2[quad]) << bytes << " quad " << quad;
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

// Runs of random codes give many quads at every place, and the largest and
// smallest; random bytes from the alphabet of a moves line give near misses.
TEST(CodeRun, RandomRunsAndNearMisses) {
  std::mt19937_64 random(15);
  static const char kNear[] = "0123456789 \t\r\n+-/:\x80\xb0\xff";
  for (int round = 0; round < 20000; ++round) {
    std::string bytes;
    for (std::size_t token = 0; token < kRunCodes; ++token) {
      bytes += static_cast<char>(round == 0 ? '5' : round == 2 ? '0' : '0' + random() % 6);
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

}  // namespace tesmo
