#include "render/SolidOver.h"

#include <algorithm>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace twk {

namespace {

// cairo keeps a colour channel as 16 bits (the nearest of 0..65535, the
// colour premultiplied first) and hands pixman its high byte.
std::uint32_t Channel(double value) {
  const double clamped = std::clamp(value, 0.0, 1.0);
  return static_cast<std::uint32_t>(static_cast<std::uint16_t>(clamped * 65535.0 + 0.5)) >> 8;
}

// Two channels at once (bits 0-7 and 16-23) times an 8-bit factor, each
// divided by 255 with pixman's rounding.
constexpr std::uint32_t kRedBlue = 0x00FF00FFu;
std::uint32_t MulPair(std::uint32_t pair, std::uint32_t factor) {
  std::uint32_t t = (pair & kRedBlue) * factor + 0x00800080u;
  return ((t + ((t >> 8) & kRedBlue)) >> 8) & kRedBlue;
}

// Two channel pairs added, each channel saturating at 255.
std::uint32_t AddPair(std::uint32_t a, std::uint32_t b) {
  std::uint32_t t = a + b;
  t |= 0x01000100u - ((t >> 8) & kRedBlue);
  return t & kRedBlue;
}

std::uint32_t Mul4(std::uint32_t pixel, std::uint32_t factor) {
  return MulPair(pixel, factor) | MulPair(pixel >> 8, factor) << 8;
}

// (src x m) over dst.
std::uint32_t Over(std::uint32_t src, std::uint32_t dst, std::uint32_t m) {
  const std::uint32_t s = Mul4(src, m);
  const std::uint32_t keep = 255 - (s >> 24);
  const std::uint32_t low = AddPair(MulPair(dst, keep), s & kRedBlue);
  const std::uint32_t high = AddPair(MulPair(dst >> 8, keep), (s >> 8) & kRedBlue);
  return low | high << 8;
}

#if defined(__SSE2__)
// The same for four pixels at once, channels widened to 16 bits; a x b
// rounds as (a*b + 128) * 257 >> 16, which equals the pair form above.
struct Wide {
  __m128i lo, hi;  // pixels 0-1 and 2-3
};

[[gnu::always_inline]] inline __m128i Mul16(__m128i a, __m128i b) {
  return _mm_mulhi_epu16(_mm_add_epi16(_mm_mullo_epi16(a, b), _mm_set1_epi16(0x80)), _mm_set1_epi16(0x101));
}

[[gnu::always_inline]] inline __m128i AlphaLanes(__m128i pixels) {
  return _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels, 0xFF), 0xFF);
}

// Four pixels under four coverage bytes; `solidKeep` is the solid colour's
// own "keep" factor (255 - alpha), for pixels under full coverage.
[[gnu::always_inline]] inline void Over4(std::uint32_t* pixels, std::uint32_t coverage, __m128i solid,
                                         __m128i solidKeep) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels));
  __m128i out;
  if (coverage == 0xFFFFFFFFu) {
    const __m128i packed = _mm_packus_epi16(solid, solid);
    const __m128i kept = _mm_packus_epi16(Mul16(_mm_unpacklo_epi8(d, zero), solidKeep),
                                          Mul16(_mm_unpackhi_epi8(d, zero), solidKeep));
    out = _mm_adds_epu8(packed, kept);
  } else {
    __m128i m = _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(coverage)), zero);
    m = _mm_unpacklo_epi16(m, m);
    const Wide cover{_mm_unpacklo_epi32(m, m), _mm_unpackhi_epi32(m, m)};
    const Wide s{Mul16(solid, cover.lo), Mul16(solid, cover.hi)};
    const __m128i ff = _mm_set1_epi16(0xFF);
    const Wide keep{_mm_xor_si128(AlphaLanes(s.lo), ff), _mm_xor_si128(AlphaLanes(s.hi), ff)};
    const Wide kept{Mul16(_mm_unpacklo_epi8(d, zero), keep.lo), Mul16(_mm_unpackhi_epi8(d, zero), keep.hi)};
    out = _mm_adds_epu8(_mm_packus_epi16(s.lo, s.hi), _mm_packus_epi16(kept.lo, kept.hi));
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(pixels), out);
}
#endif

}  // namespace

std::uint32_t SolidPixel(double r, double g, double b, double a) {
  const double alpha = std::clamp(a, 0.0, 1.0);
  return Channel(alpha) << 24 | Channel(r * alpha) << 16 | Channel(g * alpha) << 8 | Channel(b * alpha);
}

void LaySolidRun(std::uint32_t* pixels, std::uint8_t* coverage, int first, int end, std::uint32_t solid) {
  int x = first;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i wide = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(solid)), zero);
  const __m128i wideKeep = _mm_xor_si128(AlphaLanes(wide), _mm_set1_epi16(0xFF));
  // Sixteen bytes of coverage at a time: an empty stretch costs one test.
  for (; x + 16 <= end; x += 16) {
    auto* chunk = reinterpret_cast<__m128i*>(coverage + x);
    const __m128i m = _mm_loadu_si128(chunk);
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(m, zero)) == 0xFFFF) continue;
    for (int group = 0; group < 16; group += 4) {
      std::uint32_t four;
      std::memcpy(&four, coverage + x + group, sizeof four);
      if (four != 0) Over4(pixels + x + group, four, wide, wideKeep);
    }
    _mm_storeu_si128(chunk, zero);
  }
  for (; x + 4 <= end; x += 4) {
    std::uint32_t four;
    std::memcpy(&four, coverage + x, sizeof four);
    if (four == 0) continue;
    Over4(pixels + x, four, wide, wideKeep);
    std::memset(coverage + x, 0, sizeof four);
  }
#endif
  for (; x < end; ++x) {
    const std::uint32_t m = coverage[x];
    if (m == 0) continue;
    pixels[x] = Over(solid, pixels[x], m);
    coverage[x] = 0;
  }
}

}  // namespace twk
