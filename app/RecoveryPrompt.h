#pragma once
// At start, offers back each drawing left by an editor that no longer runs.

#include <QString>
#include <ctime>
#include <cstddef>

#include "app/Dialogs.h"
#include "persist/RecoveryCopy.h"

namespace twk {

class DocumentLoader;
class RecoveryKeeper;

// Up to this many drawings are asked about one question each; more are
// listed in one dialog.
inline constexpr std::size_t kAskedOneByOne = 3;

// Offers every abandoned copy in the state folder, newest first, reading
// one drawing at a time. Asked one by one: Yes restores it as one undo step
// of an unsaved document, No sets it aside in recovered/ and says where.
// Listed: each is restored, kept for the next start, or set aside, oldest
// first. A restored drawing goes to `loader`, and its old copy goes only
// once `recovery` holds it on disk; when the drawing in the editor cannot
// make way (its copy cannot be kept aside), no further drawing is restored
// and those stay for the next start. A copy that cannot be read now for
// lack of memory or permission stays for the next start. The closing
// messages name only copies set aside that are still kept, in a list
// window when there are many.
void OfferAbandonedDrawings(const Asking& ask, RecoveryKeeper& recovery, DocumentLoader& loader);

// "Restore the drawing that was not saved?" with the file it was last saved
// as (or that it never was), the folder its editor ran in, when it was last
// changed and how many items it holds.
QString RestoreQuestion(const CopyNotes& notes, std::time_t changed, int items);

}  // namespace twk
