// Which items the canvas keeps for a selection, and as what.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "render/canvas/CanvasPlan.h"

namespace twk {

void PrintTo(const PlanPart& part, std::ostream* os) {
  const char* kinds[] = {" behind", " kept pictures", " repainted"};
  *os << part.first << ".." << part.last << kinds[static_cast<int>(part.kind)];
}

namespace {

constexpr PartKind kB = PartKind::kBehind, kK = PartKind::kKeptPictures, kR = PartKind::kRepainted;

struct PlanCase {
  std::string what;
  std::vector<IndexRun> selected;
  int count;
  std::vector<PlanPart> plan;
};

std::vector<IndexRun> SingleItems(int first, int step, int count) {
  std::vector<IndexRun> runs;
  for (int i = 0; i < count; ++i) runs.push_back({first + i * step, first + i * step});
  return runs;
}

TEST(CanvasPlan, KeepsTheUnselectedRunsWorthABlend) {
  // Items 10, 15, ..., 165 selected: 32 runs of unselected items in front.
  std::vector<PlanPart> thirtyTwoInFront{{166, 999, kB}};
  for (int i = 165; i >= 10; i -= 5) {
    thirtyTwoInFront.push_back({i, i, kR});
    thirtyTwoInFront.push_back({i == 10 ? 0 : i - 4, i - 1, kK});
  }
  // Items 5, 10, ..., 160 and 200: 33 runs in front, the one behind 160
  // the longest and the front one next; the nearest the back of the
  // others is painted with the selection.
  std::vector<IndexRun> thirtyThreeRuns = SingleItems(5, 5, 32);
  thirtyThreeRuns.push_back({200, 200});
  std::vector<PlanPart> thirtyThreeInFront{{201, 999, kB}, {200, 200, kR}, {161, 199, kK}, {155, 160, kR}};
  for (int i = 150; i >= 5; i -= 5) {
    thirtyThreeInFront.push_back({i + 1, i + 4, kK});
    thirtyThreeInFront.push_back({i, i, kR});
  }
  thirtyThreeInFront.push_back({0, 4, kK});
  const PlanCase cases[] = {
      {"nothing selected", {}, 100, {}},
      {"every item selected", {{0, 99}}, 100, {}},
      {"the front item", {{0, 0}}, 100, {{1, 99, kB}, {0, 0, kR}}},
      {"a middle item", {{50, 50}}, 100, {{51, 99, kB}, {50, 50, kR}, {0, 49, kK}}},
      {"the back item", {{99, 99}}, 100, {{99, 99, kR}, {0, 98, kK}}},
      {"runs out of order, overlapping and touching, past the end", {{70, 80}, {20, 22}, {75, 120}, {23, 23}},
       100, {{70, 99, kR}, {24, 69, kK}, {20, 23, kR}, {0, 19, kK}}},
      {"a short run between selected ones is painted with them", {{10, 10}, {13, 13}, {50, 50}}, 100,
       {{51, 99, kB}, {50, 50, kR}, {14, 49, kK}, {10, 13, kR}, {0, 9, kK}}},
      {"a short run in front too", {{3, 3}, {60, 61}}, 100,
       {{62, 99, kB}, {60, 61, kR}, {4, 59, kK}, {0, 3, kR}}},
      {"only short runs: the layer behind alone", SingleItems(0, 2, 40), 100, {{79, 99, kB}, {0, 78, kR}}},
      {"the back item and a short front", {{2, 2}}, 3, {}},
      {"as many layers in front as are kept", SingleItems(10, 5, 32), 1000, thirtyTwoInFront},
      {"one more: the longest are kept", thirtyThreeRuns, 1000, thirtyThreeInFront},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(PlanCanvas(c.selected, c.count), c.plan);
  }
}

}  // namespace
}  // namespace twk
