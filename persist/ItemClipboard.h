#pragma once
// Items on the clipboard as text: the chosen items' elements exactly as a
// document file holds them, inside a TWKITEMS element that also names the
// size of the document they came from:
//   <TWKITEMS><TWKW>16</TWKW><TWKH>16</TWKH><CData><element>...</element></CData></TWKITEMS>
// The text is read back by the document reader with the document's ceilings,
// and only whole, well-formed text is accepted: clipboard contents come from
// any program, so anything else gives nothing.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "document/Document.h"
#include "persist/DocumentFile.h"

namespace twk {

// The clipboard data kind of this text.
inline constexpr char kItemsMimeType[] = "application/x-tarnwick-items";

// What a clipboard text may hold: a longer text, or more items, gives
// nothing. The document file's ceilings unless a test makes them small.
struct ClipboardLimits {
  std::size_t textCeiling = kDocumentPayloadCeiling;
  std::size_t itemCeiling = kItemCeiling;
};

// The clipboard text of `picked`: its size and every one of its items, in
// order.
std::string ItemsToClipboardText(const TWKFILE& picked);

// The size and items `text` holds; nothing when it is over a ceiling, is not
// whole well-formed XML, or its document element is not TWKITEMS.
std::optional<TWKFILE> ItemsFromClipboardText(std::string_view text, const ClipboardLimits& limits = {});

}  // namespace twk
