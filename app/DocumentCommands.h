#pragma once
// Save and Load of the popup menu.

#include "app/Dialogs.h"
#include "document/Document.h"
#include "persist/Config.h"

class QString;

namespace twk {

class DocumentLoader;
class RecoveryKeeper;

// What Save and Load work on.
struct DocumentFileParts {
  const TWKFILE& doc;
  CONFIG& config;  // the path last saved or loaded (RecentFile)
  RecoveryKeeper& recovery;  // told when the document is on disk
  DocumentLoader& loader;
  Asking ask;
};

void SaveDocumentCommand(const DocumentFileParts& parts);
void LoadDocumentCommand(const DocumentFileParts& parts);
// Load without the dialog, for a document named on the command line: the
// same access rule, failure message and RecentFile$ as Load.
void LoadDocumentFromPath(const DocumentFileParts& parts, const QString& path);

}  // namespace twk
