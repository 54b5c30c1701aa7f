#pragma once
// The one seam between the commands and the modal desktop dialogs: file
// dialogs, message boxes and the colour chooser. The program uses the Qt
// implementation; tests install one that answers from a script.

#include <QColor>
#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

namespace twk {

enum class MessageIcon { kInformation, kWarning, kError };

struct DialogFilter {
  QString name;     // "Windows Icon"
  QString pattern;  // "*.ico"
  // The name chosen with this filter is a folder: an existing folder's name
  // is taken as the answer instead of being opened.
  bool folder = false;
};

struct FileDialogRequest {
  QString title;        // "Save data", "Load data", "Export PNG"
  QString filterName;   // "twk file", "32-bit PNG Image": the first filter, selected
  QString filterPattern;  // "*.twk", "*.png"
  QString presetPath;   // split by the preset rule
  bool save = true;     // save dialog (true) or open dialog (false)
  std::vector<DialogFilter> moreFilters;  // offered after the first
};

// What to do with one drawing left by an editor that ended.
enum class CopyChoice { kRestore, kKeep, kDiscard };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // The chosen full path, or an empty string when cancelled. With
  // `chosenFilter`, it receives the filter selected when the dialog closed:
  // 0 for the first, 1 for the first of moreFilters, and so on.
  virtual QString AskFilePath(QWidget* owner, const FileDialogRequest& request, int* chosenFilter = nullptr) = 0;
  // Yes/No question with a warning icon; true for Yes.
  virtual bool AskYesNo(QWidget* owner, const QString& title, const QString& text) = 0;
  // Message with an OK button. `text` is built with "\r\n" line breaks.
  virtual void ShowMessage(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) = 0;
  // A message naming many things: `text` above `items` in a list that
  // scrolls, in a window that fits the screen, with an OK button.
  virtual void ShowList(QWidget* owner, const QString& title, const QString& text, const QStringList& items,
                        MessageIcon icon) = 0;
  // The colour chooser; false when cancelled.
  virtual bool ChooseColour(QWidget* owner, QColor initial, QColor& chosen) = 0;
  // Lists `rows`, one drawing each, with Restore, Keep for later and
  // Discard for each and for all; one choice per row, every one kKeep when
  // the dialog is closed without OK.
  virtual std::vector<CopyChoice> ChooseForCopies(QWidget* owner, const QString& title,
                                                  const std::vector<QString>& rows) = 0;
};

// The desktop dialogs.
Dialogs& DesktopDialogs();

// Where a command asks its questions and shows its messages: the dialogs,
// over the window they belong to.
struct Asking {
  Dialogs& dialogs;
  QWidget* owner;
};

}  // namespace twk
