#pragma once
// lstItems: the check-box list beside the canvas, one row per item. It is a
// view of the editor's ItemList: it shows the list's rows, selection, check
// marks and focus mark, and sends the user's clicks, keys and check boxes
// back to the list as requests. It opens the popup menu on a right-click and
// carries rows by drag and drop as plain text.

#include <QTreeView>
#include <functional>

#include "editor/ItemList.h"

class QMimeData;

namespace twk {

class ItemListModel;

class ItemListWidget : public QTreeView, public ItemListView {
  Q_OBJECT

 public:
  explicit ItemListWidget(ItemList& items, QWidget* parent = nullptr);
  ~ItemListWidget() override;

  ItemList& items() const { return items_; }

  // Where the check box of `row` is drawn, in viewport coordinates.
  QRect checkBoxRect(int row) const;
  // Where `row` is drawn, in viewport coordinates.
  QRect rowRect(int row) const;

  // The row marked as drop target while text is dragged over the list, or -1.
  int dropTargetRow() const { return dropTarget_; }

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

  // ItemListView: the rows follow piece by piece, the selection once the
  // change is complete.
  void RowsAboutToChange(const RowEdit& edit) override;
  void RowsChanged(const RowEdit& edit) override;
  void RefillStarting() override;
  void RefillEnded() override;
  void ListChanged(const ListChange& change) override;

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
  // The list's selection and focus mark onto the view.
  void ShowSelection(int scrollRow);
  // The view's selection, changed by the user, into the list.
  void SendSelection();
  void SetDropTarget(int row);
  static bool AcceptsDrop(const QMimeData* data);

  ItemList& items_;
  ItemListModel* model_;
  bool showing_ = false;  // the view is being brought in line with the list
  bool showingBeforeRows_ = false;  // showing_ when the rows began to change
  int dropTarget_ = -1;
  bool dragging_ = false;
  bool droppedHere_ = false;
  bool dragJustEnded_ = false;
  bool checkBoxPressed_ = false;
};

}  // namespace twk
