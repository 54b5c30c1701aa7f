#include "app/ItemListModel.h"

#include <algorithm>

namespace twk {

ItemListModel::ItemListModel(ItemList& items, QObject* parent)
    : QAbstractListModel(parent), items_(items), shown_(items.RowCount()) {}

int ItemListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shown_; }

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= std::min(shown_, items_.RowCount())) return {};
  if (role == Qt::DisplayRole) return QString::fromStdString(items_.RowText(index.row()));
  if (role == Qt::CheckStateRole) return items_.GetRowState(index.row()).checked ? Qt::Checked : Qt::Unchecked;
  return {};
}

bool ItemListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= items_.RowCount()) return false;
  items_.SetChecked(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
  return true;
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled |
         Qt::ItemNeverHasChildren;
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole) return QStringLiteral("Vector stuff");
  return {};
}

void ItemListModel::Follow(const ListChange& change) {
  if (change.refilled) {
    Reset();
    return;
  }
  // The list has made every piece already; the views learn them in the
  // order they were made, each against the rows they know at that point.
  for (const RowEdit& edit : change.edits) {
    const int last = edit.first + edit.count - 1;
    if (edit.kind == RowEdit::Kind::kInserted) {
      if (edit.first < 0 || edit.first > shown_) break;
      beginInsertRows(QModelIndex(), edit.first, last);
      shown_ += edit.count;
      endInsertRows();
    } else {
      if (edit.first < 0 || last >= shown_) break;
      beginRemoveRows(QModelIndex(), edit.first, last);
      shown_ -= edit.count;
      endRemoveRows();
    }
  }
  // Pieces that do not add up to the list as it is: read it all again.
  if (shown_ != items_.RowCount()) {
    Reset();
    return;
  }
  if (change.checks && !change.checked.empty() && change.checked.first < shown_) {
    emit dataChanged(index(change.checked.first), index(std::min(change.checked.last, shown_ - 1)),
                     {Qt::CheckStateRole});
  }
}

void ItemListModel::Reset() {
  beginResetModel();
  shown_ = items_.RowCount();
  endResetModel();
}

}  // namespace twk
