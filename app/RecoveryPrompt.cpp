#include "app/RecoveryPrompt.h"

#include <QDateTime>
#include <QLocale>
#include <cstdio>

#include "app/DocumentLoader.h"
#include "app/RecoveryKeeper.h"
#include "persist/StateFolder.h"

namespace twk {

namespace {

const QString kTitle = QStringLiteral("Tarnwick");

QString Local(const std::string& text) { return QString::fromStdString(text); }

QString When(std::time_t changed) {
  return QLocale().toString(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(changed)), QLocale::ShortFormat);
}

QString SavedAs(const CopyNotes& notes) {
  return notes.savedAs.empty() ? QStringLiteral("Never saved") : QStringLiteral("Last saved as: ") + Local(notes.savedAs);
}

// The folder the copy's editor ran in; copies of older editors do not say.
QString RanIn(const CopyNotes& notes) {
  return notes.folder.empty() ? QStringLiteral("unknown") : Local(notes.folder);
}

// One line of the list: the copy's name, size and time, and its notes.
QString CopyRow(const AbandonedCopy& copy) {
  return Local(copy.name) + QStringLiteral("  ") + QLocale().formattedDataSize(static_cast<qint64>(copy.size)) +
         QStringLiteral("  ") + When(copy.changed) + QStringLiteral("  ") + SavedAs(copy.notes) +
         QStringLiteral("  (ran in ") + RanIn(copy.notes) + QStringLiteral(")");
}

// What one run tells after its questions: where copies set aside are kept,
// and which could not be read now.
struct Outcome {
  QStringList setAside;
  QStringList notRead;
  bool recoveredRefused = false;
};

void SetAside(AbandonedCopies& found, AbandonedCopy& copy, Outcome& outcome) {
  const SetAsideResult result = found.SetAside(copy);
  outcome.setAside << Local(result.keptAt);
  if (result.recovered == FolderOpen::kNotOwnFolder && !outcome.recoveredRefused) {
    outcome.recoveredRefused = true;
    std::fprintf(stderr, "tarnwick: %s/recovered is not a folder of this user\n", found.folder().c_str());
  }
}

// The drawing goes into this editor; its old copy goes only once this
// editor's own copy holds it on disk.
void Restore(const Asking& ask, AbandonedCopies& found, AbandonedCopy& copy, TWKFILE doc, RecoveryKeeper& recovery,
             DocumentLoader& loader) {
  recovery.DrawingReplaced(copy.notes.savedAs, copy.notes.folder);
  loader.LoadDocument(std::move(doc), copy.notes.savePath);
  if (recovery.keepsCopies() && recovery.Flush()) {
    found.Take(copy);
    return;
  }
  found.Keep(copy);
  ask.dialogs.ShowMessage(ask.owner, kTitle,
                          QStringLiteral("Can't write the recovery copy:\r\n") + Local(recovery.copyPath()) +
                              QStringLiteral("\r\n\r\nThe drawing is not protected until space is freed. "
                                             "The copy it was restored from is kept:\r\n") +
                              Local(found.PathOf(copy)),
                          MessageIcon::kWarning);
}

}  // namespace

QString RestoreQuestion(const CopyNotes& notes, std::time_t changed, int items) {
  return QStringLiteral("Restore the drawing that was not saved?\r\n\r\n") + SavedAs(notes) +
         QStringLiteral("\r\nEditor ran in: ") + RanIn(notes) + QStringLiteral("\r\nLast changed: ") +
         When(changed) + QStringLiteral("\r\nItems: ") + QString::number(items);
}

void OfferAbandonedDrawings(const Asking& ask, RecoveryKeeper& recovery, DocumentLoader& loader) {
  const std::string folder = TarnwickStateFolder();
  if (folder.empty()) return;
  // A state folder that is not the user's own lists nothing; the keeper
  // has said so.
  AbandonedCopies found = AbandonedCopies::Claim(folder);
  std::vector<AbandonedCopy>& copies = found.copies();
  std::vector<CopyChoice> listed;  // empty: asked one by one
  if (copies.size() > kAskedOneByOne) {
    std::vector<QString> rows;
    for (const AbandonedCopy& copy : copies) rows.push_back(CopyRow(copy));
    listed = ask.dialogs.ChooseForCopies(ask.owner, kTitle, rows);
    listed.resize(copies.size(), CopyChoice::kKeep);
  }
  Outcome outcome;
  for (std::size_t i = 0; i < copies.size(); ++i) {
    AbandonedCopy& copy = copies[i];
    const CopyChoice chosen = listed.empty() ? CopyChoice::kRestore : listed[i];
    if (chosen == CopyChoice::kKeep) {
      found.Keep(copy);
      continue;
    }
    if (chosen == CopyChoice::kDiscard) {
      SetAside(found, copy, outcome);
      continue;
    }
    TWKFILE doc;
    switch (found.Load(copy, doc)) {
      case CopyLoad::kLoaded: break;
      case CopyLoad::kNoMemory:
      case CopyLoad::kUnreadable:
        found.Keep(copy);
        outcome.notRead << Local(found.PathOf(copy));
        continue;
      case CopyLoad::kDamaged: (void)found.SetAside(copy); continue;
    }
    if (doc.CData.empty()) {  // nothing to restore
      (void)found.SetAside(copy);
      continue;
    }
    if (listed.empty() && !ask.dialogs.AskYesNo(ask.owner, kTitle, RestoreQuestion(copy.notes, copy.changed, doc.CData.size()))) {
      SetAside(found, copy, outcome);
      ask.dialogs.ShowMessage(ask.owner, kTitle,
                              QStringLiteral("The drawing is kept in:\r\n") + outcome.setAside.takeLast(),
                              MessageIcon::kInformation);
      continue;
    }
    Restore(ask, found, copy, std::move(doc), recovery, loader);
  }
  if (!outcome.setAside.isEmpty())
    ask.dialogs.ShowMessage(ask.owner, kTitle,
                            QStringLiteral("The drawings set aside are kept in:\r\n") +
                                outcome.setAside.join(QStringLiteral("\r\n")),
                            MessageIcon::kInformation);
  if (!outcome.notRead.isEmpty())
    ask.dialogs.ShowMessage(ask.owner, kTitle,
                            QStringLiteral("These drawings can't be read now and are offered again at the next start:\r\n") +
                                outcome.notRead.join(QStringLiteral("\r\n")),
                            MessageIcon::kWarning);
}

}  // namespace twk
