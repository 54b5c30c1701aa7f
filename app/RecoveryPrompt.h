#pragma once
// At start, offers back each drawing left by an editor that no longer runs.

#include <QString>
#include <ctime>

#include "app/Dialogs.h"

namespace twk {

class DocumentLoader;
class RecoveryKeeper;

// Asks about every abandoned copy in the state folder, newest first, one
// question each: Yes restores it as one undo step of an unsaved document,
// No sets it aside in recovered/.
// Yes hands the copy to `loader`, then keeps it in `recovery`'s own copy
// before the old one goes.
void OfferAbandonedDrawings(const Asking& ask, RecoveryKeeper& recovery, DocumentLoader& loader);

// "Restore the drawing that was not saved?" with when it was last changed
// and how many items it holds.
QString RestoreQuestion(std::time_t changed, int items);

}  // namespace twk
