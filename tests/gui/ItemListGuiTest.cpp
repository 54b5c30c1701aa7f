// The item list through real events: clicks, the check boxes, the popup menu
// chosen with the keyboard, and row drag and drop (the drag operation itself
// replaced by drop events on the list).

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/ItemListWidget.h"
#include "editor/KeyNumbers.h"

namespace twk::test {
namespace {

void Settle() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

class ItemListGui : public ::testing::Test {
 protected:
  ItemListWidget* list() { return app->mainWindow()->lstItems; }
  QWidget* viewport() { return list()->viewport(); }
  TWKFILE& doc() { return app->session().doc(); }

  // A document of `count` items named item0.. (front first), listed as after
  // a load.
  void Fill(int count) {
    TWKFILE filled;
    for (int i = 0; i < count; ++i) {
      TWKDATA item;
      item.Name = "item" + std::to_string(i);
      item.Type = static_cast<std::uint8_t>(i % 4);
      item.Visible = 1;
      item.DrawWidth = 1;
      item.DrawRGBA = -16777216;
      item.X1 = item.Y1 = 1.5f + static_cast<float>(i);
      item.X4 = item.Y4 = 4.5f + static_cast<float>(i);
      filled.CData.append(item);
    }
    twk::test::ReplaceDocument(*app, std::move(filled));
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int i = 0; i < doc().CData.size(); ++i) names.push_back(doc().CData.at(i)->Name);
    return names;
  }
  static std::vector<std::string> Expect(std::initializer_list<int> tags) {
    std::vector<std::string> names;
    for (int tag : tags) names.push_back("item" + std::to_string(tag));
    return names;
  }
  std::vector<int> Selected() {
    std::vector<int> rows;
    for (int r = 0; r < list()->items().RowCount(); ++r)
      if (list()->items().GetRowState(r).selected) rows.push_back(r);
    return rows;
  }
  bool Mirrors() {
    if (list()->items().RowCount() != doc().CData.size()) return false;
    for (int r = 0; r < list()->items().RowCount(); ++r) {
      if (list()->items().RowItem(r) != doc().CData.at(r)) return false;
      if (list()->items().GetRowState(r).checked != (doc().CData.at(r)->Visible != 0)) return false;
    }
    return true;
  }

  // A point on the row's text, in viewport coordinates.
  QPoint RowPoint(int row) {
    return QPoint(60, list()->rowRect(row).center().y());
  }
  void ClickRow(int row, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(viewport(), Qt::LeftButton, mods, RowPoint(row));
  }

  // Right-click at `p` (viewport coordinates): the press adjusts the
  // selection, the context menu event opens the menu.
  QMenu* OpenMenuAt(QPoint p) {
    QTest::mouseClick(viewport(), Qt::RightButton, {}, p);
    QContextMenuEvent event(QContextMenuEvent::Mouse, p, viewport()->mapToGlobal(p));
    QApplication::sendEvent(viewport(), &event);
    return app->mainWindow()->popupMenu;
  }
  // Moves to the entry with the arrow keys and takes it with Return.
  void Choose(QMenu* menu, const QString& text) {
    for (int i = 0; i < 12 && !(menu->activeAction() && menu->activeAction()->text() == text); ++i)
      QTest::keyClick(menu, Qt::Key_Down);
    ASSERT_TRUE(menu->activeAction() && menu->activeAction()->text() == text) << text.toStdString();
    QTest::keyClick(menu, Qt::Key_Return);
    Settle();
  }
  void MenuCommand(int row, const QString& text) {
    QMenu* menu = OpenMenuAt(RowPoint(row));
    ASSERT_TRUE(menu->isVisible());
    Choose(menu, text);
    EXPECT_FALSE(menu->isVisible());
  }

