#include "app/RecoveryPrompt.h"

#include <QDateTime>
#include <QLocale>

#include "app/DocumentLoader.h"
#include "app/RecoveryKeeper.h"
#include "persist/RecoveryCopy.h"
#include "persist/StateFolder.h"

namespace twk {

QString RestoreQuestion(std::time_t changed, int items) {
  const QDateTime when = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(changed));
  return QStringLiteral("Restore the drawing that was not saved?\r\n\r\nLast changed: ") +
         QLocale().toString(when, QLocale::ShortFormat) + QStringLiteral("\r\nItems: ") + QString::number(items);
}

void OfferAbandonedDrawings(const Asking& ask, RecoveryKeeper& recovery, DocumentLoader& loader) {
  const std::string folder = TarnwickStateFolder();
  if (folder.empty()) return;
  for (AbandonedCopy& copy : ClaimAbandonedCopies(folder)) {
    if (!ask.dialogs.AskYesNo(ask.owner, QStringLiteral("Tarnwick"),
                              RestoreQuestion(copy.changed, copy.doc.CData.size()))) {
      SetAside(folder, copy);
      continue;
    }
    loader.LoadDocument(std::move(copy.doc), copy.savePath);
    // The drawing is in this editor's own copy before the old one goes.
    recovery.Flush();
    TakeCopy(copy);
  }
}

}  // namespace twk
