// The 25 keyboard commands reach the one dispatch with their virtual-key
// numbers whichever control has the focus, and never reach that control.

#include <gtest/gtest.h>

#include <QApplication>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/KeyCommandFilter.h"
#include "editor/KeyCommands.h"
#include "editor/KeyNumbers.h"
#include "app/ItemListWidget.h"

namespace twk {
namespace {

// Presses every registered key on `target` and returns the numbers the
// dispatch received.
// The first key stroke of each of the editor's single-key commands (their
// Shift variants aside), in registration order.
std::vector<std::pair<int, KeyStroke>> SingleKeys() {
  std::vector<std::pair<int, KeyStroke>> found;
  CommandRegistry editorTable;
  AddEditorCommands(editorTable);
  for (const CommandEntry& entry : editorTable.Entries()) {
    if (!entry.keys.empty() && !entry.keys.front().ctrl && !entry.keys.front().shift) found.emplace_back(entry.number, entry.keys.front());
  }
  return found;
}

std::vector<int> PressAllKeys(App& app, QWidget* target) {
  std::vector<int> received;
  const test::CommandTap tap(app, [&](int number) { received.push_back(number); });
  for (const auto& [number, key] : SingleKeys()) {
    const Qt::KeyboardModifiers modifiers = key.pad == KeyPad::kKeypad ? Qt::KeypadModifier : Qt::NoModifier;
    QTest::keyClick(target, static_cast<Qt::Key>(QtKeyOf(key.key)), modifiers);
  }
  return received;
}

std::vector<int> RegistrationOrder() {
  std::vector<int> numbers;
  for (const auto& [number, key] : SingleKeys()) numbers.push_back(number);
  return numbers;
}

// The command table of a started App, for the key view.
struct StartedTable {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<App> app = test::StartedApp(dialogs);
  const CommandRegistry& table = app->commands();
};

TEST(KeyTableTest, RegistersTheTwentyFiveCommandsInOrder) {
  const std::vector<int> expected = {51, 50, 49, 27, 77, 86, 84, 65, 68, 87, 83, 38, 40,
                                     37, 39, 107, 109, 187, 189, 46, 32, 104, 98, 100, 102};
  EXPECT_EQ(RegistrationOrder(), expected);
}

TEST(KeyTableTest, ModifiersAndKeypadDecideTheNumber) {
  StartedTable started;
  const CommandRegistry& table = started.table;
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_8, Qt::KeypadModifier), 104);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_8, Qt::NoModifier), 0);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_2, Qt::NoModifier), 50);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_2, Qt::KeypadModifier), 98);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_1, Qt::KeypadModifier), 0);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Plus, Qt::KeypadModifier), 107);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Plus, Qt::NoModifier), 187);  // "+" unshifted on some layouts
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Equal, Qt::NoModifier), 187);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Minus, Qt::NoModifier), 189);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Minus, Qt::KeypadModifier), 109);
  // The keys right of 0 count by position: on a French layout they type
  // ")" and "=", on a German one "sharp s" and an accent.
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_ParenRight, Qt::NoModifier, 20), 189);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_ssharp, Qt::NoModifier, 20), 189);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Dead_Acute, Qt::NoModifier, 21), 187);
  // "+" typed with Shift (US layout), by its key code or, unknown, by its sign.
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Plus, Qt::ShiftModifier, 21), 187);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Plus, Qt::ShiftModifier), 187);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Equal, Qt::ShiftModifier | Qt::ControlModifier, 21), 0);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_T, Qt::NoModifier, 28), 84);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Up, Qt::KeypadModifier), 38);  // keypad 8 with Num Lock off
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Up, Qt::ShiftModifier), 0);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_T, Qt::ControlModifier), 0);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Delete, Qt::AltModifier), 0);
  EXPECT_EQ(CommandNumberForKey(table, Qt::Key_Q, Qt::NoModifier), 0);
}

