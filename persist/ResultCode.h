#pragma once
// Result codes of the record file operations. Callers test for kOk only;
// the command-line tool chooses its message by whether the file can be read
// at all, since kFileFailed also covers readable files with a bad header or
// an oversized payload.

namespace twk {

enum class [[nodiscard]] ResultCode : int {
  kOk = 0,
  kNoXmlDocument = 1,  // no XML document could be created
  kPayloadFailed = 2,  // (de)compression failed or the payload length is wrong
  kFileFailed = 3,     // missing, too short, a folder, unopenable, bad header,
                       // a payload over its ceiling or longer than announced
};

}  // namespace twk
