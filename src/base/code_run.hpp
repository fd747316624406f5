// Runs of move codes: the shape nearly every byte of a long moves line has,
// sixteen codes 0 to 5 each written as one digit and ended by one blank
// ("0 3 5 1 ... "), recognised 32 bytes at a time. Reading such a line token
// by token costs most of a long walk's time; a run is checked with a few
// vector instructions instead, and its codes come out four at a time, which
// is the form the walk's four-move table (see quad_grid.hpp) looks them up
// in.
//
// Contract:
//  - decodeCodeRun() looks at exactly kRunBytes bytes. It returns true when
//    they are kRunCodes pairs of a digit '0' to '5' and a ' ', and then
//    stores in quads[k] (k < kRunQuads) the codes 4k to 4k + 3 as one number
//    in base 6, the first code the most significant: 0 to 1295. Otherwise it
//    returns false and the quads are unspecified.
//    That the byte before the run ends a token is the caller's to know.
//  - decodeCodeRunPortable() does the same with 64-bit integer arithmetic,
//    for machines without SSE2; decodeCodeRunSse2() exists where SSE2 does,
//    and decodeCodeRun() is the faster of the two. The tests hold both to a
//    byte-by-byte reading.

#ifndef TESMO_BASE_CODE_RUN_HPP
#define TESMO_BASE_CODE_RUN_HPP

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tesmo {

constexpr std::size_t kRunCodes = 16;
constexpr std::size_t kRunBytes = 2 * kRunCodes;
constexpr std::size_t kRunQuads = kRunCodes / 4;
constexpr std::uint32_t kQuadCount = 6 * 6 * 6 * 6;  // four codes in base 6

// Eight bytes, "c c c c ", at a time: the xor turns the digits into their
// values and the blanks into 0, then adding 0x7A to a byte below 0x80 sets
// its top bit when it is 6 or more, adding 0x7F when it is 1 or more.
inline bool decodeCodeRunPortable(const char* bytes, std::uint32_t quads[kRunQuads]) {
  std::uint64_t tooBig = 0;
  for (std::size_t word = 0; word < kRunBytes / 8; ++word) {
    std::uint64_t data;
    std::memcpy(&data, bytes + 8 * word, sizeof data);
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    data = __builtin_bswap64(data);  // the first byte in the low byte
#endif
    const std::uint64_t values = data ^ 0x2030203020302030;
    tooBig |= (values + 0x7F7A7F7A7F7A7F7A) | values;
    std::uint32_t quad = 0;
    for (std::size_t code = 0; code < 4; ++code) {
      quad = 6 * quad + static_cast<std::uint32_t>((values >> (16 * code)) & 0xFF);
    }
    quads[word] = quad;
  }
  return (tooBig & 0x8080808080808080) == 0;
}

#if defined(__SSE2__)
// Sixteen bytes at a time: after the xor a byte must not exceed its limit,
// 5 for a digit and 0 for a blank; the unsigned minimum equals the byte
// exactly when it does. Each 16-bit lane then holds one code; a
// multiply-add of neighbouring lanes by 6 and 1 makes pairs, and after
// packing them into 16-bit lanes another by 36 and 1 makes the quads.
inline bool decodeCodeRunSse2(const char* bytes, std::uint32_t quads[kRunQuads]) {
  const __m128i pattern = _mm_set1_epi16(0x2030);
  const __m128i limit = _mm_set1_epi16(0x0005);
  const __m128i low =
      _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes)), pattern);
  const __m128i high =
      _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + 16)), pattern);
  const __m128i fits = _mm_and_si128(_mm_cmpeq_epi8(_mm_min_epu8(low, limit), low),
                                     _mm_cmpeq_epi8(_mm_min_epu8(high, limit), high));
  if (_mm_movemask_epi8(fits) != 0xFFFF) return false;
  const __m128i byPairs = _mm_set1_epi32(0x00010006);
  const __m128i pairs =
      _mm_packs_epi32(_mm_madd_epi16(low, byPairs), _mm_madd_epi16(high, byPairs));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(quads),
                   _mm_madd_epi16(pairs, _mm_set1_epi32(0x00010024)));
  return true;
}
#endif

inline bool decodeCodeRun(const char* bytes, std::uint32_t quads[kRunQuads]) {
#if defined(__SSE2__)
  return decodeCodeRunSse2(bytes, quads);
#else
  return decodeCodeRunPortable(bytes, quads);
#endif
}

}  // namespace tesmo

#endif  // TESMO_BASE_CODE_RUN_HPP
