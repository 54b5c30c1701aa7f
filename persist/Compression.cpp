#include "persist/Compression.h"

#include <zlib.h>

#include <algorithm>
#include <new>

namespace twk {

ResultCode DeflatePayload(std::string_view payload, std::string& stream) {
  try {
    // The capacity is zlib's bound for the payload, so the stream always
    // fits; a payload that does not compress still saves.
    uLongf length = compressBound(static_cast<uLong>(payload.size()));
    stream.resize(length);
    const int rc = compress2(reinterpret_cast<Bytef*>(stream.data()), &length,
                             reinterpret_cast<const Bytef*>(payload.data()), static_cast<uLong>(payload.size()), 6);
    if (rc != Z_OK || length < 1) return ResultCode::kPayloadFailed;
    stream.resize(length);
    return ResultCode::kOk;
  } catch (const std::bad_alloc&) {
    return ResultCode::kPayloadFailed;
  }
}

ResultCode InflatePayload(std::string_view stream, std::int64_t expectedLength, std::string& payload) {
  if (expectedLength < 1) return ResultCode::kPayloadFailed;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return ResultCode::kPayloadFailed;
  // One byte beyond the expected length tells "too long" from "exact".
  const std::size_t limit = static_cast<std::size_t>(expectedLength) + 1;
  ResultCode result = ResultCode::kPayloadFailed;
  try {
    std::size_t capacity = std::min<std::size_t>(limit, std::max<std::size_t>(stream.size() * 16, 64 * 1024));
    payload.resize(capacity);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(stream.data()));
    std::size_t produced = 0;
    std::string_view rest = stream;
    for (;;) {
      if (z.avail_in == 0 && !rest.empty()) {
        const std::size_t n = std::min<std::size_t>(rest.size(), 1u << 30);
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(rest.data()));
        z.avail_in = static_cast<uInt>(n);
        rest.remove_prefix(n);
      }
      if (produced == capacity) {
        if (capacity == limit) {  // passed the expected length: refused at once
          result = ResultCode::kFileFailed;
          break;
        }
        capacity = std::min(limit, capacity * 2);
        payload.resize(capacity);
      }
      const std::size_t room = std::min<std::size_t>(capacity - produced, 1u << 30);
      z.next_out = reinterpret_cast<Bytef*>(payload.data() + produced);
      z.avail_out = static_cast<uInt>(room);
      const int rc = inflate(&z, Z_NO_FLUSH);
      produced += room - z.avail_out;
      if (rc == Z_STREAM_END) {
        const auto expected = static_cast<std::size_t>(expectedLength);
        if (produced == expected) result = ResultCode::kOk;
        if (produced > expected) result = ResultCode::kFileFailed;
        break;
      }
      if (rc == Z_BUF_ERROR && z.avail_in == 0 && rest.empty()) break;  // stream cut short
      if (rc != Z_OK && rc != Z_BUF_ERROR) break;                       // damaged stream
    }
    payload.resize(result == ResultCode::kOk ? produced : 0);
  } catch (const std::bad_alloc&) {
    result = ResultCode::kPayloadFailed;
  }
  inflateEnd(&z);
  return result;
}

}  // namespace twk
