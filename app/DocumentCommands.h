#pragma once
// Save, Save as, Load and New.

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

// Ctrl+S: writes the document's own file without asking; a document
// without one is saved as SaveDocumentAsCommand saves it.
void SaveDocumentCommand(const DocumentFileParts& parts);
// Ctrl+Shift+S and the popup menu's Save: asks for the file, and whether to
// overwrite one that exists.
void SaveDocumentAsCommand(const DocumentFileParts& parts);
// Ctrl+N: a new empty drawing as one undo step, as a load puts one.
void NewDocumentCommand(const DocumentFileParts& parts);
void LoadDocumentCommand(const DocumentFileParts& parts);
// Load without the dialog, for a document named on the command line or
// dropped on the main window: the same access rule, failure message and save
// path as Load. Load and this open an SVG image (told by its first bytes) as
// a new drawing with unsaved changes, one undo step; Save then proposes
// NAME.twk beside it, and a message names what was left out.
void LoadDocumentFromPath(const DocumentFileParts& parts, const QString& path);

}  // namespace twk
