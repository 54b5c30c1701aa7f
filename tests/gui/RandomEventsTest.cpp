// A long seeded run of random mouse, key, menu, drag, undo and redo events on
// the real windows. After every event the item list must mirror the document
// one to one and in order, every check mark must equal its item's visibility,
// and the item under construction must be the front item exactly while one
// is being drawn. Now and then the canvas must show what a full redraw shows.
// The run is cut into stretches that each start like a load (a new history);
// at the end of each, undoing everything gives the bytes the stretch started
// with, and redoing everything gives its end's bytes.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTest>
#include <fstream>
#include <iterator>
#include <map>
#include <random>

#include "GuiTestSupport.h"
#include "app/ImageCanvas.h"
#include "app/ImageConversion.h"
#include "app/ItemListWidget.h"
#include "editor/KeyNumbers.h"
#include "persist/DocumentFile.h"
#include "render/RenderTestSupport.h"
#include "render/SceneRenderer.h"

namespace twk::test {
namespace {

constexpr int kEvents = 20000;
constexpr unsigned kSeed = 20240611;
constexpr int kMaxItems = 24;  // keeps every redraw cheap
// Each event makes at most one step, so a stretch fits the history.
constexpr int kStretch = 1000;

struct KeyStroke {
  Qt::Key key;
  Qt::KeyboardModifiers mods;
};

// All 25 command keys.
const KeyStroke kKeys[] = {
    {Qt::Key_3, {}}, {Qt::Key_2, {}}, {Qt::Key_1, {}}, {Qt::Key_Escape, {}}, {Qt::Key_M, {}},
    {Qt::Key_V, {}}, {Qt::Key_T, {}}, {Qt::Key_A, {}}, {Qt::Key_D, {}}, {Qt::Key_W, {}},
    {Qt::Key_S, {}}, {Qt::Key_Up, {}}, {Qt::Key_Down, {}}, {Qt::Key_Left, {}}, {Qt::Key_Right, {}},
    {Qt::Key_Plus, Qt::KeypadModifier}, {Qt::Key_Minus, Qt::KeypadModifier}, {Qt::Key_Equal, {}},
    {Qt::Key_Minus, {}}, {Qt::Key_Delete, {}}, {Qt::Key_Space, {}},
    {Qt::Key_8, Qt::KeypadModifier}, {Qt::Key_2, Qt::KeypadModifier},
    {Qt::Key_4, Qt::KeypadModifier}, {Qt::Key_6, Qt::KeypadModifier},
};

class RandomRun {
 public:
  explicit RandomRun(App& app) : app_(app), rng_(kSeed) {}

  // One random event; returns what it was, for the failure message.
  std::string Step() {
    const int kind = Pick(100);
    if (held_) {
      // While the button is held on the canvas only the canvas and the
      // keyboard can be reached (the pointer is confined).
      if (kind < 55) return Move();
      if (kind < 70) return Release();
      if (kind < 73) return UndoOrRedo();  // undo cancels the drawing
      return Key();
    }
    if (kind < 9) return UndoOrRedo();
    if (kind < 14) return Press();
    if (kind < 50) return Key();
    if (kind < 62) return ClickRow();
    if (kind < 68) return ToggleCheck();
    if (kind < 84) return PopupCommand();
    if (kind < 94) return DragRow();
    return ClickPalette();
  }

  // The invariants every event must keep; empty when they hold.
  std::string Broken() const {
    const EditorState& st = app_.session().state();
    const ItemStore& items = app_.session().doc().CData;
    const ItemListWidget& list = *app_.mainWindow()->lstItems;
    const bool frontBuilt = st.ConstructionItem != nullptr && st.ConstructionItem == items.front();
    if (st.Constructing != frontBuilt) return "construction item is not the front item";
    if (!st.Constructing && st.ConstructionItem) return "construction item left over";
    const int offset = st.Constructing ? 1 : 0;
    if (list.items().RowCount() + offset != items.size()) return "row count differs from the items";
    for (int r = 0; r < list.items().RowCount(); ++r) {
      if (list.items().RowItem(r) != items.at(r + offset)) return "row " + std::to_string(r) + " has another item";
      if (list.items().GetRowState(r).checked != (items.at(r + offset)->Visible != 0))
        return "check mark of row " + std::to_string(r) + " differs from Visible";
    }
    return {};
  }

  // The canvas shows exactly a full redraw of the current document.
  bool CanvasUpToDate() const {
    if (!app_.canvas().grid()) return true;
    // A repaint past a frame's budget arrives from the worker.
    if (!app_.canvas().Settle()) return false;
    const auto fresh = ComposeCanvas(*app_.canvas().grid(), app_.session().doc(), app_.session().pixelsPerUnitX,
                                     app_.session().pixelsPerUnitY);
    const QImage& shown = app_.mainWindow()->imgDraw->image();
    return fresh && shown.size() == QSize(fresh->width(), fresh->height()) &&
           test::WithinLayerRounding(shown.constBits(), static_cast<int>(shown.bytesPerLine()), fresh->data(),
                                     fresh->stride(), fresh->width(), fresh->height());
  }

