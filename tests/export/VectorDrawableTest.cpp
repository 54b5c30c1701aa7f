// The Android vector drawable drawn by an independent renderer looks like
// the PNG export: the drawable is parsed, turned into the SVG it maps onto
// (the path syntax is the same), drawn by rsvg-convert at 256 pixels and
// compared with the PNG export of that size.

#include <expat.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>

#include "document/Colour.h"
#include "export/IconSets.h"
#include "export/PngExport.h"
#include "export/SvgDocument.h"
#include "export/VectorDrawable.h"
#include "persist/DocumentFile.h"
#include "ExportTestSupport.h"

namespace twk {
namespace {

using testing::ProbeItem;

using testing::Difference;
using testing::ScratchFolder;

// SVG from the drawable's elements; every attribute of the drawable it does
// not know makes the conversion fail, so nothing is silently dropped.
struct Converter {
  std::string svg;
  std::string error;
  int dp = kVectorDrawableDp;  // the width and height the drawable must have

  static std::string Colour(const std::string& argb, const char* paint) {
    if (argb.size() != 9 || argb[0] != '#') return {};
    const double alpha = std::stoi(argb.substr(1, 2), nullptr, 16) / 255.0;
    return std::string(" ") + paint + "=\"#" + argb.substr(3) + "\" " + paint + "-opacity=\"" +
           std::to_string(alpha) + "\"";
  }

  void Start(const std::string& element, std::map<std::string, std::string> a) {
    const auto take = [&](const char* name) {
      const auto found = a.find(std::string("android:") + name);
      if (found == a.end()) return std::string();
      std::string value = found->second;
      a.erase(found);
      return value;
    };
    if (element == "vector") {
      a.erase("xmlns:android");
      svg += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 " +
             take("viewportWidth") + " " + take("viewportHeight") + "\">\n";
      if (take("width") != std::to_string(dp) + "dp") error += "width; ";
      if (take("height") != std::to_string(dp) + "dp") error += "height; ";
    } else if (element == "group") {
      const std::string x = take("translateX"), y = take("translateY"), turn = take("rotation");
      svg += "<g transform=\"translate(" + (x.empty() ? "0" : x) + " " + (y.empty() ? "0" : y) + ") rotate(" +
             (turn.empty() ? "0" : turn) + " " + take("pivotX") + " " + take("pivotY") + ")\">\n";
    } else if (element == "path") {
      svg += "<path d=\"" + take("pathData") + "\"";
      const std::string fill = take("fillColor"), stroke = take("strokeColor");
      svg += fill.empty() ? " fill=\"none\"" : Colour(fill, "fill");
      if (take("fillType") == "evenOdd") svg += " fill-rule=\"evenodd\"";
      if (!stroke.empty()) {
        svg += Colour(stroke, "stroke") + " stroke-width=\"" + take("strokeWidth") + "\"";
        const std::string cap = take("strokeLineCap"), join = take("strokeLineJoin"), limit = take("strokeMiterLimit");
        svg += " stroke-linecap=\"" + (cap.empty() ? "butt" : cap) + "\"";
        svg += " stroke-linejoin=\"" + (join.empty() ? "miter" : join) + "\"";
        svg += " stroke-miterlimit=\"" + (limit.empty() ? "4" : limit) + "\"";
      }
      svg += "/>\n";
    } else {
      error += "element " + element + "; ";
    }
    for (const auto& [name, value] : a) error += "attribute " + name + "; ";
  }

