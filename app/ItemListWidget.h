#pragma once
// lstItems: the check-box list beside the canvas, one row per item. It is
// the editor's ItemRows: row text, attached item, check box = check mark,
// selection. It reports every change of selection or check mark (made by the
// user or by the program) once through `changed`, opens the popup menu on a
// right-click, and carries rows by drag and drop as plain text.

#include <QTreeWidget>
#include <functional>

#include "editor/ItemRows.h"

class QMimeData;

namespace twk {

class ItemListWidget : public QTreeWidget, public ItemRows {
  Q_OBJECT

 public:
  explicit ItemListWidget(QWidget* parent = nullptr);

  // ItemRows
  int RowCount() const override;
  RowState GetRowState(int row) const override;
  void SetRowState(int row, RowState state) override;
  TWKDATA* RowItem(int row) const override;
  void AttachItem(int row, TWKDATA* item) override;
  void InsertRow(int index, const std::string& text) override;
  void RemoveRow(int row) override;
  void RemoveAllRows() override;
  void SelectOnly(int row) override;
  int FirstSelectedRow() const override;
  std::string RowText(int row) const override;
  void BeginUpdate() override;
  void EndUpdate() override;

  // Where the check box of `row` is drawn, in viewport coordinates.
  QRect checkBoxRect(int row) const;

  // The row marked as drop target while text is dragged over the list, or -1.
  int dropTargetRow() const { return dropTarget_; }

  // A selection or check mark changed.
  std::function<void()> changed;
  // Right-click: open the popup menu at this screen position.
  std::function<void(QPoint)> contextMenuAt;
  // A row drag begins; returns the text to carry, or an empty text when no
  // drag may start (no row selected).
  std::function<QString()> dragStarting;
  // Text was dropped (handled after the drag operation has ended).
  std::function<void(const QString&)> textDropped;
  // A drag from this list ended without a drop on it.
  std::function<void()> dragEndedElsewhere;
  // Runs the drag operation; QDrag::exec with the copy action by default.
  // Tests replace it.
  std::function<void(QMimeData*)> runDrag;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  class Quiet;  // holds change reports back while the program edits rows
  void ReportChange();
  void SetDropTarget(int row);
  static bool AcceptsDrop(const QMimeData* data);

  int quiet_ = 0;
  bool pendingChange_ = false;
  int dropTarget_ = -1;
  bool dragging_ = false;
  bool droppedHere_ = false;
  bool dragJustEnded_ = false;
  bool checkBoxPressed_ = false;
};

}  // namespace twk
