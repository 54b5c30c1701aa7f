#pragma once
// Save and Load of the popup menu.

#include "app/Dialogs.h"
#include "editor/EditorSession.h"

class QString;

namespace twk {

class DocumentLoader;
class RecoveryKeeper;

// What Save and Load work on.
struct DocumentFileParts {
  EditorSession& session;  // the document, its save path, and whether it is saved
  RecoveryKeeper& recovery;  // told when another drawing takes this one's place
  DocumentLoader& loader;
  Asking ask;
};

void SaveDocumentCommand(const DocumentFileParts& parts);
void LoadDocumentCommand(const DocumentFileParts& parts);
// Load without the dialog, for a document named on the command line or
// dropped on the main window: the same access rule, failure message and save
// path as Load. Load and this open an SVG image (told by its first bytes) as
// a new drawing with unsaved changes, one undo step; Save then proposes
// NAME.twk beside it, and a message names what was left out.
void LoadDocumentFromPath(const DocumentFileParts& parts, const QString& path);

}  // namespace twk
