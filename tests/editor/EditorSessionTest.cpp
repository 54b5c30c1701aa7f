// The session's one list of observers: told in the order they were added,
// after the item list's own views, never once taken off, each report once.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/ListFollower.h"
#include "TestEditor.h"
#include "editor/ItemCommands.h"

namespace twk::test {
namespace {

// Writes what it is told into a log shared by several observers.
struct Logger : SessionObserver {
  Logger(std::string name, std::vector<std::string>& log) : name(std::move(name)), log(log) {}
  void OnDocumentChange(const DocumentChange&) override {
    log.push_back(name + " document");
    if (onDocument) onDocument();
  }
  void OnListChange(const ListChange&) override { log.push_back(name + " list"); }
  void OnSaved() override { log.push_back(name + " saved"); }
  std::string name;
  std::vector<std::string>& log;
  std::function<void()> onDocument;
};

TEST(EditorSessionTest, ObserversAreToldInTheOrderAddedAfterTheListsOwnViews) {
  EditorSession session;
  std::vector<std::string> log;
  ItemListFollower view(session.rows(), [&](const ListChange&) { log.push_back("view list"); });
  Logger first("first", log), second("second", log), third("third", log);
  session.AddObserver(&first);
  session.AddObserver(&second);
  session.AddObserver(&third);
  // The first takes the third off while it is told: the third hears nothing more.
  first.onDocument = [&] { session.RemoveObserver(&third); };

  session.doc().CData.append(TWKDATA{});
  RebuildRowsFromDocument(session);
  ReportChange(session, DocumentChange::kItemsInOut);
  session.MarkSaved();
  const std::vector<std::string> expected = {"view list",      "first list",  "second list", "third list",
                                             "first document", "second document", "first saved", "second saved"};
  EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace twk::test
