#include "persist/Compression.h"

#include <zlib.h>

#include <algorithm>
#include <new>

namespace twk {
namespace {

constexpr std::size_t kInputPiece = 256 * 1024;  // compressed bytes read at a time

}  // namespace

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
  return InflatePayload(
      [&stream](char* buffer, std::size_t room) -> std::ptrdiff_t {
        const std::size_t n = std::min(room, stream.size());
        std::copy_n(stream.data(), n, buffer);
        stream.remove_prefix(n);
        return static_cast<std::ptrdiff_t>(n);
      },
      expectedLength, payload);
}

ResultCode InflatePayload(const StreamSource& source, std::int64_t expectedLength, std::string& payload) {
  if (expectedLength < 1) return ResultCode::kPayloadFailed;
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return ResultCode::kPayloadFailed;
  // One byte beyond the expected length tells "too long" from "exact".
  const std::size_t limit = static_cast<std::size_t>(expectedLength) + 1;
  ResultCode result = ResultCode::kPayloadFailed;
  try {
    std::string input(kInputPiece, '\0');
    bool inputEnded = false;
    std::size_t capacity = std::min<std::size_t>(limit, 64 * 1024);
    payload.resize(capacity);
    std::size_t produced = 0;
    for (;;) {
      if (z.avail_in == 0 && !inputEnded) {
        const std::ptrdiff_t n = source(input.data(), input.size());
        if (n < 0) break;  // read error
        inputEnded = n == 0;
        z.next_in = reinterpret_cast<Bytef*>(input.data());
        z.avail_in = static_cast<uInt>(n);
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
      if (rc == Z_BUF_ERROR && z.avail_in == 0 && inputEnded) break;  // stream cut short
      if (rc != Z_OK && rc != Z_BUF_ERROR) break;                     // damaged stream
    }
    payload.resize(result == ResultCode::kOk ? produced : 0);
  } catch (const std::bad_alloc&) {
    result = ResultCode::kPayloadFailed;
  }
  inflateEnd(&z);
  return result;
}

}  // namespace twk
