#pragma once
// Small helpers for the rendering tests: items, documents and pixel checks.

#include <algorithm>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "document/Colour.h"
#include "document/Document.h"
#include "persist/DocumentFile.h"
#include "render/Image.h"

namespace twk::test {

// Largest channel difference of the premultiplied pixels; -1 for a size mismatch.
inline int MaxDifference(const Image& a, const Image& b) {
  if (a.width() != b.width() || a.height() != b.height()) return -1;
  int worst = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* p = a.data() + std::size_t(y) * a.stride();
    const auto* q = b.data() + std::size_t(y) * b.stride();
    for (int x = 0; x < a.width() * 4; ++x) worst = std::max(worst, std::abs(int(p[x]) - int(q[x])));
  }
  return worst;
}

// The canvas blends the kept pictures of the items in front of the
// selection where a full redraw paints those items: the two may round
// apart by 1 in any channel. Whether two premultiplied pictures of w x h
// pixels are that close.
inline bool WithinLayerRounding(const std::uint8_t* a, int strideA, const std::uint8_t* b, int strideB, int w, int h) {
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w * 4; ++x) {
      if (std::abs(int(a[y * strideA + x]) - int(b[y * strideB + x])) > 1) return false;
    }
  }
  return true;
}

inline bool WithinLayerRounding(const Image& a, const Image& b) {
  return a.width() == b.width() && a.height() == b.height() &&
         WithinLayerRounding(a.data(), a.stride(), b.data(), b.stride(), a.width(), a.height());
}

// One of the standard icons of the repository (icon-10, icon-100, ...).
inline TWKFILE StandardDocument(int count) {
  TWKFILE doc;
  const std::string path = std::string(TARNWICK_BENCH_DATA_DIR) + "/icon-" + std::to_string(count) + ".twk";
  EXPECT_EQ(LoadDocumentFile(path, doc, LoadAccess::kShared), ResultCode::kOk) << path;
  return doc;
}

inline TWKDATA MakeItem(int type, float x1, float y1, float x4, float y4, std::int32_t rgba = PackRGBA(0, 0, 0, 255),
                        float width = 1.0f) {
  TWKDATA it;
  it.Type = static_cast<std::uint8_t>(type);
  it.DrawWidth = width;
  it.DrawRGBA = rgba;
  it.Visible = 1;
  it.X1 = x1, it.Y1 = y1, it.X4 = x4, it.Y4 = y4;
  return it;
}

inline TWKDATA MakeEllipse(float cx, float cy, float rx, float ry, float start, float end) {
  TWKDATA it = MakeItem(3, cx, cy, cx + rx, cy + ry);
  it.X2 = start, it.Y2 = end;
  return it;
}

inline TWKFILE DocumentOf(std::initializer_list<TWKDATA> items) {
  TWKFILE doc;
  for (const TWKDATA& it : items) doc.CData.append(it);
  return doc;
}

inline bool Painted(const Image& image, int x, int y) { return image.PixelAt(x, y).a > 127; }
inline bool Clear(const Image& image, int x, int y) { return image.PixelAt(x, y).a == 0; }

inline int CountPainted(const Image& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.PixelAt(x, y).a > 0;
  return n;
}

inline bool SamePixels(const Image& a, const Image& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (!(a.PixelAt(x, y) == b.PixelAt(x, y))) return false;
  return true;
}

inline int ChannelDistance(const Rgba& a, const Rgba& b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b), std::abs(a.a - b.a)});
}

}  // namespace twk::test
