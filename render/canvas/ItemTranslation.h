#pragma once
// Tells whether a document is another one with every item moved by the same
// amount: a move key with nothing selected, or a drag of every item. Then
// the picture of the one, moved by whole pixels, is the picture of the
// other (see MovedPictures).

#include <vector>

#include "document/Document.h"

namespace twk {

// The same items in the same order, each the one of `before` with its
// points moved by (dx, dy) units exactly as the move adds them (the arc
// angles of an ellipse stay), every other field as it was. The fields are
// compared, not the revisions: a move gives every item a fresh one.
bool TranslationOf(const std::vector<TWKDATA>& before, const TWKFILE& after, float& dx, float& dy);

}  // namespace twk
