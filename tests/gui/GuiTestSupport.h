#pragma once
// Helpers shared by the GUI tests: a fresh working directory per test, a
// scripted stand-in for the desktop dialogs and a started App.

#include <QColor>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/CanvasView.h"
#include "app/Dialogs.h"
#include "app/ExportWindow.h"
#include "app/KeyCommandFilter.h"
#include "app/MainWindow.h"
#include "app/PaletteView.h"
#include "app/PreviewView.h"
#include "app/PreviewWindow.h"
#include "editor/KeyNumbers.h"

namespace twk::test {

// Enters a fresh temporary folder for the life of the object.
class ScopedWorkDir {
 public:
  ScopedWorkDir() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
  ~ScopedWorkDir() { QDir::setCurrent(previous_); }
  QString path() const { return dir_.path(); }
  std::string file(const char* name) const { return (dir_.path() + "/" + name).toStdString(); }

 private:
  QString previous_;
  QTemporaryDir dir_;
};

// Answers every dialog from queues filled by the test and records what was
// asked. An empty queue answers "cancel" / "No".
class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    QString title;
    QString text;
    MessageIcon icon;
  };

  std::deque<QString> paths;
  std::deque<int> filters;  // the filter chosen with each path (0 without one)
  std::deque<bool> answers;
  std::deque<QColor> colours;  // an invalid colour answers "cancel"
  std::vector<CopyChoice> copyChoices;  // the answer to the list of drawings

  std::vector<FileDialogRequest> fileRequests;
  std::vector<Message> questions;
  std::vector<Message> messages;
  std::vector<Message> lists;
  std::vector<QColor> colourRequests;
  std::vector<std::vector<QString>> copyLists;

  QString AskFilePath(QWidget*, const FileDialogRequest& request, int* chosenFilter) override {
    fileRequests.push_back(request);
    if (chosenFilter) *chosenFilter = Pop(filters, 0);
    return Pop(paths, QString());
  }
  bool AskYesNo(QWidget*, const QString& title, const QString& text) override {
    questions.push_back({title, text, MessageIcon::kWarning});
    return Pop(answers, false);
  }
  void ShowMessage(QWidget*, const QString& title, const QString& text, MessageIcon icon) override {
    messages.push_back({title, text, icon});
  }
  // A list is kept as a message of its text and items, one a line.
  void ShowList(QWidget*, const QString& title, const QString& text, const QStringList& items,
                MessageIcon icon) override {
    lists.push_back({title, text + "\r\n" + items.join("\r\n"), icon});
  }
  bool ChooseColour(QWidget*, QColor initial, QColor& chosen) override {
    colourRequests.push_back(initial);
    const QColor answer = Pop(colours, QColor());
    if (!answer.isValid()) return false;
    chosen = answer;
    return true;
  }
  std::vector<CopyChoice> ChooseForCopies(QWidget*, const QString&, const std::vector<QString>& rows) override {
    copyLists.push_back(rows);
    return copyChoices;
  }

 private:
  template <typename T>
  static T Pop(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T value = queue.front();
    queue.pop_front();
    return value;
  }
};

// A started App (configuration read from the current directory) using
// `dialogs` and `clipboard` (the desktop's when none), with its main window
// shown.
inline std::unique_ptr<App> StartedApp(Dialogs& dialogs, ScreenScale scale = {}, Clipboard* clipboard = nullptr) {
  auto app = std::make_unique<App>(scale, dialogs, clipboard ? *clipboard : SystemClipboard());
  app->Start();
  return app;
}

// Puts `doc` in place with a fresh history and the same save path: a
// document to start from.
inline void ReplaceDocument(App& app, TWKFILE doc) {
  app.LoadDocument(std::move(doc), app.session().savePath());
  // The step holds the old items; forgetting it frees them with no step
  // left to refer to them.
  app.session().history().Clear();
}

// Hands every command number the main window's keys give to `tap` as well,
// for the life of the object.
class CommandTap {
 public:
  CommandTap(App& app, std::function<void(int)> tap) : filter_(*app.mainWindow()->keyCommands), real_(filter_.dispatch) {
    filter_.dispatch = [this, tap = std::move(tap)](int number) {
      tap(number);
      real_(number);
    };
  }
  ~CommandTap() { filter_.dispatch = real_; }
  CommandTap(const CommandTap&) = delete;
  CommandTap& operator=(const CommandTap&) = delete;

 private:
  KeyCommandFilter& filter_;
  std::function<void(int)> real_;
};

}  // namespace twk::test