  void End(const std::string& element) {
    if (element == "vector") svg += "</svg>\n";
    if (element == "group") svg += "</g>\n";
  }
};

std::string DrawableToSvg(const std::string& xml, int dp = kVectorDrawableDp) {
  Converter converter;
  converter.dp = dp;
  XML_Parser parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(parser, &converter);
  XML_SetElementHandler(
      parser,
      [](void* data, const XML_Char* name, const XML_Char** attributes) {
        std::map<std::string, std::string> a;
        for (int i = 0; attributes[i]; i += 2) a[attributes[i]] = attributes[i + 1];
        static_cast<Converter*>(data)->Start(name, std::move(a));
      },
      [](void* data, const XML_Char* name) { static_cast<Converter*>(data)->End(name); });
  const bool parsed = XML_Parse(parser, xml.data(), static_cast<int>(xml.size()), 1) == XML_STATUS_OK;
  XML_ParserFree(parser);
  EXPECT_TRUE(parsed);
  EXPECT_EQ(converter.error, "");
  return converter.svg;
}

// The drawable the export writes, drawn at 256 pixels, against the PNG export.
Difference DrawableAgainstPng(const TWKFILE& doc, const ScratchFolder& dir) {
  std::string xml;
  EXPECT_TRUE(DocumentToVectorDrawableWithin(doc, kVectorDrawablePixels, kSvgCeiling, xml));
  const std::string svg = dir / "drawable.svg", fromDrawable = dir / "drawable.png", fromPng = dir / "png.png";
  std::ofstream(svg) << DrawableToSvg(xml);
  EXPECT_EQ(std::system(("'" RSVG_CONVERT "' '" + svg + "' -o '" + fromDrawable + "'").c_str()), 0);
  EXPECT_TRUE(testing::WritePngFile(doc, fromPng, 16));
  const testing::ReadPng a = testing::ReadPngFile(fromDrawable), b = testing::ReadPngFile(fromPng);
  EXPECT_TRUE(a.ok && b.ok && a.width == 256 && b.width == 256);
  if (!a.ok || !b.ok || a.rgba.size() != b.rgba.size()) return {255, 1};
  return Compare(a, b);
}

TEST(VectorDrawable, EveryKindMethodEndStyleRotationAndDotSizeMatchesThePng) {
  ScratchFolder dir;
  std::vector<TWKDATA> items;
  for (int type = 0; type < 4; ++type)
    for (int method = 0; method < 3; ++method)
      for (int ends = 0; ends < 3; ++ends) items.push_back(ProbeItem(type, method, ends, 0, 1.5f));
  for (int ends = 0; ends < 3; ++ends) {
    items.push_back(ProbeItem(kRect, kDots, ends, 30, 0.5f));     // turned, dashes through corners
    items.push_back(ProbeItem(kCurve, kDots, ends, 200, 0.25f));  // fine dots along a curve
    items.push_back(ProbeItem(kEllipse, kDots, ends, 75, 0.75f));
  }
  for (const TWKDATA& item : items) {
    TWKFILE doc;
    doc.CData.append(item);
    const Difference d = DrawableAgainstPng(doc, dir);
    const std::string what = "type " + std::to_string(item.Type) + " method " + std::to_string(item.DrawMethod) +
                             " ends " + std::to_string(item.DrawMethod2) + " angle " + std::to_string(item.DrawAngle);
    // Far inside the 1.5 levels asked of whole drawings: a dash's corner
    // left out, or a dot of the wrong size, shows here.
    EXPECT_LE(d.mean, 0.25) << what;
    EXPECT_LE(d.farShare, 0.002) << what;
  }
}

TEST(VectorDrawable, TheTestDocumentsMatchThePng) {
  ScratchFolder dir;
  for (const std::string path : {TARNWICK_TEST_DATA_DIR "/shapes.twk", TARNWICK_BENCH_DATA_DIR "/icon-10.twk",
                                 TARNWICK_BENCH_DATA_DIR "/icon-100.twk", TARNWICK_BENCH_DATA_DIR "/icon-1000.twk"}) {
    TWKFILE doc;
    ASSERT_EQ(LoadDocumentFile(path, doc, LoadAccess::kShared), ResultCode::kOk) << path;
    const Difference d = DrawableAgainstPng(doc, dir);
    EXPECT_LE(d.mean, 1.5) << path;
    EXPECT_LE(d.farShare, 0.01) << path;
  }
}

TEST(VectorDrawable, TheAdaptiveLayerShowsTheDrawingInTheMiddleNeverPastTheLaunchersCircle) {
  ScratchFolder dir;
  TWKFILE doc;
  ASSERT_EQ(LoadDocumentFile(TARNWICK_TEST_DATA_DIR "/shapes.twk", doc, LoadAccess::kShared), ResultCode::kOk);
  // A square filling the 16 units reaches the corners, the farthest out any
  // drawing goes.
  TWKDATA square = ProbeItem(kRect, kFill, 0, 0);
  square.X1 = 0, square.Y1 = 0, square.X4 = 16, square.Y4 = 16;
  doc.CData.append(square);
  std::string xml;
  ASSERT_TRUE(DocumentToAdaptiveLayerWithin(doc, kSvgCeiling, xml));
  // Drawn at 4 px a dp: the 48 dp drawing is 192 px, 120 px in from the
  // corner of the 432 px tile.
  std::string svg = DrawableToSvg(xml, kAdaptiveTileDp);
  const std::string size = "width=\"256\" height=\"256\"";
  svg.replace(svg.find(size), size.size(), "width=\"432\" height=\"432\"");
  std::ofstream(dir / "layer.svg") << svg;
  ASSERT_EQ(std::system(("'" RSVG_CONVERT "' '" + dir / "layer.svg" + "' -o '" + dir / "layer.png" + "'").c_str()), 0);
  ASSERT_TRUE(testing::WritePngFile(doc, dir / "plain.png", 12));
  const testing::ReadPng layer = testing::ReadPngFile(dir / "layer.png"), plain = testing::ReadPngFile(dir / "plain.png");
  ASSERT_TRUE(layer.ok && plain.ok && layer.width == 432);
  testing::ReadPng middle = plain;
  middle.rgba.clear();
  std::size_t outside = 0;
  for (int y = 0; y < 432; ++y) {
    for (int x = 0; x < 432; ++x) {
      const testing::PngPixel p = layer.At(x, y);
      if (x >= 120 && x < 312 && y >= 120 && y < 312) middle.rgba.insert(middle.rgba.end(), {p.r, p.g, p.b, p.a});
      // Every launcher shows the circle of the middle 72 dp at least.
      if (std::hypot(x + 0.5 - 216, y + 0.5 - 216) > 4 * kAdaptiveShownDp / 2 && p.a != 0) ++outside;
    }
  }
  EXPECT_EQ(outside, 0u);
  const Difference d = Compare(middle, plain);
  EXPECT_LE(d.mean, 1.5);
  EXPECT_LE(d.farShare, 0.01);
}

}  // namespace
}  // namespace twk
