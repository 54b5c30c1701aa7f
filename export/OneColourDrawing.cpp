#include "export/OneColourDrawing.h"

#include "document/Colour.h"

namespace twk {

TWKFILE OneColourDrawing(const TWKFILE& doc, std::int32_t colour) {
  TWKFILE one = doc;
  for (int i = 0; i < one.CData.size(); ++i) {
    TWKDATA& item = *one.CData.at(i);
    item.DrawRGBA = WithAlpha(colour, AlphaOf(item.DrawRGBA) == 0 ? 0 : 255);
  }
  return one;
}

}  // namespace twk
