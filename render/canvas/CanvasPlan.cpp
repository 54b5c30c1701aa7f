#include "render/canvas/CanvasPlan.h"

#include <algorithm>

namespace twk {

namespace {

int Length(const IndexRun& run) { return run.second - run.first + 1; }

// The selected runs within 0..count-1, in index order, overlapping and
// touching runs joined.
std::vector<IndexRun> Joined(std::vector<IndexRun> selected, int count) {
  std::vector<IndexRun> runs;
  for (auto [first, last] : selected) {
    first = std::max(first, 0);
    last = std::min(last, count - 1);
    if (first <= last) runs.push_back({first, last});
  }
  std::sort(runs.begin(), runs.end());
  std::vector<IndexRun> joined;
  for (const IndexRun& run : runs) {
    if (!joined.empty() && run.first <= joined.back().second + 1) {
      joined.back().second = std::max(joined.back().second, run.second);
    } else {
      joined.push_back(run);
    }
  }
  return joined;
}

// The runs of unselected items in front of the deepest selected one that
// are long enough to keep, from the back to the front.
std::vector<IndexRun> KeptInFront(const std::vector<IndexRun>& runs) {
  std::vector<IndexRun> gaps;
  if (runs.front().first > 0) gaps.push_back({0, runs.front().first - 1});
  for (std::size_t j = 1; j < runs.size(); ++j) gaps.push_back({runs[j - 1].second + 1, runs[j].first - 1});
  std::erase_if(gaps, [](const IndexRun& gap) { return Length(gap) < kMinKeptItems; });
  if (gaps.size() > static_cast<std::size_t>(kMostKeptRunsInFront)) {
    // The longest save the most painting.
    std::stable_sort(gaps.begin(), gaps.end(), [](const IndexRun& a, const IndexRun& b) { return Length(a) > Length(b); });
    gaps.resize(kMostKeptRunsInFront);
  }
  std::sort(gaps.rbegin(), gaps.rend());
  return gaps;
}

}  // namespace

std::vector<PlanPart> PlanCanvas(std::vector<IndexRun> selected, int count) {
  const std::vector<IndexRun> runs = Joined(std::move(selected), count);
  if (runs.empty()) return {};
  const int deepest = runs.back().second;
  std::vector<PlanPart> plan;
  if (deepest < count - 1) plan.push_back({deepest + 1, count - 1, PartKind::kBehind});
  int next = deepest;  // the highest index not planned yet
  const std::vector<IndexRun> kept = KeptInFront(runs);
  for (const IndexRun& gap : kept) {
    plan.push_back({gap.second + 1, next, PartKind::kRepainted});
    plan.push_back({gap.first, gap.second, PartKind::kKeptPictures});
    next = gap.first - 1;
  }
  if (next >= 0) plan.push_back({0, next, PartKind::kRepainted});
  const bool anyKept = std::any_of(plan.begin(), plan.end(), [](const PlanPart& p) { return p.kept(); });
  return anyKept ? plan : std::vector<PlanPart>{};
}

}  // namespace twk
