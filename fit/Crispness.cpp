#include "fit/Crispness.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <tuple>
#include <vector>

#include "document/Colour.h"
#include "fit/FitModel.h"
#include "fit/FitToPixels.h"
#include "render/SceneRenderer.h"

namespace twk {
namespace {

// A straight edge: at `at` px across `axis` (0: a vertical edge at x = at),
// running from `from` to `to` px along the other axis; the paint lies on
// its high side (right, below) unless `high`.
struct StraightEdge {
  int axis;
  double at, from, to;
  bool high;
};

bool Measured(const fit::Shape& sh) {
  return sh.fitted && sh.item->DrawMethod != kDots && AlphaOf(sh.item->DrawRGBA) != 0;
}

// The straight edges of the drawing as it is painted, in pixels.
std::vector<StraightEdge> StraightEdges(const fit::Model& m) {
  std::vector<StraightEdge> out;
  const double s = m.s;
  for (const fit::Shape& sh : m.shapes) {
    if (!Measured(sh) || sh.item->Type == kEllipse) continue;
    const double half = sh.w / 2;
    if (sh.item->Type == kLine && sh.stemCount == 1) {
      const fit::Stem& st = m.stems[static_cast<std::size_t>(sh.firstStem)];
      const fit::Edge* e = &m.edges[static_cast<std::size_t>(sh.firstEdge)];
      out.push_back({st.axis, st.a * s, e[0].v * s, e[1].v * s, false});
      out.push_back({st.axis, st.b * s, e[0].v * s, e[1].v * s, true});
      if (sh.item->DrawMethod2 == kRoundEnds) continue;
      for (int k = 0; k < 2; ++k) out.push_back({1 - st.axis, e[k].v * s, st.a * s, st.b * s, k == 1});
    } else if (sh.item->Type == kRect && sh.stroked) {
      const double box[2][2] = {{std::min(sh.x[0], sh.x[3]), std::max(sh.x[0], sh.x[3])},
                                {std::min(sh.y[0], sh.y[3]), std::max(sh.y[0], sh.y[3])}};
      for (int axis = 0; axis < 2; ++axis) {
        const double* other = box[1 - axis];
        const double outer[2] = {(other[0] - half) * s, (other[1] + half) * s};
        const double inner[2] = {(other[0] + half) * s, (other[1] - half) * s};
        for (int k = 0; k < 2; ++k) {
          const double* low = k == 0 ? outer : inner;
          const double* high = k == 0 ? inner : outer;
          out.push_back({axis, (box[axis][k] - half) * s, low[0], low[1], false});
          out.push_back({axis, (box[axis][k] + half) * s, high[0], high[1], true});
        }
      }
    } else if (sh.item->Type == kRect) {
      const fit::Edge* e = &m.edges[static_cast<std::size_t>(sh.firstEdge)];
      for (int axis = 0; axis < 2; ++axis) {
        const fit::Edge* other = e + 2 * (1 - axis);
        for (int k = 0; k < 2; ++k)
          out.push_back({axis, e[2 * axis + k].v * s, other[0].v * s, other[1].v * s, k == 1});
      }
    }
  }
  return out;
}

struct Premultiplied {
  int a, r, g, b;
};

Premultiplied PixelOf(const Image& image, int x, int y) {
  std::uint32_t p;
  std::memcpy(&p, image.data() + static_cast<std::ptrdiff_t>(y) * image.stride() + 4 * x, 4);
  return {int(p >> 24), int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF)};
}

// The pure colours sorted by opacity: the distance is the largest channel
// difference, so only colours whose opacity is closer than the best so far
// can be nearer, and the search walks out from the pixel's opacity.
class PureColours {
 public:
  explicit PureColours(std::vector<Premultiplied> colours) : colours_(std::move(colours)) {
    std::sort(colours_.begin(), colours_.end(), [](const Premultiplied& p, const Premultiplied& q) { return p.a < q.a; });
  }
  int NearestDistance(const Premultiplied& px) const {
    int nearest = 255;
    const auto see = [&](const Premultiplied& c) {
      nearest = std::min(nearest, std::max({std::abs(px.a - c.a), std::abs(px.r - c.r), std::abs(px.g - c.g),
                                            std::abs(px.b - c.b)}));
    };
    const auto at = std::lower_bound(colours_.begin(), colours_.end(), px.a,
                                     [](const Premultiplied& c, int a) { return c.a < a; });
    for (auto it = at; it != colours_.end() && it->a - px.a < nearest; ++it) see(*it);
    for (auto it = at; it != colours_.begin() && px.a - (it - 1)->a < nearest; --it) see(*(it - 1));
    return nearest;
  }