  void Finish() {
    if (held_) Release();
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  QPoint CanvasPoint() { return QPoint(Pick(360) - 20, Pick(360) - 20); }
  ItemListWidget* list() { return app_.mainWindow()->lstItems; }
  QPoint RowPoint(int row) {
    if (row >= list()->items().RowCount()) return QPoint(60, list()->viewport()->height() - 3);
    return QPoint(60, list()->rowRect(row).center().y());
  }

  std::string Press() {
    const QPoint p(Pick(320), Pick(320));
    QTest::mousePress(app_.mainWindow()->imgDraw, Qt::LeftButton, {}, p);
    held_ = true;
    return "press";
  }
  std::string Move() {
    QTest::mouseMove(app_.mainWindow()->imgDraw, CanvasPoint());
    return "move";
  }
  std::string Release() {
    QTest::mouseRelease(app_.mainWindow()->imgDraw, Qt::LeftButton, {}, CanvasPoint());
    held_ = false;
    return "release";
  }
  std::string Key() {
    const KeyStroke& k = kKeys[Pick(25)];
    // Keep the document small: no Clone-like growth from keys, but Delete
    // and everything else as it comes.
    QTest::keyClick(held_ ? static_cast<QWidget*>(app_.mainWindow()->imgDraw) : Pick(2) ? static_cast<QWidget*>(list())
                                                                             : app_.mainWindow()->imgDraw,
                    k.key, k.mods);
    return "key " + QKeySequence(k.key).toString().toStdString();
  }
  std::string ClickRow() {
    if (list()->items().RowCount() == 0) return "no row to click";
    const Qt::KeyboardModifiers mods[] = {Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier};
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, mods[Pick(3)], RowPoint(Pick(list()->items().RowCount() + 1)));
    return "row click";
  }
  std::string ToggleCheck() {
    if (list()->items().RowCount() == 0) return "no check box";
    const int row = Pick(list()->items().RowCount());
    list()->model()->setData(list()->model()->index(row, 0), list()->items().GetRowState(row).checked ? Qt::Unchecked : Qt::Checked,
                             Qt::CheckStateRole);
    return "check box";
  }
  std::string PopupCommand() {
    int number = 6 + Pick(4);  // Hide, Show, Clone, Delete
    if (number == 8 && app_.session().doc().CData.size() > kMaxItems) number = 9;
    if (Pick(20) == 0) {  // now and then through the real menu
      const QPoint p = RowPoint(Pick(list()->items().RowCount() + 1));
      QContextMenuEvent event(QContextMenuEvent::Mouse, p, list()->viewport()->mapToGlobal(p));
      QApplication::sendEvent(list()->viewport(), &event);
      QMenu* menu = app_.mainWindow()->popupMenu;
      for (QAction* action : menu->actions()) {
        if (action->data().toInt() == number) menu->setActiveAction(action);
      }
      QTest::keyClick(menu, Qt::Key_Return);
      return "menu " + std::to_string(number);
    }
    app_.PopupCommand(number);
    return "command " + std::to_string(number);
  }
  std::string DragRow() {
    if (list()->items().RowCount() == 0) return "no row to drag";
    QWidget* vp = list()->viewport();
    const int outcome = Pick(10);
    const QPoint target = RowPoint(Pick(list()->items().RowCount() + 1));
    list()->runDrag = [vp, target, outcome](QMimeData* mime) {
      if (outcome == 0) return;  // dropped outside the list
      QDragEnterEvent enter(target, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(vp, &enter);
      QDragMoveEvent move(target, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(vp, &move);
      QDropEvent drop(QPointF(target), Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(vp, &drop);
    };
    const QPoint from = RowPoint(Pick(list()->items().RowCount()));
    QTest::mousePress(vp, Qt::LeftButton, {}, from);
    QTest::mouseMove(vp, from + QPoint(2, 2));
    QTest::mouseMove(vp, from + QPoint(30, 30));
    QTest::mouseRelease(app_.mainWindow()->lblVersion, Qt::LeftButton, {}, QPoint(1, 1));
    list()->runDrag = {};
    return "row drag";
  }
  std::string UndoOrRedo() {
    const KeyStroke strokes[] = {{Qt::Key_Z, Qt::ControlModifier},
                                 {Qt::Key_Z, Qt::ControlModifier},
                                 {Qt::Key_Y, Qt::ControlModifier},
                                 {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}};
    const KeyStroke& k = strokes[Pick(4)];
    QTest::keyClick(held_ || Pick(2) ? static_cast<QWidget*>(app_.mainWindow()->imgDraw) : static_cast<QWidget*>(list()), k.key,
                    k.mods);
    return k.key == Qt::Key_Z && k.mods == Qt::ControlModifier ? "undo" : "redo";
  }
  std::string ClickPalette() {
    QTest::mouseClick(app_.mainWindow()->imgPalette, Qt::LeftButton, {}, QPoint(Pick(app_.mainWindow()->imgPalette->width()), 5));
    return "palette";
  }

  App& app_;
  std::mt19937 rng_;
  bool held_ = false;
};

std::vector<const TWKDATA*> Order(const TWKFILE& doc) {
  std::vector<const TWKDATA*> order;
  for (int i = 0; i < doc.CData.size(); ++i) order.push_back(doc.CData.at(i));
  return order;
}

// The bytes Save writes for the current document.
std::string SavedBytes(App& app, const ScopedWorkDir& dir) {
  const std::string path = dir.file("state.twk");
  EXPECT_EQ(SaveDocumentFile(path, app.session().doc()), ResultCode::kOk);
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(RandomEventsTest, ListAndDocumentStayInStep) {
  ScopedWorkDir dir;
  ScriptedDialogs dialogs;  // answers "cancel" should anything ask
  std::unique_ptr<App> app = StartedApp(dialogs);
  // The palette is made at random as well: from the run's seed, so that
  // every run picks the same colours.
  app->palette().Default(kSeed);
  app->palette().Draw();
  // The canvas is checked against the document's own picture: without the
  // selection's marks over it.
  app->DispatchCommand(keys::kH);
  RandomRun run(*app);
  int drawn = 0, maxItems = 0, retraced = 0;
  std::size_t deepestUndo = 0;
  std::map<std::string, int> reordered;  // events that changed the item order
  std::string stretchStart;
  for (int i = 0; i < kEvents; ++i) {
    if (i % kStretch == 0) {
      // A new stretch starts from the same document loaded afresh.
      run.Finish();
      TWKFILE copy = app->session().doc();
      twk::test::ReplaceDocument(*app, std::move(copy));
      stretchStart = SavedBytes(*app, dir);
    }
    const std::vector<const TWKDATA*> before = Order(app->session().doc());
    const std::string what = run.Step();
    QCoreApplication::processEvents();
    const std::string broken = run.Broken();
    ASSERT_TRUE(broken.empty()) << "event " << i << " (" << what << "): " << broken;
    if (i % 250 == 0) ASSERT_TRUE(run.CanvasUpToDate()) << "event " << i << " (" << what << ")";
    maxItems = std::max(maxItems, app->session().doc().CData.size());
    deepestUndo = std::max(deepestUndo, app->session().history().undoCount());
    if (what == "release") ++drawn;
    if (Order(app->session().doc()) != before) ++reordered[what.substr(0, what.find(' '))];

    if (i % kStretch == kStretch - 1) {
      run.Finish();
      QCoreApplication::processEvents();
      // Steps undone last and not redone belong past the end of the stretch.
      while (app->session().history().redoCount() > 0) app->DispatchCommand(keys::kRedo);
      const std::string stretchEnd = SavedBytes(*app, dir);
      const std::size_t steps = app->session().history().undoCount() + app->session().history().redoCount();
      while (app->session().history().undoCount() > 0) {
        app->DispatchCommand(keys::kUndo);
        ASSERT_TRUE(run.Broken().empty()) << "undoing after event " << i << ": " << run.Broken();
      }
      ASSERT_EQ(SavedBytes(*app, dir), stretchStart) << "stretch ending at event " << i;
      ASSERT_TRUE(run.CanvasUpToDate());
      while (app->session().history().redoCount() > 0) {
        app->DispatchCommand(keys::kRedo);
        ASSERT_TRUE(run.Broken().empty()) << "redoing after event " << i << ": " << run.Broken();
      }
      ASSERT_EQ(SavedBytes(*app, dir), stretchEnd) << "stretch ending at event " << i;
      ASSERT_TRUE(run.CanvasUpToDate());
      if (steps > 0) ++retraced;
    }
  }
  run.Finish();
  QCoreApplication::processEvents();
  EXPECT_TRUE(run.Broken().empty());
  EXPECT_TRUE(run.CanvasUpToDate());
  EXPECT_TRUE(dialogs.fileRequests.empty());
  EXPECT_TRUE(dialogs.messages.empty());
  // The run really drew and listed items, and undid and redid them.
  EXPECT_GT(drawn, 100);
  EXPECT_GT(maxItems, 5);
  EXPECT_GT(reordered["row"], 10);   // drops that moved an item
  EXPECT_GT(reordered["menu"], 0);   // clones and deletes through the menu
  EXPECT_GT(reordered["command"], 10);
  EXPECT_GT(reordered["key"], 10);   // Delete key
  EXPECT_GT(reordered["undo"], 10);
  EXPECT_GT(reordered["redo"], 10);
  EXPECT_EQ(retraced, kEvents / kStretch);
  EXPECT_GT(deepestUndo, 100u);
}

}  // namespace
}  // namespace twk::test
