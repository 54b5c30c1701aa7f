#include "fit/FitToPixels.h"

#include <algorithm>
#include <cmath>

#include "fit/FitModel.h"

namespace twk {
namespace {

// How far the fitted edges moved, in pixels.
void Measure(const fit::Model& m, FitMeasure& measure) {
  const auto see = [&](double move) {
    measure.largestMove = std::max(measure.largestMove, move);
    if (move >= 1e-3) ++measure.edgesMoved;
  };
  for (const fit::Stem& st : m.stems) {
    if (st.isVirtual) continue;
    see(std::fabs(st.a2 - st.a * m.s));
    see(std::fabs(st.b2 - st.b * m.s));
  }
  for (const fit::Edge& e : m.edges)
    if (e.passed) see(std::fabs(e.v2 - e.v * m.s));
}

}  // namespace

TWKFILE FitToPixels(const TWKFILE& doc, int edge, FitMeasure* measure) {
  return *FitToPixels(doc, edge, StopCheck(), measure);
}

std::optional<TWKFILE> FitToPixels(const TWKFILE& doc, int edge, const StopCheck& stop, FitMeasure* measure) {
  fit::Model m;
  m.stop = &stop;
  if (m.GiveUp()) return std::nullopt;
  TWKFILE fitted = doc;
  std::vector<TWKDATA*> items;
  items.reserve(static_cast<std::size_t>(fitted.CData.size()));
  for (int i = 0; i < fitted.CData.size(); ++i) items.push_back(fitted.CData.at(i));

  m.edge = edge;
  m.s = edge / 16.0;
  // Each rule returns at once after a stop.
  fit::Prepare(m, items);
  fit::CollectFeatures(m);
  fit::SnapStems(m);
  fit::KeepCirclesRound(m);
  fit::MeetArcEnds(m);
  fit::SnapEdges(m);
  fit::WriteGeometry(m);
  if (m.GiveUp()) return std::nullopt;
  if (measure) *measure = {}, Measure(m, *measure);

  // Changed items are new item states: views that keep pictures by
  // revision must not mistake them for the originals.
  for (int i = 0; i < fitted.CData.size(); ++i) {
    if (m.GiveUp(static_cast<std::size_t>(i))) return std::nullopt;
    if (!(*fitted.CData.at(i) == *doc.CData.at(i))) Touch(*fitted.CData.at(i));
  }
  return fitted;
}

}  // namespace twk
