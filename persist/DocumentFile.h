#pragma once
// .twk document files: the TWKFILE record in the tagged container.

#include <string>

#include "document/Document.h"
#include "persist/FileAccess.h"
#include "persist/RecordDescription.h"
#include "persist/RecordXml.h"
#include "persist/ResultCode.h"

namespace twk {

// What a document file may hold: 64 MiB of XML is about 200,000 items, twenty
// times the largest document in use; reading keeps at most kItemCeiling items.
inline constexpr std::size_t kDocumentPayloadCeiling = std::size_t{64} << 20;
inline constexpr std::size_t kItemCeiling = kDocumentItemCeiling;

// Writes `doc` to `path`; a ResultCode.
[[nodiscard]] ResultCode SaveDocumentFile(const std::string& path, const TWKFILE& doc);
// The same for the file `name` inside the open folder `folder`, never
// through a link (ReplaceFileAt).
[[nodiscard]] ResultCode SaveDocumentFileAt(int folder, const std::string& name, const TWKFILE& doc);
// Reads `path` into `doc`; on failure before the record is filled `doc` is
// left as it was. A ResultCode.
[[nodiscard]] ResultCode LoadDocumentFile(const std::string& path, TWKFILE& doc);
// The same with a choice of access: LoadAccess::kShared also reads read-only
// files (for tools that only read documents).
[[nodiscard]] ResultCode LoadDocumentFile(const std::string& path, TWKFILE& doc, LoadAccess access);

// Reads the open document file `file` of `size` bytes into `doc`; throws
// std::bad_alloc when memory runs out.
[[nodiscard]] ResultCode LoadOpenDocumentFile(const FileHandle& file, std::uint64_t size, TWKFILE& doc);

// The compact XML text saving `doc` would write (without zero fill).
std::string DocumentToXml(const TWKFILE& doc);
// The same handed to `sink` in pieces as it is made; false when the sink
// stopped it.
bool WriteDocumentXml(const TWKFILE& doc, const XmlSink& sink);

// The record descriptions of the document ("TWKFILE") and of its items.
const RecordDescription& DocumentDescription();
const RecordDescription& ItemDescription();

}  // namespace twk
