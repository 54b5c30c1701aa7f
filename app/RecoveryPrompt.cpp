#include "app/RecoveryPrompt.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
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
// which could not be read now, and which were not restored.
struct Outcome {
  std::vector<SetAsideResult> setAside;
  QStringList notRead;
  QStringList notRestored;
  bool recoveredRefused = false;
};

// Up to this many paths are named in a message; more are shown in a list.
constexpr int kNamedInMessage = 5;

void Tell(const Asking& ask, const QString& text, const QStringList& paths, MessageIcon icon) {
  if (paths.size() > kNamedInMessage)
    ask.dialogs.ShowList(ask.owner, kTitle, text, paths, icon);
  else
    ask.dialogs.ShowMessage(ask.owner, kTitle, text + QStringLiteral("\r\n") + paths.join(QStringLiteral("\r\n")), icon);
}

SetAsideResult SetAside(AbandonedCopies& found, AbandonedCopy& copy, Outcome& outcome) {
  const SetAsideResult result = found.SetAside(copy);
  if (result.recovered == FolderOpen::kNotOwnFolder && !outcome.recoveredRefused) {
    outcome.recoveredRefused = true;
    std::fprintf(stderr, "tarnwick: %s/recovered is not a folder of this user\n", found.folder().c_str());
  }
  return result;
}

// The drawing goes into this editor; its old copy goes only once this
// editor's own copy holds it on disk. False when the drawing in the editor
// could not make way: nothing changed.
bool Restore(const Asking& ask, AbandonedCopies& found, AbandonedCopy& copy, TWKFILE doc, RecoveryKeeper& recovery,
             DocumentLoader& loader) {
  if (!recovery.DrawingReplaced(copy.notes.savedAs, copy.notes.folder)) return false;
  loader.LoadDocument(std::move(doc), copy.notes.savePath);
  if (recovery.keepsCopies() && recovery.Flush()) {
    found.Take(copy);
    return true;
  }
  ask.dialogs.ShowMessage(ask.owner, kTitle,
                          QStringLiteral("Can't write the recovery copy:\r\n") + Local(recovery.copyPath()) +
                              QStringLiteral("\r\n\r\nThe drawing is not protected until space is freed. "
                                             "The copy it was restored from is kept:\r\n") +
                              Local(found.PathOf(copy)),
                          MessageIcon::kWarning);
  return true;
}

// The messages after the questions. Of the copies set aside only those
// still kept are named: recovered/ keeps ten.
void TellOutcome(const Asking& ask, const AbandonedCopies& found, const Outcome& outcome, RecoveryKeeper& recovery) {
  QStringList kept;
  for (const SetAsideResult& result : outcome.setAside)
    if (found.StillKept(result)) kept << Local(result.keptAt);
  const qsizetype gone = static_cast<qsizetype>(outcome.setAside.size()) - kept.size();
  if (!kept.isEmpty()) {
    QString text = QStringLiteral("The drawings set aside are kept in:");
    if (gone > 0)
      text = QStringLiteral("%1 older drawings set aside are not kept: only %2 are. ").arg(gone).arg(kRecoveredKept) + text;
    Tell(ask, text, kept, MessageIcon::kInformation);
  }
  if (!outcome.notRead.isEmpty())
    Tell(ask, QStringLiteral("These drawings can't be read now and are offered again at the next start:"),
         outcome.notRead, MessageIcon::kWarning);
  if (!outcome.notRestored.isEmpty())
    Tell(ask,
         QStringLiteral("Can't keep the recovery copy of the drawing in the editor aside:\r\n") +
             Local(recovery.copyPath()) +
             QStringLiteral("\r\n\r\nThese drawings were not restored and are offered again at the next start:"),
         outcome.notRestored, MessageIcon::kWarning);
  for (const std::string& path : found.blocked())
    std::fprintf(stderr, "tarnwick: %s is not a lock file: the drawing it belongs to is not offered\n", path.c_str());
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
    // Chosen in a list, they are done oldest first: the newest restored
    // ends up in the editor, and the newest set aside are the ones kept.
    std::reverse(copies.begin(), copies.end());
    std::reverse(listed.begin(), listed.end());
  }
  Outcome outcome;
  bool replaceable = true;  // the drawing in the editor can make way
  for (std::size_t i = 0; i < copies.size(); ++i) {
    AbandonedCopy& copy = copies[i];
    const CopyChoice chosen = listed.empty() ? CopyChoice::kRestore : listed[i];
    if (chosen == CopyChoice::kKeep) continue;  // offered again at the next start
    if (chosen == CopyChoice::kDiscard) {
      outcome.setAside.push_back(SetAside(found, copy, outcome));
      continue;
    }
    if (!replaceable) {
      outcome.notRestored << Local(found.PathOf(copy));
      continue;
    }
    TWKFILE doc;
    switch (found.Load(copy, doc)) {
      case CopyLoad::kLoaded: break;
      case CopyLoad::kNoMemory:
      case CopyLoad::kUnreadable: outcome.notRead << Local(found.PathOf(copy)); continue;
      case CopyLoad::kDamaged: (void)found.SetAside(copy); continue;
    }
    if (doc.CData.empty()) {  // nothing to restore
      (void)found.SetAside(copy);
      continue;
    }
    if (listed.empty() && !ask.dialogs.AskYesNo(ask.owner, kTitle, RestoreQuestion(copy.notes, copy.changed, doc.CData.size()))) {
      ask.dialogs.ShowMessage(ask.owner, kTitle,
                              QStringLiteral("The drawing is kept in:\r\n") + Local(SetAside(found, copy, outcome).keptAt),
                              MessageIcon::kInformation);
      continue;
    }
    if (!Restore(ask, found, copy, std::move(doc), recovery, loader)) {
      replaceable = false;
      outcome.notRestored << Local(found.PathOf(copy));
    }
  }
  TellOutcome(ask, found, outcome, recovery);
}

}  // namespace twk
