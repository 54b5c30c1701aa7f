// The SVG export drawn by an independent renderer (rsvg-convert) looks like
// the PNG export at the same size, item kind by item kind.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "document/Colour.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"
#include "persist/DocumentFile.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

using testing::ProbeItem;

using testing::ReadPng;
using testing::ReadPngFile;
using testing::ScratchFolder;
using testing::Difference;

// The SVG of `doc` at `pixels`, drawn by rsvg-convert, against the PNG export.
Difference SvgAgainstPng(const TWKFILE& doc, int pixels, const ScratchFolder& dir) {
  const std::string svg = dir / "doc.svg", fromSvg = dir / "svg.png", fromPng = dir / "png.png";
  std::ofstream(svg) << DocumentToSvg(doc, pixels);
  EXPECT_EQ(std::system(("'" RSVG_CONVERT "' '" + svg + "' -o '" + fromSvg + "'").c_str()), 0);
  EXPECT_TRUE(testing::WritePngFile(doc, fromPng, pixels / 16.0f));
  const ReadPng a = ReadPngFile(fromSvg), b = ReadPngFile(fromPng);
  EXPECT_TRUE(a.ok && b.ok && a.width == pixels && b.width == pixels);
  if (!a.ok || !b.ok || a.rgba.size() != b.rgba.size()) return {255, 1};
  return Compare(a, b);
}

TEST(SvgMatchesPng, EveryKindMethodEndStyleAndARotation) {
  ScratchFolder dir;
  std::vector<TWKDATA> items;
  for (int type = 0; type < 4; ++type)
    for (int method = 0; method < 3; ++method)
      for (int ends = 0; ends < 3; ++ends) items.push_back(ProbeItem(type, method, ends, 0));
  items.push_back(ProbeItem(kRect, kDots, kSquareEnds, 30));
  items.push_back(ProbeItem(kCurve, kSolid, kRoundEnds, 200));

  for (const TWKDATA& item : items) {
    TWKFILE doc;
    doc.CData.append(item);
    for (int pixels : {16, 48, 256}) {
      const Difference d = SvgAgainstPng(doc, pixels, dir);
      const std::string what = "type " + std::to_string(item.Type) + " method " + std::to_string(item.DrawMethod) +
                               " ends " + std::to_string(item.DrawMethod2) + " angle " +
                               std::to_string(item.DrawAngle) + " at " + std::to_string(pixels);
      EXPECT_LE(d.mean, 1.5) << what;
      EXPECT_LE(d.farShare, 0.01) << what;
    }
  }
}

TEST(SvgMatchesPng, TheStandardThousandItemIcon) {
  ScratchFolder dir;
  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(TARNWICK_BENCH_DATA_DIR "/icon-1000.twk", doc, LoadAccess::kShared), ResultCode::kOk);
  for (int pixels : {16, 48, 256}) {
    const Difference d = SvgAgainstPng(doc, pixels, dir);
    EXPECT_LE(d.mean, 1.5) << pixels;
    EXPECT_LE(d.farShare, 0.01) << pixels;
  }
}

}  // namespace
}  // namespace twk
