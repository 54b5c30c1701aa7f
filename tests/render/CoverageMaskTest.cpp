// A translucent figure laid through the coverage mask leaves exactly the
// bytes cairo's own translucent paint leaves, on a whole image and on a band
// of rows, over a background that is neither clear nor opaque, in any
// colour, on pictures of any width, and figure after figure through one
// mask.

#include <gtest/gtest.h>

#include <cairo.h>

#include <cstring>
#include <functional>
#include <memory>
#include <tuple>
#include <vector>

#include "render/CoverageMask.h"
#include "render/Image.h"
#include "render/VectorSurface.h"

namespace twk {
namespace {

constexpr int kSide = 96;

struct Figure {
  const char* name;
  double r, g, b, a;
  cairo_matrix_t matrix;
  double width;
  cairo_line_cap_t cap;
  cairo_line_join_t join;
  cairo_fill_rule_t rule;
  std::function<void(cairo_t*)> paint;  // builds the path on a context set up as above, and paints it
};

cairo_matrix_t Matrix(double xx, double yx, double xy, double yy, double x0, double y0) {
  cairo_matrix_t m;
  cairo_matrix_init(&m, xx, yx, xy, yy, x0, y0);
  return m;
}

// Round dots or dashes along an ellipse, laid out as dotted outlines are.
std::function<void(cairo_t*)> Dotted(double width, PenStyle style) {
  return [=](cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 6, 5, 4.3, 0.2, 5.9);
    if (PlanDotStroke(cr, width, 1.5 * width, style).pattern) cairo_stroke(cr);
  };
}

std::vector<Figure> Figures() {
  const cairo_matrix_t scaled = Matrix(7.3, 0, 0, 7.3, 0.4, -0.6);
  const cairo_matrix_t turned = Matrix(6.1, 2.9, -2.9, 6.1, 21.3, 3.7);
  return {
      {"round dots", 0.8, 0.2, 0.1, 0.55, scaled, 0.9, CAIRO_LINE_CAP_ROUND, CAIRO_LINE_JOIN_ROUND,
       CAIRO_FILL_RULE_WINDING, Dotted(0.9, {LineCap::kRound, LineJoin::kRound})},
      {"square dashes, turned", 0.1, 0.5, 0.9, 0.3, turned, 1.3, CAIRO_LINE_CAP_SQUARE, CAIRO_LINE_JOIN_MITER,
       CAIRO_FILL_RULE_WINDING, Dotted(1.3, {LineCap::kSquare, LineJoin::kMiter})},
      {"mitred zigzag past the edges", 0.3, 0.9, 0.3, 0.8, scaled, 1.7, CAIRO_LINE_CAP_BUTT, CAIRO_LINE_JOIN_MITER,
       CAIRO_FILL_RULE_WINDING,
       [](cairo_t* cr) {
         cairo_move_to(cr, -3, 2);
         cairo_line_to(cr, 4, 9.5);
         cairo_line_to(cr, 7, 1.2);
         cairo_line_to(cr, 15, 14);
         cairo_stroke(cr);
       }},
      {"even-odd star filled", 0.9, 0.9, 0.1, 0.07, turned, 1, CAIRO_LINE_CAP_BUTT, CAIRO_LINE_JOIN_MITER,
       CAIRO_FILL_RULE_EVEN_ODD,
       [](cairo_t* cr) {
         cairo_move_to(cr, 1, 1);
         cairo_line_to(cr, 11, 4);
         cairo_line_to(cr, 2, 10);
         cairo_line_to(cr, 6, -1);
         cairo_line_to(cr, 9, 11);
         cairo_close_path(cr);
         cairo_fill(cr);
       }},
      {"pixel-aligned box", 0.5, 0.1, 0.7, 0.6, Matrix(8, 0, 0, 8, 0, 0), 1, CAIRO_LINE_CAP_BUTT,
       CAIRO_LINE_JOIN_MITER, CAIRO_FILL_RULE_WINDING,
       [](cairo_t* cr) {
         cairo_rectangle(cr, 2, 3, 6, 5);
         cairo_fill(cr);
       }},
  };
}

// A background of every kind of pixel: clear, translucent and opaque.
std::unique_ptr<Image> Background(int width = kSide) {
  auto image = Image::NewTransparent(width, kSide);
  cairo_surface_flush(image->surface());
  for (int y = 0; y < kSide; ++y) {
    auto* row = reinterpret_cast<std::uint32_t*>(image->data() + y * image->stride());
    for (int x = 0; x < width; ++x) {
      const std::uint32_t alpha = (x * 7 + y * 3) % 5 == 0 ? 0 : (x * 11 + y * 5) % 256;
      const std::uint32_t level = alpha * ((x + 2 * y) % 97) / 96;  // premultiplied
      row[x] = alpha << 24 | level << 16 | (alpha - level) << 8 | level / 2;
    }
  }
  image->MarkDirty();
  return image;
}

// `figures` painted one after another on rows [top, bottom) of a fresh
// background `width` pixels wide, directly or each through the one coverage
// mask over the whole area.
std::unique_ptr<Image> Painted(const std::vector<Figure>& figures, int width, int top, int bottom,
                               bool throughMask) {
  auto image = Background(width);
  cairo_surface_t* band = cairo_image_surface_create_for_data(image->data() + top * image->stride(),
                                                              CAIRO_FORMAT_ARGB32, width, bottom - top,
                                                              image->stride());
  cairo_surface_set_device_offset(band, 0, -top);
  cairo_t* cr = cairo_create(band);
  CoverageMask mask(width, top, bottom);
  for (const Figure& figure : figures) {
    cairo_set_matrix(cr, &figure.matrix);
    cairo_set_line_width(cr, figure.width);
    cairo_set_line_cap(cr, figure.cap);
    cairo_set_line_join(cr, figure.join);
    cairo_set_fill_rule(cr, figure.rule);
    cairo_set_source_rgba(cr, figure.r, figure.g, figure.b, figure.a);
    cairo_t* maskCr = throughMask ? mask.Open(cr, -5, -5, width + 5, kSide + 5) : nullptr;
    EXPECT_EQ(maskCr != nullptr, throughMask) << figure.name;
    figure.paint(maskCr ? maskCr : cr);
    if (maskCr) mask.LayOn(cr);
  }
  EXPECT_EQ(cairo_status(cr), CAIRO_STATUS_SUCCESS);
  cairo_destroy(cr);
  cairo_surface_flush(band);
  cairo_surface_destroy(band);
  image->MarkDirty();
  return image;
}

std::unique_ptr<Image> Painted(const Figure& figure, int top, int bottom, bool throughMask) {
  return Painted(std::vector<Figure>{figure}, kSide, top, bottom, throughMask);
}

bool SameBytes(const Image& a, const Image& b) {
  return std::memcmp(a.data(), b.data(), std::size_t(a.stride()) * a.height()) == 0;
}

TEST(CoverageMask, LaysEveryFigureExactlyAsTheDirectPaint) {
  for (const Figure& figure : Figures()) {
    for (const auto& [top, bottom] : {std::pair{0, kSide}, std::pair{37, 71}}) {
      const auto direct = Painted(figure, top, bottom, false);
      const auto masked = Painted(figure, top, bottom, true);
      EXPECT_FALSE(SameBytes(*direct, *Background())) << figure.name << " paints nothing";
      EXPECT_TRUE(SameBytes(*direct, *masked)) << figure.name << " on rows " << top << ".." << bottom;
    }
  }
}

// The colour meets the coverage in cairo's own rounding at every opacity and
// level; figures laid in turn find the mask clear; widths that are no
// multiple of four or sixteen lay their last pixels too.
TEST(CoverageMask, LaysEveryColourOnEveryWidthFigureAfterFigure) {
  const std::vector<Figure> figures = Figures();
  std::vector<Figure> coloured;
  for (double alpha : {1 / 255.0, 2 / 255.0, 0.07, 0.3, 0.5, 128 / 255.0, 0.73, 254 / 255.0}) {
    for (const auto& [r, g, b] : {std::tuple{0.0, 1.0, 0.5}, std::tuple{1 / 3.0, 0.999, 2 / 255.0}}) {
      Figure figure = figures[coloured.size() % figures.size()];
      figure.r = r, figure.g = g, figure.b = b, figure.a = alpha;
      coloured.push_back(figure);
    }
  }
  for (int width : {kSide, 93, 70}) {
    const auto direct = Painted(coloured, width, 0, kSide, false);
    const auto masked = Painted(coloured, width, 0, kSide, true);
    EXPECT_TRUE(SameBytes(*direct, *masked)) << "width " << width;
  }
}

TEST(CoverageMask, AnAreaOffTheRowsGivesNoMaskAndAFailedDrawingLaysNothing) {
  auto image = Background();
  cairo_t* cr = cairo_create(image->surface());
  CoverageMask mask(kSide, 10, 20);
  EXPECT_EQ(mask.Open(cr, 0, 30, kSide, 40), nullptr);
  cairo_t* maskCr = mask.Open(cr, 0, 0, kSide, kSide);
  ASSERT_NE(maskCr, nullptr);
  cairo_rectangle(maskCr, 0, 0, kSide, kSide);
  cairo_fill(maskCr);
  cairo_restore(maskCr);  // with nothing saved: puts the mask's context in cairo's error state
  cairo_set_source_rgba(cr, 1, 0, 0, 0.5);
  mask.LayOn(cr);
  EXPECT_TRUE(SameBytes(*image, *Background()));
  // The failed drawing's coverage is gone: the next figure lays only its own.
  maskCr = mask.Open(cr, 0, 0, kSide, kSide);
  ASSERT_NE(maskCr, nullptr);
  cairo_rectangle(maskCr, 20, 12, 30, 5);
  cairo_fill(maskCr);
  mask.LayOn(cr);
  cairo_destroy(cr);
  auto direct = Background();
  cairo_t* plain = cairo_create(direct->surface());
  cairo_set_source_rgba(plain, 1, 0, 0, 0.5);
  cairo_rectangle(plain, 20, 12, 30, 5);
  cairo_fill(plain);
  cairo_destroy(plain);
  image->MarkDirty();
  EXPECT_TRUE(SameBytes(*image, *direct));
}

}  // namespace
}  // namespace twk
