#include "editor/ItemList.h"

#include <algorithm>
#include <cassert>
#include <functional>

#include "document/IndexSplice.h"

namespace twk {

namespace {

// Past this many pieces in one report the views do better to read every
// row again (as ListChange does).
constexpr int kMostPiecesFollowed = 64;

}  // namespace

RowState ItemList::GetRowState(int row) const { return Has(row) ? rows_[row].state : RowState{}; }

TWKDATA* ItemList::RowItem(int row) const { return Has(row) ? rows_[row].item : nullptr; }

void ItemList::AttachItem(int row, TWKDATA* item) {
  if (Has(row)) rows_[row].item = item;
}

std::string ItemList::RowText(int row) const { return Has(row) ? rows_[row].text : std::string(); }

void ItemList::SetRowState(int row, RowState state) {
  if (!Has(row)) return;
  RowState& now = rows_[row].state;
  const bool checks = now.checked != state.checked;
  bool selection = now.selected != state.selected;
  now = state;
  if (state.selected && current_ != row) {
    current_ = row;
    selection = true;
  } else if (!state.selected && current_ == row) {
    current_ = -1;
    selection = true;
  }
  if (!checks && !selection) return;
  if (checks) pending_.NoteChecked(row);
  pending_.selection |= selection;
  Tell();
}

void ItemList::SetChecked(int row, bool checked) {
  if (Has(row)) SetRowState(row, RowState{rows_[row].state.selected, checked});
}

void ItemList::InsertRow(int index, const std::string& text) {
  index = std::clamp(index, 0, RowCount());
  ChangeRows(RowEdit{RowEdit::Kind::kInserted, index, 1},
             [&] { rows_.insert(rows_.begin() + index, Row{nullptr, text, {}}); });
  if (current_ >= index) ++current_;
  pending_.NoteInserted(index);
  Tell();
}

void ItemList::ListItem(int index, const std::string& text, TWKDATA* item, RowState state) {
  index = std::clamp(index, 0, RowCount());
  InsertRow(index, text);
  AttachItem(index, item);
  SetRowState(index, state);
}

void ItemList::RemoveRow(int row) { RemoveRows({row}); }

void ItemList::ListItems(const std::vector<ListedRow>& listed) {
  if (listed.empty()) return;
  assert(listed.front().index >= 0);
  assert(std::adjacent_find(listed.begin(), listed.end(), [](const ListedRow& a, const ListedRow& b) {
           return a.index >= b.index;
         }) == listed.end());
  std::vector<std::pair<int, Row>> incoming;
  incoming.reserve(listed.size());
  for (const ListedRow& row : listed) {
    const int index = std::clamp(row.index, 0, RowCount() + static_cast<int>(incoming.size()));
    if (current_ >= index) ++current_;
    pending_.NoteInserted(index);
    if (row.state.checked) pending_.NoteChecked(index);
    if (row.state.selected) {
      current_ = index;
      pending_.selection = true;
    }
    incoming.emplace_back(index, Row{row.item, row.text, row.state});
  }
  // Runs of neighbouring new rows; each index counts in the list as it
  // ends, so, lowest first, a run goes in at its first index.
  std::vector<std::pair<std::size_t, std::size_t>> runs;  // [begin, end) of incoming
  for (std::size_t i = 0; i < incoming.size(); ++i) {
    if (i > 0 && incoming[i].first == incoming[i - 1].first + 1)
      runs.back().second = i + 1;
    else
      runs.emplace_back(i, i + 1);
  }
  if (!FollowsPieces(static_cast<int>(runs.size()))) {
    StartRefill();
    InsertAtIndices(rows_, std::move(incoming));
  } else {
    for (const auto& [begin, end] : runs) {
      const int first = incoming[begin].first;
      ChangeRows(RowEdit{RowEdit::Kind::kInserted, first, static_cast<int>(end - begin)}, [&] {
        std::vector<Row> run;
        run.reserve(end - begin);
        for (std::size_t i = begin; i < end; ++i) run.push_back(std::move(incoming[i].second));
        rows_.insert(rows_.begin() + first, std::make_move_iterator(run.begin()), std::make_move_iterator(run.end()));
      });
    }
  }
  Tell();
}

void ItemList::RemoveRows(const std::vector<int>& rows) {
  assert(std::adjacent_find(rows.begin(), rows.end(), std::greater_equal<int>()) == rows.end());
  std::vector<int> doomed;
  doomed.reserve(rows.size());
  for (int row : rows) {
    if (Has(row) && (doomed.empty() || row > doomed.back())) doomed.push_back(row);
  }
  if (doomed.empty()) return;
  // Told as RemoveRow one by one from the highest would tell it.
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    const int row = *it;
    if (rows_[row].state.selected) pending_.selection = true;
    if (current_ == row) {
      current_ = -1;
      pending_.selection = true;
    } else if (current_ > row) {
      --current_;
    }
    pending_.NoteRemoved(row);
  }
  // Runs of neighbouring rows, highest first, so that each counts in the
  // list as it stands when it goes.
  std::vector<RowEdit> runs;
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    if (!runs.empty() && runs.back().first == *it + 1) {
      --runs.back().first;
      ++runs.back().count;
    } else {
      runs.push_back(RowEdit{RowEdit::Kind::kRemoved, *it, 1});
    }
  }
  if (!FollowsPieces(static_cast<int>(runs.size()))) {
    StartRefill();
    TakeAtIndices(rows_, doomed);
  } else {
    for (const RowEdit& run : runs) {
      ChangeRows(run, [&] { rows_.erase(rows_.begin() + run.first, rows_.begin() + run.first + run.count); });
    }
  }
  Tell();
}

