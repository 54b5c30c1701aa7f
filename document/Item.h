#pragma once
// One drawing item of a document, with the fields in the order the document
// file stores them. `Name` is the free name the file stores as "Name".

#include <cstdint>
#include <string>

namespace twk {

// Item kinds (TWKDATA::Type).
enum ItemType : std::uint8_t { kLine = 0, kCurve = 1, kRect = 2, kEllipse = 3 };
// Paint methods (TWKDATA::DrawMethod).
enum DrawMethodCode : std::uint8_t { kSolid = 0, kFill = 1, kDots = 2 };
// End styles (TWKDATA::DrawMethod2).
enum EndStyleCode : std::uint8_t { kSquareEnds = 0, kCenterEnds = 1, kRoundEnds = 2 };

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

  bool operator==(const TWKDATA&) const = default;
};

}  // namespace twk
