// What a copy of items offers other programs: the items' text, and the SVG
// and PNG of a document holding only those items, as the exports write them
// at 256 pixels.
#include <gtest/gtest.h>

#include "export/ItemClipboardData.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"
#include "persist/ItemClipboard.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

TWKFILE TwoChosenItems() {
  TWKFILE picked;
  picked.TWKW = 10;
  picked.TWKH = 12;
  TWKDATA frame;
  frame.Type = kRect;
  frame.DrawWidth = 1;
  frame.DrawRGBA = -16776961;
  frame.Visible = 1;
  frame.X1 = 2.5f;
  frame.Y1 = 2.5f;
  frame.X4 = 13.5f;
  frame.Y4 = 9.5f;
  TWKDATA badge = frame;
  badge.Type = kEllipse;
  badge.DrawMethod = kFill;
  badge.DrawRGBA = static_cast<std::int32_t>(0x80FF8000u);
  badge.X1 = 12;
  badge.Y1 = 4;
  badge.X4 = 15;
  badge.Y4 = 6;
  picked.CData.append(badge);
  picked.CData.append(frame);
  return picked;
}

TEST(ItemClipboardDataTest, OffersTheItemsTextAndTheExportedPictures) {
  const TWKFILE picked = TwoChosenItems();
  testing::ScratchFolder folder;
  ASSERT_TRUE(testing::WritePngFile(picked, folder / "items.png", 16));
  const std::vector<unsigned char> png = testing::FileBytes(folder / "items.png");
  ASSERT_EQ(testing::ReadPngFile(folder / "items.png").width, 256);

  const std::vector<ClipboardEntry> expected = {
      {"application/x-tarnwick-items", ItemsToClipboardText(picked)},
      {"image/svg+xml", DocumentToSvg(picked, 256)},
      {"image/png", std::string(png.begin(), png.end())},
  };
  EXPECT_EQ(ItemClipboardData(picked), expected);
}

}  // namespace
}  // namespace twk
