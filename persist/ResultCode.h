#pragma once
// Result codes of the record file operations. Callers mostly test for kOk
// only; the command-line tool also tells a file it cannot read (kFileFailed)
// from one whose content is not a document.

namespace twk {

enum class [[nodiscard]] ResultCode : int {
  kOk = 0,
  kNoXmlDocument = 1,  // no XML document could be created
  kPayloadFailed = 2,  // (de)compression failed or the payload length is wrong
  kFileFailed = 3,     // missing, too short, a folder, unopenable, bad header
};

}  // namespace twk
