#pragma once
// Result codes of the record file operations. Callers test for zero only.

namespace twk {

enum ResultCode : int {
  kOk = 0,
  kNoXmlDocument = 1,  // no XML document could be created
  kPayloadFailed = 2,  // (de)compression failed or the payload length is wrong
  kFileFailed = 3,     // missing, too short, a folder, unopenable, bad header
};

}  // namespace twk
