#pragma once
// One editing session: the document, the editor state, the item list, the
// undo history and the path Save proposes, with the one list of observers
// that follow them. Every editing command works on a session; the program
// builds one and subscribes its views (canvas, preview, recovery copy,
// title), and tests build one on its own.

#include <string>
#include <vector>

#include "document/Document.h"
#include "document/EditorState.h"
#include "editor/DocumentChange.h"
#include "editor/EditHistory.h"
#include "editor/ItemList.h"
#include "editor/RowSelection.h"

namespace twk {

// The source of a row drag while it is pending.
struct PendingDrag {
  int row = -1;  // -1: no drag pending
  TWKDATA* item = nullptr;
  RowSelection selection;  // the rows selected when the drag began
};

// Follows a session. Observers are told in the order they were added.
class SessionObserver {
 public:
  virtual ~SessionObserver() = default;
  // An edit is complete: what it changed.
  virtual void OnDocumentChange(const DocumentChange& change) { (void)change; }
  // The item list's rows, check marks or selection changed (one report a
  // batch, after the list's own views).
  virtual void OnListChange(const ListChange& change) { (void)change; }
  // The document was just written to or read from a file.
  virtual void OnSaved() {}
};

class EditorSession : private ItemListView {
 public:
  EditorSession() = default;
  ~EditorSession() override;
  EditorSession(const EditorSession&) = delete;
  EditorSession& operator=(const EditorSession&) = delete;

  TWKFILE& doc() { return doc_; }
  const TWKFILE& doc() const { return doc_; }
  EditorState& state() { return state_; }
  const EditorState& state() const { return state_; }
  ItemList& rows() { return rows_; }
  const ItemList& rows() const { return rows_; }
  EditHistory& history() { return history_; }
  const EditHistory& history() const { return history_; }
  // The path Save proposes: the last document saved or loaded. A load step
  // keeps the one it replaced.
  std::string& savePath() { return savePath_; }
  const std::string& savePath() const { return savePath_; }
  // The document's own file: the one it was read from or last saved to;
  // empty for a drawing that has none (new, restored, a failed load's).
  // Ctrl+S writes it without asking. A load step keeps the one it replaced.
  std::string& ownFile() { return ownFile_; }
  const std::string& ownFile() const { return ownFile_; }

  // Whether the document equals the file it was last written to or read
  // from: the history stands at its clean index.
  bool saved() const { return history_.isClean(); }
  // The document now equals a file: the history's clean index moves here
  // and the observers are told.
  void MarkSaved();

  // Adds `observer` after the others; it stays until removed.
  void AddObserver(SessionObserver* observer);
  void RemoveObserver(SessionObserver* observer);
  // Tells every observer what an edit changed (use ReportChange).
  void Report(const DocumentChange& change);

  // --- what the edit in progress works with ---------------------------------
  // Canvas pixels per unit on each axis (UnitPixels x screen scale).
  float pixelsPerUnitX = kUnitPixels;
  float pixelsPerUnitY = kUnitPixels;
  // The size changed while an item was being drawn: the grid is rebuilt
  // once the drawing ends.
  bool resizedWhileDrawing = false;
  // The item under construction was started with Shift held: its points
  // snap to the half-unit grid (cell corners as well as centres).
  bool halfUnitSnap = false;
  // The canvas pixel the pointer was last seen at while drawing.
  int pointerX = 0, pointerY = 0;
  // A row drag started in the item list and waiting for its drop.
  PendingDrag rowDrag;

 private:
  void ListChanged(const ListChange& change) override;
  // Calls `tell` for each observer, skipping those removed meanwhile.
  template <typename Tell>
  void TellObservers(Tell tell);

  TWKFILE doc_;
  EditorState state_;
  ItemList rows_;
  EditHistory history_;
  std::string savePath_;
  std::string ownFile_;
  std::vector<SessionObserver*> observers_;
  bool followsRows_ = false;  // this session is one of the list's views
};

// Says what an edit changed: reports `kinds` through the session, each
// edit once, after it is complete, with the document's size for kSize. A
// size change is not reported while an item is under construction, which
// keeps the grid it started on; it comes with the report that ends the
// drawing.
void ReportChange(EditorSession& ed, unsigned kinds);

}  // namespace twk
