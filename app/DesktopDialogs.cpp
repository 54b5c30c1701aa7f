// The desktop's dialogs through Qt: file dialogs that ask nothing about
// overwriting and never change the working directory, message boxes and the
// colour chooser.

#include <QColorDialog>
#include <QMessageBox>
#include <algorithm>

#include "app/Dialogs.h"
#include "app/FileDialog.h"
#include "app/ListMessage.h"
#include "app/RecoveryChoices.h"
#include "persist/PathRules.h"

namespace twk {

namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::kWarning: return QMessageBox::Warning;
    case MessageIcon::kError: return QMessageBox::Critical;
    case MessageIcon::kInformation: break;
  }
  return QMessageBox::Information;
}

// Texts are built with Windows line breaks; shown with the platform's.
QString ForDisplay(const QString& text) {
  QString shown = text;
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return shown;
}

// "32-bit PNG Image (*.png)"
QString FilterText(const QString& name, const QString& pattern) {
  return name + QStringLiteral(" (") + pattern + QStringLiteral(")");
}

class QtDialogs : public Dialogs {
 public:
  QString AskFilePath(QWidget* owner, const FileDialogRequest& request, int* chosenFilter) override {
    const DialogPreset preset = PresetFromPath(request.presetPath.toStdString());
    FileDialog dialog(owner, request.title, QString::fromStdString(preset.folder));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The folder has to exist (FileDialog checks it); the file does not.
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters{FilterText(request.filterName, request.filterPattern)};
    QStringList folderFilters;
    for (const DialogFilter& more : request.moreFilters) {
      filters << FilterText(more.name, more.pattern);
      if (more.folder) folderFilters << filters.back();
    }
    dialog.setFolderFilters(folderFilters);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.front());
    if (!preset.name.empty()) dialog.selectFile(QString::fromStdString(preset.name));
    if (dialog.exec() != QDialog::Accepted) return QString();
    if (chosenFilter) *chosenFilter = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
  }

  bool AskYesNo(QWidget* owner, const QString& title, const QString& text) override {
    QMessageBox box(QMessageBox::Warning, title, ForDisplay(text), QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
  }

  void ShowMessage(QWidget* owner, const QString& title, const QString& text, MessageIcon icon) override {
    QMessageBox box(ToQtIcon(icon), title, ForDisplay(text), QMessageBox::Ok, owner);
    box.exec();
  }

  void ShowList(QWidget* owner, const QString& title, const QString& text, const QStringList& items,
                MessageIcon icon) override {
    ShowListMessage(owner, title, ForDisplay(text), items, ToQtIcon(icon));
  }

  bool ChooseColour(QWidget* owner, QColor initial, QColor& chosen) override {
    const QColor colour = QColorDialog::getColor(initial, owner);
    if (!colour.isValid()) return false;
    chosen = colour;
    return true;
  }

  std::vector<CopyChoice> ChooseForCopies(QWidget* owner, const QString& title,
                                          const std::vector<QString>& rows) override {
    return AskRecoveryChoices(owner, title, rows);
  }
};

}  // namespace

Dialogs& DesktopDialogs() {
  static QtDialogs dialogs;
  return dialogs;
}

}  // namespace twk
