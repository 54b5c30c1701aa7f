// Item revisions: every edit of an item's painted fields gives it a number
// no state had before, undo gives back the number of the state it restores,
// and neither equality nor the file sees the number.

#include <gtest/gtest.h>

#include "editor/Construction.h"
#include "editor/ItemCommands.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

std::vector<std::uint64_t> Revisions(const TestEditor& t) {
  std::vector<std::uint64_t> out;
  for (int i = 0; i < t.doc.CData.size(); ++i) out.push_back(t.doc.CData.at(i)->Revision);
  return out;
}

TEST(ItemRevisionTest, EditsRenumberOnlyTheItemsTheyChangeAndUndoRestoresTheNumbers) {
  const struct {
    const char* what;
    int number;
    std::vector<bool> changed;  // per item, rows 0 and 2 selected
  } cases[] = {
      {"move", keys::kRight, {true, false, true}},
      {"rotate", keys::kD, {true, false, true}},
      {"end style", keys::kV, {true, false, true}},
      {"hide", keys::kHide, {true, false, true}},
  };
  for (const auto& c : cases) {
    TestEditor t;
    for (int i = 0; i < 3; ++i) t.doc.CData.append(MakeItem(kLine, i));
    RebuildRowsFromDocument(t.ed);
    SelectRows(t.rows, {0, 2});
    const std::vector<std::uint64_t> before = Revisions(t);
    DispatchCommand(t.ed, c.number);
    const std::vector<std::uint64_t> after = Revisions(t);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(after[i] != before[i], c.changed[i]) << c.what << " item " << i;
    EXPECT_NE(after[0], after[2]) << c.what;
    UndoCommand(t.ed);
    EXPECT_EQ(Revisions(t), before) << c.what;
    RedoCommand(t.ed);
    EXPECT_EQ(Revisions(t), after) << c.what;
  }
}

TEST(ItemRevisionTest, TheItemBeingDrawnIsRenumberedByEachChange) {
  TestEditor t;
  StartItem(t.ed, 50, 50);
  std::uint64_t last = t.doc.CData.front()->Revision;
  const auto renumbered = [&] {
    const std::uint64_t now = t.doc.CData.front()->Revision;
    const bool changed = now != last;
    last = now;
    return changed;
  };
  FollowPointer(t.ed, 120, 90);
  EXPECT_TRUE(renumbered());
  DispatchCommand(t.ed, keys::k2);  // fixes a control point
  EXPECT_TRUE(renumbered());
  DispatchCommand(t.ed, keys::kM);  // the tool setting goes into the drawing
  EXPECT_TRUE(renumbered());
  DispatchCommand(t.ed, keys::k1);
  EXPECT_TRUE(renumbered());
  DispatchCommand(t.ed, keys::k1);  // already fixed: nothing changes
  EXPECT_FALSE(renumbered());
}

TEST(ItemRevisionTest, CopiesKeepTheNumberAndEqualityIgnoresIt) {
  const TWKDATA item = MakeItem(kRect, 1);
  TWKDATA copy = item;
  EXPECT_EQ(copy.Revision, item.Revision);
  Touch(copy);
  EXPECT_NE(copy.Revision, item.Revision);
  EXPECT_EQ(copy, item);
  EXPECT_NE(MakeItem(kRect, 1).Revision, MakeItem(kRect, 1).Revision);
}

}  // namespace
}  // namespace twk::test
