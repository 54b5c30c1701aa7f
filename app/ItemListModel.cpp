#include "app/ItemListModel.h"

#include <algorithm>

namespace twk {

ItemListModel::ItemListModel(ItemList& items, QObject* parent)
    : QAbstractListModel(parent), items_(items) {}

int ItemListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : items_.RowCount(); }

QVariant ItemListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= items_.RowCount()) return {};
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

void ItemListModel::RowsAboutToChange(const RowEdit& edit) {
  const int last = edit.first + edit.count - 1;
  if (edit.kind == RowEdit::Kind::kInserted)
    beginInsertRows(QModelIndex(), edit.first, last);
  else
    beginRemoveRows(QModelIndex(), edit.first, last);
}

void ItemListModel::RowsChanged(const RowEdit& edit) {
  if (edit.kind == RowEdit::Kind::kInserted)
    endInsertRows();
  else
    endRemoveRows();
}

void ItemListModel::Follow(const ListChange& change) {
  const int rows = items_.RowCount();
  if (change.checks && !change.checked.empty() && change.checked.first < rows) {
    emit dataChanged(index(change.checked.first), index(std::min(change.checked.last, rows - 1)),
                     {Qt::CheckStateRole});
  }
}

}  // namespace twk
