#pragma once
// Records as compact XML text: one element per field, in description order.

#include <functional>
#include <string>
#include <string_view>

#include "persist/RecordDescription.h"
#include "persist/ResultCode.h"

namespace twk {

// The compact UTF-8 XML text of `record` (no declaration, no white space, no
// zero fill). `record` must be of the type `description` describes.
std::string RecordToXml(const RecordDescription& description, const void* record);

// Takes one piece of written XML; false stops the writing.
using XmlSink = std::function<bool(std::string_view piece)>;

// The same text handed to `sink` in pieces of about 64 KiB as it is made, so
// only a piece is held at a time. False when the sink stopped it.
bool WriteRecordXml(const RecordDescription& description, const void* record, const XmlSink& sink);

// Parses `payload` as XML (encoding fixed to UTF-8) and fills `record` from
// its document element by element names. Parse errors are not reported: the
// record receives everything delivered before the first error. Returns kOk, or
// kNoXmlDocument when no parser could be created or the payload holds no element at all;
// in that case `record` is left as it was. Throws std::bad_alloc when memory
// ran out while filling the record, which then holds only part of the text.
[[nodiscard]] ResultCode XmlToRecord(const RecordDescription& description, std::string_view payload, void* record);
// The same, telling in `whole` whether the parser took the entire payload
// without an error, for texts that carry no zero fill and must be complete.
[[nodiscard]] ResultCode XmlToRecord(const RecordDescription& description, std::string_view payload, void* record,
                                     bool& whole);

}  // namespace twk
