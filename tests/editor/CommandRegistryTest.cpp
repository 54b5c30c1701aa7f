// The command table: refusals judged once at dispatch, the menu in its own
// order, and a number given twice caught when the table is built.

#include <gtest/gtest.h>

#include <stdexcept>

#include "editor/CommandRegistry.h"
#include "TestEditor.h"

namespace twk {
namespace {

struct Counting {
  CommandRegistry table;
  int runs[3] = {0, 0, 0};
  Counting() {
    table.Add({1, "always", {}, {}, kNeverRefused, [this](EditorSession&) { ++runs[0]; }});
    table.Add({2, "not while drawing", {}, {}, kRefusedWhileDrawing, [this](EditorSession&) { ++runs[1]; }});
    table.Add({3, "neither", {}, {}, kRefusedWhileDrawing | kRefusedWhileExporting, [this](EditorSession&) { ++runs[2]; }});
  }
};

TEST(CommandRegistryTest, EachRefusalHoldsOnlyInItsOwnCondition) {
  const struct {
    CommandConditions now;
    bool expected[3];
  } cases[] = {
      {{false, false}, {true, true, true}},
      {{true, false}, {true, false, false}},
      {{false, true}, {true, true, false}},
      {{true, true}, {true, false, false}},
  };
  for (const auto& c : cases) {
    Counting counting;
    test::TestEditor t;
    for (int number = 1; number <= 3; ++number) {
      EXPECT_EQ(counting.table.MayRun(number, c.now), c.expected[number - 1]) << number;
      EXPECT_EQ(counting.table.Dispatch(t.ed, number, c.now), c.expected[number - 1]) << number;
      EXPECT_EQ(counting.runs[number - 1], c.expected[number - 1] ? 1 : 0) << number;
    }
  }
}

TEST(CommandRegistryTest, UnknownNumbersAndEntriesWithoutActionDoNotRun) {
  Counting counting;
  counting.table.Add({4, "request with arguments", {}, {}, kNeverRefused, nullptr});
  test::TestEditor t;
  EXPECT_FALSE(counting.table.MayRun(5, {}));
  EXPECT_FALSE(counting.table.Dispatch(t.ed, 5, {}));
  EXPECT_TRUE(counting.table.MayRun(4, {}));
  EXPECT_FALSE(counting.table.Dispatch(t.ed, 4, {}));
}

TEST(CommandRegistryTest, MenuFollowsMenuNumbersNotTheOrderOfAdding) {
  CommandRegistry table;
  table.Add({10, "b", {}, {8, "B"}, kNeverRefused, nullptr});
  table.Add({11, "off the menu", {}, {}, kNeverRefused, nullptr});
  table.Add({12, "a", {}, {6, "A"}, kNeverRefused, nullptr});
  std::vector<int> order;
  for (const CommandEntry* entry : table.MenuEntries()) order.push_back(entry->number);
  EXPECT_EQ(order, (std::vector<int>{12, 10}));
  EXPECT_EQ(table.FindMenuEntry(8)->number, 10);
  EXPECT_EQ(table.FindMenuEntry(0), nullptr);
}

TEST(CommandRegistryTest, ANumberMenuPlaceOrKeyGivenTwiceIsRefused) {
  CommandRegistry table;
  table.Add({1, "first", {{'2', KeyPad::kMain}, {'A', KeyPad::kEither, true}}, {6, "First"}, kNeverRefused, nullptr});
  const KeyStroke free[] = {{'2', KeyPad::kKeypad}, {'A'}, {'A', KeyPad::kEither, true, true}};
  const KeyStroke taken[] = {{'2', KeyPad::kEither}, {'2', KeyPad::kMain}, {'A', KeyPad::kKeypad, true}};
  int number = 10;
  for (const KeyStroke& stroke : free) EXPECT_NO_THROW(table.Add({++number, "free", {stroke}, {}, kNeverRefused, nullptr}));
  for (const KeyStroke& stroke : taken) EXPECT_THROW(table.Add({++number, "taken", {stroke}, {}, kNeverRefused, nullptr}), std::logic_error);
  EXPECT_THROW(table.Add({1, "again", {}, {}, kNeverRefused, nullptr}), std::logic_error);
  EXPECT_THROW(table.Add({2, "same place", {}, {6, "Other"}, kNeverRefused, nullptr}), std::logic_error);
  EXPECT_EQ(table.Entries().size(), 4u);
}

}  // namespace
}  // namespace twk
