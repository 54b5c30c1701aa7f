#include "editor/EditorSession.h"

#include <algorithm>

#include "document/Rounding.h"

namespace twk {

EditorSession::~EditorSession() {
  if (followsRows_) rows_.RemoveView(this);
}

void EditorSession::MarkSaved() {
  history_.SetClean();
  TellObservers([](SessionObserver& observer) { observer.OnSaved(); });
}

void EditorSession::AddObserver(SessionObserver* observer) {
  // The list's own views (the list on screen) are told first: the session
  // joins them when it first has someone to tell.
  if (!followsRows_) {
    rows_.AddView(this);
    followsRows_ = true;
  }
  observers_.push_back(observer);
}

void EditorSession::RemoveObserver(SessionObserver* observer) { std::erase(observers_, observer); }

void EditorSession::Report(const DocumentChange& change) {
  TellObservers([&change](SessionObserver& observer) { observer.OnDocumentChange(change); });
}

void EditorSession::ListChanged(const ListChange& change) {
  TellObservers([&change](SessionObserver& observer) { observer.OnListChange(change); });
}

template <typename Tell>
void EditorSession::TellObservers(Tell tell) {
  // An observer may take itself or another off while it is told.
  const std::vector<SessionObserver*> observers = observers_;
  for (SessionObserver* observer : observers) {
    if (std::find(observers_.begin(), observers_.end(), observer) != observers_.end()) tell(*observer);
  }
}

void ReportChange(EditorSession& ed, unsigned kinds) {
  DocumentChange change{kinds};
  if (change.Has(DocumentChange::kSize)) {
    if (ed.state().Constructing) {
      // The drawing keeps its grid, so the size comes with the report that
      // ends it; the picture is still repainted now, with the drawing.
      ed.resizedWhileDrawing = true;
      change.kinds &= ~unsigned{DocumentChange::kSize};
      change.kinds |= DocumentChange::kConstruction;
    } else {
      change.width = RoundToInt(ed.doc().TWKW);
      change.height = RoundToInt(ed.doc().TWKH);
    }
  }
  if (change.kinds != 0) ed.Report(change);
}

}  // namespace twk
