// Export with and without fitting: without it every file is byte for byte
// the picture of the drawing as it always was; with it each raster entry
// is the picture of the document fitted for that entry's own size.
#include <gtest/gtest.h>

#include <cstring>

#include "export/ExportOperation.h"
#include "export/IcnsWriter.h"
#include "export/IcoWriter.h"
#include "fit/FitToPixels.h"
#include "persist/DocumentFile.h"
#include "render/PngWriter.h"
#include "render/SceneRenderer.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

using testing::FileBytes;
using testing::ScratchFolder;

// The PNG of the full area at `edge` pixels, painted from `doc` as it is.
std::vector<std::uint8_t> Picture(const TWKFILE& doc, int edge) {
  const float scale = edge / 16.0f;
  return EncodePng(*RenderDocument(doc, scale, scale, RenderArea::kFull));
}

// The bytes each format writes for `held`, from the pictures of `paint(edge)`.
template <class Paint>
std::vector<std::uint8_t> IconBytes(ExportFormat format, const SizeSet& held, Paint paint) {
  std::vector<IconImage> images;
  for (const int edge : held.edges()) images.push_back({edge, Picture(paint(edge), edge)});
  return format == ExportFormat::kIco ? BuildIco(images) : BuildIcns(images);
}

TEST(FitExport, EachRasterEntryIsFittedForItsOwnSizeAndNothingChangesWithoutIt) {
  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(TARNWICK_TEST_DATA_DIR "/fit/fit-sliders.twk", doc, LoadAccess::kShared), ResultCode::kOk);
  SizeSet sizes;
  for (const int edge : {16, 24, 32, 48, 64}) sizes.Add(edge);
  // The fitted picture differs where the drawing is not crisp.
  ASSERT_NE(Picture(FitToPixels(doc, 24), 24), Picture(doc, 24));

  for (const EdgeFit fit : {EdgeFit::kAsDrawn, EdgeFit::kToPixels}) {
    const auto paint = [&](int edge) { return fit == EdgeFit::kToPixels ? FitToPixels(doc, edge) : doc; };
    for (const ExportFormat format : {ExportFormat::kPng, ExportFormat::kIco, ExportFormat::kIcns}) {
      ScratchFolder dir;
      const ExportReport report = RunExport({doc, sizes, format, dir / "icon", nullptr, fit});
      ASSERT_FALSE(report.AnyFailed());
      const SizeSet held = SplitSizes(format, sizes).held;
      if (format == ExportFormat::kPng) {
        for (const int edge : held.edges()) {
          const std::string n = std::to_string(edge);
          EXPECT_EQ(FileBytes(dir / ("icon." + n + "x" + n + ".png")), Picture(paint(edge), edge)) << n;
        }
      } else {
        const std::vector<std::uint8_t> expected = IconBytes(format, held, paint);
        const std::vector<unsigned char> written = FileBytes(dir / (std::string("icon.") + FormatName(format)));
        EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), expected) << FormatName(format);
      }
    }
    // The icon sets take the same pictures: the linux set's PNGs, one a size.
    ScratchFolder sets;
    ExportRequest request{doc, {}, ExportFormat::kIconSets, sets / "out", nullptr, fit};
    request.sets = kLinuxSet | kWindowsSet;
    request.setName = "icon";
    ASSERT_FALSE(RunExport(request).AnyFailed());
    // A drawing placed in the middle of its image is fitted for the pixels
    // it spans: the 150 logo's middle 74 of the 150.
    const testing::ReadPng logo = testing::ReadPngFile(sets / "out/windows/msix/Square150x150Logo.scale-100.png");
    ASSERT_TRUE(logo.ok);
    const std::vector<std::uint8_t> middle = Picture(paint(74), 74);
    std::ofstream(sets / "middle.png", std::ios::binary).write(reinterpret_cast<const char*>(middle.data()), middle.size());
    const testing::ReadPng expected = testing::ReadPngFile(sets / "middle.png");
    for (int y = 0; y < 74; ++y)
      for (int x = 0; x < 74; ++x)
        ASSERT_EQ(std::memcmp(&logo.rgba[((y + 38) * 150 + x + 38) * 4], &expected.rgba[(y * 74 + x) * 4], 4), 0) << x << "," << y;
    for (const int edge : {16, 22, 24, 48}) {
      const std::string n = std::to_string(edge);
      const std::vector<unsigned char> written = FileBytes(sets / ("out/linux/hicolor/" + n + "x" + n + "/apps/icon.png"));
      EXPECT_EQ(std::vector<std::uint8_t>(written.begin(), written.end()), Picture(paint(edge), edge)) << n;
    }
  }
}

}  // namespace
}  // namespace twk