TEST(KeyTableTest, CtrlShortcutsTakeExactlyTheirModifiers) {
  StartedTable started;
  const CommandRegistry& table = started.table;
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier, alt = Qt::AltModifier;
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int number;
  } cases[] = {
      {Qt::Key_Z, ctrl, keys::kUndo},         {Qt::Key_Y, ctrl, keys::kRedo},
      {Qt::Key_Z, ctrl | shift, keys::kRedo}, {Qt::Key_S, ctrl, keys::kSave},
      {Qt::Key_O, ctrl, keys::kLoad},         {Qt::Key_E, ctrl, keys::kExportPng},
      {Qt::Key_Y, ctrl | shift, 0},           {Qt::Key_Z, ctrl | alt, 0},
      {Qt::Key_Z, shift, 0},                  {Qt::Key_S, ctrl | shift, keys::kSaveAs},
      {Qt::Key_N, ctrl, keys::kNew},          {Qt::Key_Q, ctrl, keys::kQuit},
      {Qt::Key_N, ctrl | shift, 0},
      {Qt::Key_Z, Qt::NoModifier, 0},         {Qt::Key_Up, ctrl, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommandNumberForKey(table, c.key, c.modifiers), c.number) << QKeySequence(c.key | c.modifiers).toString().toStdString();
  }
}

TEST(KeyboardTest, CtrlSOAndEReachSaveLoadAndExport) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;  // both file dialogs are cancelled
  auto app = test::StartedApp(dialogs);
  ItemListWidget* list = app->mainWindow()->lstItems;
  list->setFocus();
  QTest::keyClick(list, Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(app->mainWindow()->imgDraw, Qt::Key_O, Qt::ControlModifier);
  ASSERT_EQ(dialogs.fileRequests.size(), 2u);
  EXPECT_EQ(dialogs.fileRequests[0].title, "Save data");
  EXPECT_EQ(dialogs.fileRequests[1].title, "Load data");
  QTest::keyClick(app->mainWindow()->imgDraw, Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(app->exportWindowOpen());
}

TEST(KeyboardTest, EveryKeyReachesTheDispatchWhileTheCanvasHasTheFocus) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  EXPECT_EQ(PressAllKeys(*app, app->mainWindow()->imgDraw), RegistrationOrder());
}

TEST(KeyboardTest, EveryKeyReachesTheDispatchWhileTheListHasTheFocus) {
  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  auto app = test::StartedApp(dialogs);
  ItemListWidget* list = app->mainWindow()->lstItems;
  list->setFocus();
  EXPECT_EQ(PressAllKeys(*app, list), RegistrationOrder());
}

class ListKeysTest : public testing::Test {
 protected:
  void SetUp() override {
    app = test::StartedApp(dialogs);
    list = app->mainWindow()->lstItems;
    for (int i = 0; i < 3; ++i) {
      TWKDATA* item = app->session().doc().CData.append(TWKDATA{});
      item->Visible = 1;
      item->X1 = item->X4 = static_cast<float>(i);
      list->items().InsertRow(i, "Line");
      list->items().AttachItem(i, item);
      list->items().SetRowState(i, RowState{false, true});
    }
    list->items().SelectOnly(1);
    list->setFocus();
  }

  test::ScopedWorkDir dir;
  test::ScriptedDialogs dialogs;
  std::unique_ptr<App> app;
  ItemListWidget* list = nullptr;
};

TEST_F(ListKeysTest, ArrowsSpaceAndDeleteActOnItemsNotOnTheList) {
  QTest::keyClick(list, Qt::Key_Down);
  EXPECT_EQ(list->items().FirstSelectedRow(), 1);  // the list's selection did not move
  EXPECT_EQ(app->session().doc().CData.at(1)->Y1, 0.125f);  // the selected item did
  QTest::keyClick(list, Qt::Key_Space);
  EXPECT_TRUE(list->items().GetRowState(1).checked);  // Space did not toggle the check box
  QTest::keyClick(list, Qt::Key_Delete);
  EXPECT_EQ(list->items().RowCount(), 2);
  EXPECT_EQ(app->session().doc().CData.size(), 2);
}

TEST_F(ListKeysTest, ShiftWithAnArrowReachesTheList) {
  std::vector<int> received;
  const test::CommandTap tap(*app, [&](int number) { received.push_back(number); });
  QTest::keyClick(list, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_TRUE(received.empty());
  EXPECT_TRUE(list->items().GetRowState(1).selected);
  EXPECT_TRUE(list->items().GetRowState(2).selected);  // the list extended its selection
  EXPECT_EQ(app->session().doc().CData.at(2)->Y1, 0.0f);
}

}  // namespace
}  // namespace twk
