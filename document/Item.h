#pragma once
// One drawing item of a document, with the fields in the order the document
// file stores them. `Name` is the free name the file stores as "Name".

#include <atomic>
#include <cstdint>
#include <string>

namespace twk {

// Item kinds (TWKDATA::Type).
enum ItemType : std::uint8_t { kLine = 0, kCurve = 1, kRect = 2, kEllipse = 3 };
// Paint methods (TWKDATA::DrawMethod).
enum DrawMethodCode : std::uint8_t { kSolid = 0, kFill = 1, kDots = 2 };
// End styles (TWKDATA::DrawMethod2).
enum EndStyleCode : std::uint8_t { kSquareEnds = 0, kCenterEnds = 1, kRoundEnds = 2 };

// A revision number no item state has had before in this run.
inline std::uint64_t NewRevision() {
  static std::atomic<std::uint64_t> next{1};
  return next.fetch_add(1, std::memory_order_relaxed);
}

struct TWKDATA {
  std::string Name;
  std::uint8_t Type = 0;
  std::uint8_t DrawMethod = 0;
  std::uint8_t DrawMethod2 = 0;
  float DrawWidth = 0;
  float DrawAngle = 0;
  std::int32_t DrawRGBA = 0;
  std::uint8_t Visible = 0;
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;

  // Tells item states apart for views that keep pictures of items: a new
  // item gets a fresh number, a copy keeps its source's (same fields, same
  // pixels), and whoever changes a field it paints from, visibility included,
  // of an item that views may have seen calls Touch. Never stored in files
  // and not part of ==.
  std::uint64_t Revision = NewRevision();

  bool operator==(const TWKDATA& o) const {
    return Name == o.Name && Type == o.Type && DrawMethod == o.DrawMethod && DrawMethod2 == o.DrawMethod2 &&
           DrawWidth == o.DrawWidth && DrawAngle == o.DrawAngle && DrawRGBA == o.DrawRGBA && Visible == o.Visible &&
           X1 == o.X1 && Y1 == o.Y1 && X2 == o.X2 && Y2 == o.Y2 && X3 == o.X3 && Y3 == o.Y3 && X4 == o.X4 && Y4 == o.Y4;
  }
};

// The item's fields changed: it takes a fresh revision.
inline void Touch(TWKDATA& item) { item.Revision = NewRevision(); }

}  // namespace twk
