#pragma once
// Record files: a record as compact XML, zero-filled to at least 64 bytes,
// zlib-compressed and framed by a header of 32-bit little-endian integers.
//   tagged container: 74 00 77 00, L (stream length), N (payload length), stream
//   bare container:   N, stream up to the end of the file
// The file operations return a ResultCode.

#include <string>
#include <string_view>

#include "persist/FileAccess.h"
#include "persist/RecordDescription.h"
#include "persist/ResultCode.h"

namespace twk {

enum class Container { kTagged, kBare };

// The smallest payload: shorter texts are followed by zero bytes up to it.
constexpr std::size_t kMinimumPayload = 64;

// The complete file bytes saving `record` writes, into `header` and `stream`.
[[nodiscard]] ResultCode EncodeRecordFile(const RecordDescription& description, const void* record, Container container,
                     std::string& header, std::string& stream);

// Writes `record` to `path`, replacing any file there only once the new one
// is completely on disk. A record whose XML would pass the description's
// payload ceiling (so that loading would refuse it) is not written:
// kPayloadFailed, and any file at `path` is left alone.
[[nodiscard]] ResultCode SaveRecordFile(const std::string& path, const RecordDescription& description, const void* record,
                   Container container);

// Reads the file at `path` into `record`. `record` is changed only when the
// header and the decompression succeed.
[[nodiscard]] ResultCode LoadRecordFile(const std::string& path, const RecordDescription& description, void* record, Container container,
                   LoadAccess access = LoadAccess::kExclusive);

// LoadRecordFile for a file already open, `size` bytes long. Lets
// std::bad_alloc through, for callers that tell lack of memory apart.
[[nodiscard]] ResultCode LoadOpenRecordFile(const FileHandle& file, std::uint64_t size,
                                            const RecordDescription& description, void* record, Container container);

// Typed conveniences.
template <typename Record>
[[nodiscard]] ResultCode SaveRecordFile(const std::string& path, const RecordDescription& description, const Record& record,
                   Container container) {
  return SaveRecordFile(path, description, static_cast<const void*>(&record), container);
}
template <typename Record>
[[nodiscard]] ResultCode LoadRecordFile(const std::string& path, const RecordDescription& description, Record& record,
                   Container container, LoadAccess access = LoadAccess::kExclusive) {
  return LoadRecordFile(path, description, static_cast<void*>(&record), container, access);
}

}  // namespace twk