void ItemList::RemoveAllRows() {
  if (rows_.empty()) return;
  StartRefill();
  rows_.clear();
  current_ = -1;
  pending_.NoteRefilled();
  pending_.selection = true;
  Tell();
}

void ItemList::Select(const std::vector<RowRun>& runs, int current, bool scroll) {
  // Runs in list order, apart from each other.
  assert(std::all_of(runs.begin(), runs.end(), [](const RowRun& run) { return run.first <= run.second; }));
  assert(std::adjacent_find(runs.begin(), runs.end(), [](const RowRun& a, const RowRun& b) {
           return a.second >= b.first;
         }) == runs.end());
  bool changed = false;
  auto set = [&](Row& row, bool on) {
    if (row.state.selected == on) return;
    row.state.selected = on;
    changed = true;
  };
  std::size_t next = 0;
  for (int row = 0; row < RowCount(); ++row) {
    while (next < runs.size() && runs[next].second < row) ++next;
    set(rows_[row], next < runs.size() && runs[next].first <= row);
  }
  if (!Has(current)) current = -1;
  if (current_ != current) {
    current_ = current;
    changed = true;
  }
  if (scroll && current >= 0) {
    pending_.scrollTo = current;
    changed = true;
  }
  if (!changed) return;
  pending_.selection = true;
  Tell();
}

void ItemList::SelectOnly(int row) {
  if (!Has(row)) row = -1;
  std::vector<RowRun> runs;
  if (row >= 0) runs.emplace_back(row, row);
  Select(runs, row, true);
}

void ItemList::SelectAll() {
  if (rows_.empty()) return;
  Select({RowRun{0, RowCount() - 1}}, current_ >= 0 ? current_ : 0, false);
}

int ItemList::FirstSelectedRow() const {
  for (int row = 0; row < RowCount(); ++row) {
    if (rows_[row].state.selected) return row;
  }
  return -1;
}

std::vector<RowRun> ItemList::SelectedRuns() const {
  std::vector<RowRun> runs;
  for (int row = 0; row < RowCount(); ++row) {
    if (!rows_[row].state.selected) continue;
    if (!runs.empty() && runs.back().second == row - 1) {
      runs.back().second = row;
    } else {
      runs.emplace_back(row, row);
    }
  }
  return runs;
}

std::vector<int> ItemList::SelectedRows() const {
  std::vector<int> selected;
  for (int row = 0; row < RowCount(); ++row)
    if (rows_[row].state.selected) selected.push_back(row);
  return selected;
}

std::vector<TWKDATA*> ItemList::SelectedItems() const {
  std::vector<TWKDATA*> items;
  for (const Row& row : rows_) {
    if (row.state.selected && row.item) items.push_back(row.item);
  }
  return items;
}

void ItemList::EndUpdate() {
  assert(batch_ > 0);  // one EndUpdate for each BeginUpdate
  if (--batch_ == 0) Tell();
}

void ItemList::Tell() {
  assert(current_ == -1 || Has(current_));
  if (batch_ > 0) return;
  pieces_ = 0;
  if (refilling_) {
    refilling_ = false;
    TellViews([](ItemListView& view) { view.RefillEnded(); });
  }
  const ListChange change = std::move(pending_);
  pending_ = ListChange{};
  if (!change.rows && !change.checks && !change.selection) return;
  TellViews([&change](ItemListView& view) { view.ListChanged(change); });
}

template <typename Told>
void ItemList::TellViews(Told tell) {
  // A view may take itself off while it is told.
  const std::vector<ItemListView*> views = views_;
  for (ItemListView* view : views) {
    if (std::find(views_.begin(), views_.end(), view) != views_.end()) tell(*view);
  }
}

bool ItemList::FollowsPieces(int pieces) const { return !refilling_ && pieces_ + pieces <= kMostPiecesFollowed; }

void ItemList::StartRefill() {
  if (refilling_) return;
  refilling_ = true;
  TellViews([](ItemListView& view) { view.RefillStarting(); });
}

template <typename Change>
void ItemList::ChangeRows(const RowEdit& edit, Change change) {
  if (!FollowsPieces(1)) StartRefill();
  if (refilling_) {
    change();
    return;
  }
  ++pieces_;
  TellViews([&edit](ItemListView& view) { view.RowsAboutToChange(edit); });
  change();
  TellViews([&edit](ItemListView& view) { view.RowsChanged(edit); });
}

void ItemList::AddView(ItemListView* view) {
  assert(view && std::find(views_.begin(), views_.end(), view) == views_.end());
  views_.push_back(view);
}

void ItemList::RemoveView(ItemListView* view) { std::erase(views_, view); }

}  // namespace twk
