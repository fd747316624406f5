// Runs of move codes: the shape nearly every byte of a long moves line has,
// sixteen codes 0 to 5 each written as one digit and ended by one blank
// ("0 3 5 1 ... "), recognised 32 bytes at a time. Reading such a line token
// by token costs most of a long walk's time; a run is checked with a few
// vector instructions instead, and its codes come out in pairs, which is the
// form the walk's four-move table (see quad_grid.hpp) looks them up in.
//
// Contract:
//  - decodeCodeRun() looks at exactly kRunBytes bytes. It returns true when
//    they are kRunCodes pairs of a digit '0' to '5' and a ' ', and then
//    stores in pairs[k] (k < kRunPairs) 6 * (code 2k) + (code 2k + 1), each
//    0 to 35. Otherwise it returns false and the pairs are unspecified.
//    That the byte before the run ends a token is the caller's to know.
//  - decodeCodeRunPortable() does the same with 64-bit integer arithmetic,
//    for machines without SSE2; decodeCodeRunSse2() exists where SSE2 does,
//    and decodeCodeRun() is the faster of the two. The tests hold both to a
//    byte-by-byte reading.

#ifndef TESMO_CODE_RUN_HPP
#define TESMO_CODE_RUN_HPP

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

constexpr std::size_t kRunCodes = 16;
constexpr std::size_t kRunBytes = 2 * kRunCodes;
constexpr std::size_t kRunPairs = kRunCodes / 2;

// Eight bytes, "c c c c ", at a time: the xor turns the digits into their
// values and the blanks into 0, then adding 0x7A to a byte below 0x80 sets
// its top bit when it is 6 or more, adding 0x7F when it is 1 or more.
inline bool decodeCodeRunPortable(const char* bytes, std::uint32_t pairs[kRunPairs]) {
  std::uint64_t tooBig = 0;
  for (std::size_t word = 0; word < kRunBytes / 8; ++word) {
    std::uint64_t data;
    std::memcpy(&data, bytes + 8 * word, sizeof data);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    data = __builtin_bswap64(data);  // the first byte in the low byte
#endif
    const std::uint64_t values = data ^ 0x2030203020302030;
    tooBig |= (values + 0x7F7A7F7A7F7A7F7A) | values;
    for (std::size_t pair = 0; pair < 2; ++pair) {
      const std::uint64_t first = (values >> (32 * pair)) & 0xFF;
      const std::uint64_t second = (values >> (32 * pair + 16)) & 0xFF;
      pairs[2 * word + pair] = static_cast<std::uint32_t>(6 * first + second);
    }
  }
  return (tooBig & 0x8080808080808080) == 0;
}

#if defined(__SSE2__)
// Sixteen bytes at a time: after the xor a byte must not exceed its limit,
// 5 for a digit and 0 for a blank; the unsigned minimum equals the byte
// exactly when it does. Each 16-bit lane then holds one code, and one
// multiply-add of neighbouring lanes by 6 and 1 makes the pairs.
inline bool decodeCodeRunSse2(const char* bytes, std::uint32_t pairs[kRunPairs]) {
  const __m128i pattern = _mm_set1_epi16(0x2030);
  const __m128i limit = _mm_set1_epi16(0x0005);
  const __m128i weights = _mm_set1_epi32(0x00010006);
  const __m128i low = _mm_xor_si128(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes)), pattern);
  const __m128i high = _mm_xor_si128(
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16)), pattern);
  const __m128i fits =
      _mm_and_si128(_mm_cmpeq_epi8(_mm_min_epu8(low, limit), low),
                    _mm_cmpeq_epi8(_mm_min_epu8(high, limit), high));
  if (_mm_movemask_epi8(fits) != 0xFFFF) return false;
  _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs), _mm_madd_epi16(low, weights));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs + 4), _mm_madd_epi16(high, weights));
  return true;
}
#endif

inline bool decodeCodeRun(const char* bytes, std::uint32_t pairs[kRunPairs]) {
#if defined(__SSE2__)
  return decodeCodeRunSse2(bytes, pairs);
#else
  return decodeCodeRunPortable(bytes, pairs);
#endif
}

#endif  // TESMO_CODE_RUN_HPP
