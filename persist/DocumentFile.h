#pragma once
// .twk document files: the TWKFILE record in the tagged container.

#include <string>

#include "document/Document.h"

namespace twk {

// Writes `doc` to `path`; a ResultCode.
int SaveDocumentFile(const std::string& path, const TWKFILE& doc);
// Reads `path` into `doc`; on failure before the record is filled `doc` is
// left as it was. A ResultCode.
int LoadDocumentFile(const std::string& path, TWKFILE& doc);

// The compact XML text saving `doc` would write (without zero fill).
std::string DocumentToXml(const TWKFILE& doc);

}  // namespace twk
