#pragma once
// Writes the icon sets of a drawing into one folder: every file of the plan,
// each PNG size rendered once however many files and sets share it.

#include <string>
#include <vector>

#include "document/Document.h"
#include "export/ExportProgress.h"
#include "export/GroundColour.h"
#include "export/IconSets.h"
#include "export/SizeWorkers.h"

namespace twk {

// kNotStarted: a stop came before the file was begun; nothing was written.
// kNoFolder: the folder the sets go into cannot be made; nothing was tried.
enum class SetFileOutcome { kWritten, kFailed, kTooLarge, kNotStarted, kNoFolder };

struct SetFileResult {
  SetFile file;
  std::string path;  // the full path written
  SetFileOutcome outcome = SetFileOutcome::kWritten;
  int error = 0;  // kFailed: the errno of the failure, 0 when none tells
};

// Writes the files of `sets` for `name` under `folder`, which is created
// when missing (its parent must exist), as are the set's folders inside it.
// Every file replaces any file of its name safely; a file that fails leaves
// the others to be written. The results follow the plan's order. With
// `progress`, each file is counted as it ends, and once a stop is asked for
// no further size is rendered and no further file begun. With `fit`, every
// PNG, ICO and ICNS picture is fitted to its pixels as the plain export fits it
// (a drawing placed smaller than its image, for the span it is given).
// `ground` is the opaque colour under the pictures that must have no
// transparent pixels, and the background colour the text files name.
std::vector<SetFileResult> WriteIconSets(const TWKFILE& doc, IconSetMask sets, const std::string& folder,
                                         const std::string& name, ExportProgress* progress = nullptr,
                                         EdgeFit fit = EdgeFit::kAsDrawn, std::int32_t ground = kDefaultGround);

// Where the plan's `file` is written under `folder` (any trailing "/" of the
// folder ignored).
std::string IconSetFilePath(const std::string& folder, const SetFile& file);

// The drawing's name in the sets: the document file's name without its
// extension; for a drawing never saved, the export folder's name. Never
// empty, and always valid UTF-8 (other bytes become U+FFFD).
std::string IconSetDrawingName(const std::string& documentPath, const std::string& folder);

}  // namespace twk
