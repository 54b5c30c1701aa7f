#pragma once
// The rows of the editor's item list as a Qt model: one column, the row's
// label as its text and its check mark as its check box. The model holds no
// rows of its own; it reads the list each time. The list announces each
// piece of rows that come or go before it makes it, so the model tells its
// views as Qt asks (begin before the change, end after it), and a change
// costs them in proportion to its size; a refilled list is one reset.

#include <QAbstractListModel>

#include "editor/ItemList.h"

namespace twk {

class ItemListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit ItemListModel(ItemList& items, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // A check box set by the user: asks the list to check or uncheck the row.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
  Qt::DropActions supportedDropActions() const override { return Qt::CopyAction; }

  // The list's pieces (ItemListView), handed on by the list's widget.
  void RowsAboutToChange(const RowEdit& edit);
  void RowsChanged(const RowEdit& edit);
  void RefillStarting() { beginResetModel(); }
  void RefillEnded() { endResetModel(); }
  // Tells the views the check marks that changed.
  void Follow(const ListChange& change);

 private:
  ItemList& items_;
};

}  // namespace twk
