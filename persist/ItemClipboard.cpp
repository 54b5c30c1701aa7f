#include "persist/ItemClipboard.h"

#include <new>

#include "persist/RecordXml.h"

namespace twk {
namespace {

// The document's description under the wrapper's own name; reading keeps
// one item more than `itemCeiling`, so that a text over it shows.
RecordDescription ClipboardDescription(std::size_t itemCeiling) {
  RecordDescription description = DocumentDescription();
  description.typeName = "TWKITEMS";
  // Text from any program: a whole document or a picture is no clipboard
  // text of items.
  description.rootNamed = true;
  for (FieldDescription& field : description.fields) {
    if (field.shape == FieldShape::kList) field.maxItems = itemCeiling + 1;
  }
  return description;
}

}  // namespace

std::string ItemsToClipboardText(const TWKFILE& picked) {
  return RecordToXml(ClipboardDescription(kItemCeiling), &picked);
}

std::optional<TWKFILE> ItemsFromClipboardText(std::string_view text, const ClipboardLimits& limits) {
  if (text.size() > limits.textCeiling) return std::nullopt;
  try {
    TWKFILE items;
    bool whole = false;
    if (XmlToRecord(ClipboardDescription(limits.itemCeiling), text, &items, whole) != ResultCode::kOk || !whole) {
      return std::nullopt;
    }
    if (static_cast<std::size_t>(items.CData.size()) > limits.itemCeiling) return std::nullopt;
    return items;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

}  // namespace twk
