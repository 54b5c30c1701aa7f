#include "export/MaskPreview.h"

#include "export/IconSets.h"
#include "export/PlacedPicture.h"
#include "export/VectorDrawable.h"
#include "render/IconMask.h"
#include "render/RasterOps.h"
#include "render/preview/PreviewComposer.h"

namespace twk {

namespace {

// The corner radius of the iOS app icon's rounded square, as a share of
// its side, and of the Android rounded square mask.
constexpr double kIosCorner = 0.2237;
constexpr double kAndroidCorner = 0.16;

// The drawing's square spans this share of an Android cell, which shows the
// 72 dp launchers keep.
constexpr double kAndroidDrawingShare = double(kAdaptiveDrawingDp) / kAdaptiveShownDp;

std::unique_ptr<Image> Cut(const std::unique_ptr<Image>& image, IconMaskShape shape, double corner = 0) {
  return image ? CutToShape(*image, shape, corner) : nullptr;
}

void Mark(const std::unique_ptr<Image>& cell, double radius) {
  if (cell) DrawCircleMark(*cell, radius, kSafeMarkColour);
}

}  // namespace

const char* MaskCellName(MaskCell cell) {
  switch (cell) {
    case MaskCell::kAndroidCircle: return "Circle";
    case MaskCell::kAndroidSquircle: return "Squircle";
    case MaskCell::kAndroidRoundedSquare: return "Rounded";
    case MaskCell::kWebMaskable: return "Maskable";
    case MaskCell::kIos: return "iOS";
    case MaskCell::kLight: return "Light";
    case MaskCell::kDark: return "Dark";
  }
  return "";
}

MaskPreview MakeMaskPreview(const TWKFILE& doc, std::int32_t ground, EdgeFit fit) {
  constexpr int kEdge = kMaskCellEdge;
  MaskPreview preview;
  auto& cells = preview.cells;
  // Three renders make every cell: they follow each change of the drawing.
  // The drawing alone over the whole cell: the light and dark cells, and
  // the judge of the safe circles, one pixel a dp of the drawing's 48.
  const std::unique_ptr<Image> drawing = PlacedImage(doc, {kEdge, kEdge, false, 0, SetLook::kPlain}, fit);
  if (drawing) {
    const double perDp = double(kEdge) / kAdaptiveDrawingDp;
    preview.androidOutside = CoversOutsideCircle(*drawing, perDp * kAdaptiveSafeDp / 2);
    // In a maskable icon of edge E the drawing spans MaskableSpan(E).
    const double perEdge = double(kEdge) / MaskableSpan(512) * 512;
    preview.webOutside = CoversOutsideCircle(*drawing, perEdge * kMaskableSafeRadius);
    for (const PreviewGround light : kPreviewGrounds) {
      std::unique_ptr<Image> cell = Image::NewFilled(kEdge, kEdge, GroundColour(light));
      if (cell) BlendImage(*cell, *drawing, 0, 0);
      cells[light == PreviewGround::kLight ? 5 : 6] = std::move(cell);
    }
  }

  // Android: the shown 72 dp of the adaptive icon, ground and foreground.
  const int androidSpan = CentredSpan(kEdge, kAndroidDrawingShare);
  const std::unique_ptr<Image> adaptive = PlacedImage(doc, {kEdge, androidSpan, true, ground}, fit);
  cells[0] = Cut(adaptive, IconMaskShape::kCircle);
  cells[1] = Cut(adaptive, IconMaskShape::kSquircle);
  cells[2] = Cut(adaptive, IconMaskShape::kRoundedSquare, kAndroidCorner);
  if (preview.androidOutside) {
    for (int i = 0; i < 3; ++i) Mark(cells[i], kEdge * double(kAdaptiveSafeDp) / kAdaptiveShownDp / 2);
  }
  // The web: the smallest mask browsers use, the safe circle itself, fills
  // the cell; the drawing then spans what it spans on Android.
  const int webImage = static_cast<int>(kEdge / (2 * kMaskableSafeRadius) + 0.5);
  const int webSpan = MaskableSpan(webImage);
  cells[3] = webSpan == androidSpan ? Cut(adaptive, IconMaskShape::kCircle)
                                    : Cut(PlacedImage(doc, {kEdge, webSpan, true, ground}, fit), IconMaskShape::kCircle);
  if (preview.webOutside) Mark(cells[3], kEdge / 2.0 - 0.5);
  // iOS: the opaque app icon under its rounded square.
  cells[4] = Cut(PlacedImage(doc, {kEdge, CentredSpan(kEdge, kAppleDrawingShare), true, ground}, fit),
                 IconMaskShape::kRoundedSquare, kIosCorner);
  return preview;
}

}  // namespace twk