  // Drags row `from` with the mouse; the drag operation drops at `dropAt`
  // (viewport coordinates), or nowhere on the list when `dropAt` is null.
  void DragRow(int from, std::optional<QPoint> dropAt) {
    QWidget* vp = viewport();
    bool started = false;
    list()->runDrag = [vp, dropAt, &started](QMimeData* mime) {
      started = true;
      if (!dropAt) return;
      QDragEnterEvent enter(*dropAt, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(vp, &enter);
      QDragMoveEvent move(*dropAt, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(vp, &move);
      QDropEvent drop(QPointF(*dropAt), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(vp, &drop);
    };
    const QPoint p = RowPoint(from);
    QTest::mousePress(vp, Qt::LeftButton, {}, p);
    QTest::mouseMove(vp, p + QPoint(2, 2));
    QTest::mouseMove(vp, p + QPoint(40, 40));
    // The drag operation took the button's release; it never reaches the
    // list. Release over another control so the test's button state ends.
    QTest::mouseRelease(app->mainWindow()->lblVersion, Qt::LeftButton, {}, QPoint(1, 1));
    Settle();
    list()->runDrag = {};
    EXPECT_TRUE(started) << "no drag started from row " << from;
  }
  // Text from another program dropped on the list at `p`.
  void ForeignDrop(QPoint p, const QString& text) {
    QMimeData mime;
    mime.setText(text);
    QDragEnterEvent enter(p, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &enter);
    QDropEvent drop(QPointF(p), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport(), &drop);
    Settle();
  }

  ScopedWorkDir dir;
  ScriptedDialogs dialogs;
  std::unique_ptr<App> app = StartedApp(dialogs);
};

TEST_F(ItemListGui, ClicksSelectAndCheckBoxesHide) {
  Fill(3);
  EXPECT_EQ(Selected(), std::vector<int>{0});
  ClickRow(2);
  EXPECT_EQ(Selected(), std::vector<int>{2});
  ClickRow(0, Qt::ControlModifier);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
  ClickRow(1, Qt::ShiftModifier);
  EXPECT_FALSE(Selected().empty());
  // Unticking a row's check box hides its item with one redraw.
  const int redraws = app->canvas().redrawCount();
  list()->model()->setData(list()->model()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
  EXPECT_EQ(doc().CData.at(1)->Visible, 0);
  EXPECT_EQ(app->canvas().redrawCount(), redraws + 1);
  list()->model()->setData(list()->model()->index(1, 0), Qt::Checked, Qt::CheckStateRole);
  EXPECT_EQ(doc().CData.at(1)->Visible, 1);
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, UndoingDeleteOfEveryRowComesBackAtTheTop) {
  Fill(200);
  list()->setFocus();
  QTest::keyClick(list(), Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(Selected().size(), 200u);
  app->DispatchCommand(keys::kDelete);
  ASSERT_EQ(list()->items().RowCount(), 0);
  app->DispatchCommand(keys::kUndo);
  Settle();
  EXPECT_EQ(Selected().size(), 200u);
  EXPECT_EQ(list()->currentIndex().row(), 0);
  EXPECT_EQ(list()->verticalScrollBar()->value(), 0);
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, ClickingACheckBoxTogglesVisibilityAndKeepsTheSelection) {
  Fill(3);
  ClickRow(0);
  ClickRow(2, Qt::ControlModifier);
  const QRect box = list()->checkBoxRect(1);
  ASSERT_FALSE(box.isEmpty());
  const int redraws = app->canvas().redrawCount();

  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, box.center());
  EXPECT_EQ(doc().CData.at(1)->Visible, 0);
  EXPECT_FALSE(list()->items().GetRowState(1).checked);
  EXPECT_EQ(app->canvas().redrawCount(), redraws + 1);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));

  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->checkBoxRect(0).center());
  QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, box.center());
  EXPECT_EQ(doc().CData.at(0)->Visible, 0);
  EXPECT_EQ(doc().CData.at(1)->Visible, 1);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, HideAndShowFromTheMenuKeepTheSelection) {
  Fill(3);
  ClickRow(0);
  ClickRow(2, Qt::ControlModifier);
  const int redraws = app->canvas().redrawCount();
  MenuCommand(2, "Hide");
  EXPECT_EQ(doc().CData.at(0)->Visible, 0);
  EXPECT_EQ(doc().CData.at(1)->Visible, 1);
  EXPECT_EQ(doc().CData.at(2)->Visible, 0);
  EXPECT_EQ(Selected(), (std::vector<int>{0, 2}));
  EXPECT_TRUE(Mirrors());
  EXPECT_EQ(app->canvas().redrawCount(), redraws + 1);
  MenuCommand(2, "Hide");
  EXPECT_EQ(app->canvas().redrawCount(), redraws + 1);
  MenuCommand(0, "Show");
  EXPECT_EQ(doc().CData.at(0)->Visible, 1);
  EXPECT_EQ(doc().CData.at(2)->Visible, 1);
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, RightClickOnAnUnselectedRowThenDeleteDeletesThatRow) {
  Fill(3);
  MenuCommand(1, "Delete");
  EXPECT_EQ(Names(), Expect({0, 2}));
  EXPECT_TRUE(Mirrors());
  // Menu Delete and the Delete key do the same.
  ClickRow(1);
  QTest::keyClick(list(), Qt::Key_Delete);
  EXPECT_EQ(Names(), Expect({0}));
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, CloneOfRowsOneAndThree) {
  Fill(4);
  ClickRow(1);
  ClickRow(3, Qt::ControlModifier);
  MenuCommand(3, "Clone");
  EXPECT_EQ(Names(), Expect({1, 3, 0, 1, 2, 3}));
  EXPECT_EQ(Selected(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, MenuDismissedTenTimesThenCloneMakesOneCopyEach) {
  Fill(2);
  ClickRow(0);
  ClickRow(1, Qt::ControlModifier);
  for (int i = 0; i < 10; ++i) {
    QMenu* menu = OpenMenuAt(RowPoint(i % 2));
    ASSERT_TRUE(menu->isVisible());
    QTest::keyClick(menu, Qt::Key_Escape);
    Settle();
    ASSERT_FALSE(menu->isVisible());
  }
  EXPECT_EQ(doc().CData.size(), 2);
  MenuCommand(0, "Clone");
  EXPECT_EQ(Names(), Expect({0, 1, 0, 1}));
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, MenuBelowTheRowsFindsNothingSelected) {
  Fill(2);
  QMenu* menu = OpenMenuAt(QPoint(60, viewport()->height() - 4));
  // The click below the rows cleared the selection; Delete finds nothing.
  Choose(menu, "Delete");
  EXPECT_EQ(doc().CData.size(), 2);
}

TEST_F(ItemListGui, CommandsRefuseWhileDrawing) {
  Fill(2);
  ClickRow(0);
  QTest::mousePress(app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(50, 50));
  QTest::mouseMove(app->mainWindow()->imgDraw, QPoint(150, 150));
  QMenu* menu = OpenMenuAt(RowPoint(0));
  Choose(menu, "Delete");
  menu = OpenMenuAt(RowPoint(0));
  Choose(menu, "Hide");
  menu = OpenMenuAt(RowPoint(0));
  Choose(menu, "Clone");
  EXPECT_EQ(doc().CData.size(), 3);
  EXPECT_EQ(doc().CData.at(1)->Visible, 1);
  QTest::mouseRelease(app->mainWindow()->imgDraw, Qt::LeftButton, {}, QPoint(150, 150));
  EXPECT_EQ(list()->items().RowCount(), 3);
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, DragRowZeroOntoRowTwoAndRowThreeOntoRowOne) {
  Fill(4);
  ClickRow(0);
  DragRow(0, RowPoint(2));
  EXPECT_EQ(Names(), Expect({1, 2, 0, 3}));
  EXPECT_EQ(Selected(), std::vector<int>{2});
  EXPECT_TRUE(Mirrors());
  ClickRow(3);
  DragRow(3, RowPoint(1));
  EXPECT_EQ(Names(), Expect({1, 3, 2, 0}));
  EXPECT_EQ(Selected(), std::vector<int>{1});
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, DropOnItselfOrBelowTheRowsMovesNothing) {
  Fill(4);
  ClickRow(1);
  const int redraws = app->canvas().redrawCount();
  DragRow(1, RowPoint(1));
  EXPECT_EQ(Names(), Expect({0, 1, 2, 3}));
  EXPECT_EQ(app->canvas().redrawCount(), redraws);
  ClickRow(1);
  DragRow(1, QPoint(60, viewport()->height() - 4));
  EXPECT_EQ(Names(), Expect({0, 1, 2, 3}));
  EXPECT_TRUE(Selected().empty());
  EXPECT_EQ(app->canvas().redrawCount(), redraws);
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, DraggingOneOfTwoSelectedRowsMovesTheFirst) {
  Fill(4);
  ClickRow(1);
  ClickRow(3, Qt::ControlModifier);
  DragRow(3, RowPoint(3));
  EXPECT_EQ(Names(), Expect({0, 2, 3, 1}));
  EXPECT_TRUE(Mirrors());
}

TEST_F(ItemListGui, DragEndingElsewhereLeavesNoStaleMove) {
  Fill(4);
  ClickRow(0);
  DragRow(0, std::nullopt);  // dropped outside the list
  ClickRow(0);
  QTest::keyClick(list(), Qt::Key_Delete);  // the dragged row is gone
  ForeignDrop(RowPoint(1), "Line");
  EXPECT_EQ(Names(), Expect({1, 2, 3}));
  EXPECT_EQ(Selected(), std::vector<int>{1});  // the drop still selected
  EXPECT_TRUE(Mirrors());
}

}  // namespace
}  // namespace twk::test
