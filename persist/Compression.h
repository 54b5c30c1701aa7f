#pragma once
// zlib compression of record payloads.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "persist/ResultCode.h"

namespace twk {

// Compresses `payload` in one call at level 6 (15-bit window, memory level 8,
// default strategy) into `stream`. Returns kOk, or kPayloadFailed when compression fails.
[[nodiscard]] ResultCode DeflatePayload(std::string_view payload, std::string& stream);

// Inflates the zlib stream `stream` into `payload`, which must come out at
// exactly `expectedLength` bytes (uncompress semantics: bytes after the end of
// the zlib stream are ignored). The output grows in steps as the stream
// produces it and inflation stops as soon as it passes `expectedLength`, so
// memory follows the real content and not the announced length. Returns kOk;
// kFileFailed for a stream that inflates past `expectedLength` (refused as
// soon as that is known, like a header announcing too much); kPayloadFailed
// for a damaged stream, one that ends short or a failed allocation.
[[nodiscard]] ResultCode InflatePayload(std::string_view stream, std::int64_t expectedLength, std::string& payload);

// Supplies a compressed stream in pieces: fills `buffer` with up to `room`
// bytes and returns how many, 0 at the end of the stream, -1 on a read error.
using StreamSource = std::function<std::ptrdiff_t(char* buffer, std::size_t room)>;

// The same, pulling the stream from `source` a piece at a time and no
// further than the end of the zlib stream, so memory follows the payload and
// not the stream's announced length. A read error is kPayloadFailed.
[[nodiscard]] ResultCode InflatePayload(const StreamSource& source, std::int64_t expectedLength, std::string& payload);

}  // namespace twk
