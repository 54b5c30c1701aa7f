// Every edit says what it changed: one report per edit, of the kinds the
// views follow (picture, title, grid), undo and redo as the edit itself.

#include <gtest/gtest.h>

#include <functional>

#include "editor/Construction.h"
#include "editor/ItemCommands.h"
#include "editor/ItemListing.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"
#include "editor/LoadDocument.h"
#include "TestEditor.h"

namespace twk::test {
namespace {

using K = DocumentChange;

struct Case {
  const char* what;
  std::function<void(TestEditor&)> run;
  std::vector<unsigned> reports;  // the kinds of each report, in order
};

void Key(TestEditor& t, int number) { DispatchCommand(t.ed, number); }

TEST(DocumentChangeTest, EachEditReportsWhatItChanged) {
  const Case cases[] = {
      {"move key", [](TestEditor& t) { Key(t, keys::kRight); }, {K::kItemFields}},
      {"hide", [](TestEditor& t) { Key(t, keys::kHide); }, {K::kVisibility}},
      {"hide hidden items", [](TestEditor& t) { Key(t, keys::kHide), Key(t, keys::kHide); }, {K::kVisibility}},
      {"delete", [](TestEditor& t) { Key(t, keys::kDelete); }, {K::kItemsInOut}},
      {"clone", [](TestEditor& t) { Key(t, keys::kClone); }, {K::kItemsInOut}},
      {"row moved", [](TestEditor& t) { RunEdit(t.ed, std::make_unique<MoveItem>(0, 2)); }, {K::kOrder}},
      {"size key", [](TestEditor& t) { Key(t, keys::kPad4); }, {K::kSize}},
      {"load", [](TestEditor& t) { LoadAsStep(t.ed, TWKFILE{}, "other.twk"); }, {K::kPicture}},
      {"type key", [](TestEditor& t) { Key(t, keys::kT); }, {K::kToolSettings}},
      {"method key on the selection", [](TestEditor& t) { Key(t, keys::kM); }, {K::kItemFields, K::kToolSettings}},
      {"undo and redo of a delete",
       [](TestEditor& t) { Key(t, keys::kDelete), Key(t, keys::kUndo), Key(t, keys::kRedo); },
       {K::kItemsInOut, K::kItemsInOut, K::kItemsInOut}},
      {"drawing with a size key between",
       [](TestEditor& t) { StartItem(t.ed, 50, 50), Key(t, keys::kPad4), FollowPointer(t.ed, 90, 90), FinishItem(t.ed); },
       {K::kConstruction, K::kConstruction, K::kConstruction, K::kItemsInOut, K::kSize}},
      {"drawing cancelled", [](TestEditor& t) { StartItem(t.ed, 50, 50), Key(t, keys::kEsc); },
       {K::kConstruction, K::kConstruction}},
  };
  for (const Case& c : cases) {
    TestEditor t;
    for (int i = 0; i < 3; ++i) t.doc.CData.append(MakeItem(kLine, i));
    RebuildRowsFromDocument(t.ed);
    SelectRows(t.rows, {0});
    c.run(t);
    EXPECT_EQ(t.reports, c.reports) << c.what;
  }
}

}  // namespace
}  // namespace twk::test