 private:
  std::vector<Premultiplied> colours_;
};

double HalfTone(const Premultiplied& px, const PureColours& pure) {
  const int nearest = pure.NearestDistance(px);
  if (nearest < 8) return 0;
  return std::min(1.0, 2.0 * nearest / 255.0);
}

}  // namespace

Crispness MeasureCrispness(const TWKFILE& painted, const Image& picture) {
  return *MeasureCrispness(painted, picture, StopCheck());
}

std::optional<Crispness> MeasureCrispness(const TWKFILE& painted, const Image& picture, const StopCheck& stop) {
  // Only read: the model of the painted items, their turns folded into
  // its own copies of their points.
  std::vector<TWKDATA*> items;
  items.reserve(static_cast<std::size_t>(painted.CData.size()));
  for (int i = 0; i < painted.CData.size(); ++i) items.push_back(painted.CData.at(i));
  fit::Model m;
  m.stop = &stop;
  m.write = false;
  m.edge = picture.width();
  m.s = picture.width() / 16.0;
  fit::Prepare(m, items);
  fit::CollectFeatures(m);
  if (m.GiveUp()) return std::nullopt;

  std::vector<Premultiplied> pure = {{0, 0, 0, 0}};
  for (const fit::Shape& sh : m.shapes) {
    const std::int32_t c = sh.item->DrawRGBA;
    const int a = AlphaOf(c);
    const auto mul = [a](int v) { return (v * a + 127) / 255; };
    const Premultiplied p{a, mul(RedOf(c)), mul(GreenOf(c)), mul(BlueOf(c))};
    if (a != 0) pure.push_back(p);
  }
  // Each colour once, however many items share it.
  const auto key = [](const Premultiplied& p) { return std::tie(p.a, p.r, p.g, p.b); };
  std::sort(pure.begin(), pure.end(), [&key](const Premultiplied& p, const Premultiplied& q) { return key(p) < key(q); });
  pure.erase(std::unique(pure.begin(), pure.end(),
                         [&key](const Premultiplied& p, const Premultiplied& q) { return key(p) == key(q); }),
             pure.end());

  const PureColours colours(std::move(pure));
  // Each pixel's weight is worked out once, however many edges pass it.
  std::vector<float> weights(static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()), -1);
  Crispness result;
  const std::vector<StraightEdge> straight = StraightEdges(m);
  for (std::size_t k = 0; k < straight.size(); ++k) {
    if (m.GiveUp(k)) return std::nullopt;
    const StraightEdge& e = straight[k];
    // Only the part of the edge on the picture is walked: an edge far
    // outside it (or reaching far past it) costs no more than one across it.
    const int across = e.axis == 0 ? picture.width() : picture.height();
    const int length = e.axis == 0 ? picture.height() : picture.width();
    if (!(e.at > -2 && e.at < across + 2)) continue;
    // The pixel the edge lies in (the first one painted) and its neighbour
    // outside the paint.
    const int inside = e.high ? static_cast<int>(std::ceil(e.at - 1e-9)) - 1 : static_cast<int>(std::floor(e.at + 1e-9));
    const int outside = e.high ? inside + 1 : inside - 1;
    const double from = std::ceil(e.from - 1e-9) + 1, to = std::floor(e.to + 1e-9) - 2;
    const int first = static_cast<int>(std::clamp(from, 0.0, static_cast<double>(length)));
    const int last = static_cast<int>(std::clamp(to, -1.0, static_cast<double>(length - 1)));
    for (int along = first; along <= last; ++along) {
      for (const int at : {inside, outside}) {
        const int x = e.axis == 0 ? at : along, y = e.axis == 0 ? along : at;
        if (x < 0 || y < 0 || x >= picture.width() || y >= picture.height()) continue;
        float& weight = weights[static_cast<std::size_t>(y) * static_cast<std::size_t>(picture.width()) +
                                static_cast<std::size_t>(x)];
        if (weight < 0) weight = static_cast<float>(HalfTone(PixelOf(picture, x, y), colours));
        result.halfTone += weight;
        ++result.edgePixels;
      }
    }
  }
  return result;
}

std::optional<Crispness> CrispnessAt(const TWKFILE& doc, int edge, bool fit, const StopCheck& stop) {
  const float scale = static_cast<float>(edge) / 16.0f;
  std::optional<TWKFILE> fitted;
  if (fit && !(fitted = FitToPixels(doc, edge, stop))) return std::nullopt;
  const TWKFILE& painted = fitted ? *fitted : doc;
  const std::unique_ptr<Image> picture = RenderDocument(painted, scale, scale, RenderArea::kFull);
  if (!picture || (stop && stop())) return std::nullopt;
  return MeasureCrispness(painted, *picture, stop);
}

}  // namespace twk
