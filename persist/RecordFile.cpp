#include "persist/RecordFile.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

#include "persist/Compression.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

constexpr char kDocumentTag[4] = {0x74, 0x00, 0x77, 0x00};
constexpr std::size_t kTaggedHeader = 12;

void AppendInt32(std::string& out, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

std::int32_t Int32At(const char* bytes) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(bytes[i]);
  return static_cast<std::int32_t>(u);
}

// Where the zlib stream lies in a file, and the payload length it announces.
struct StreamPlace {
  std::uint64_t offset = 0;
  std::uint64_t length = 0;
  std::int64_t payloadLength = 0;
};

// Reads the header of a file of `fileSize` bytes whose first bytes (up to 12,
// missing ones zero) are `head`; kOk or kFileFailed.
ResultCode LocateStream(const char (&head)[kTaggedHeader], std::uint64_t fileSize, Container container, StreamPlace& place) {
  if (fileSize < 4) return ResultCode::kFileFailed;
  if (container == Container::kBare) {
    place = {4, fileSize - 4, Int32At(head)};
    return place.length == 0 ? ResultCode::kFileFailed : ResultCode::kOk;
  }
  const std::int32_t length = Int32At(head + 4);
  const std::int32_t payload = Int32At(head + 8);
  if (std::memcmp(head, kDocumentTag, 4) != 0 || length < 1 || payload < 1) return ResultCode::kFileFailed;
  // The announced stream must be in the file: checked before any buffer is
  // sized by it.
  if (fileSize < kTaggedHeader || static_cast<std::uint64_t>(length) > fileSize - kTaggedHeader) return ResultCode::kFileFailed;
  place = {kTaggedHeader, static_cast<std::uint64_t>(length), payload};
  return ResultCode::kOk;
}


}  // namespace

ResultCode LoadOpenRecordFile(const FileHandle& file, std::uint64_t size, const RecordDescription& description,
                              void* record, Container container) {
  char head[kTaggedHeader] = {};
  const std::size_t headLength = static_cast<std::size_t>(std::min<std::uint64_t>(size, kTaggedHeader));
  if (!ReadExactly(file.get(), 0, head, headLength)) return ResultCode::kFileFailed;
  StreamPlace place;
  if (LocateStream(head, size, container, place) != ResultCode::kOk) return ResultCode::kFileFailed;
  // A payload longer than the record can sensibly hold is refused before a
  // byte of it is inflated.
  if (place.payloadLength > 0 && static_cast<std::uint64_t>(place.payloadLength) > description.payloadCeiling) {
    return ResultCode::kFileFailed;
  }
  // The stream is read in pieces and only as far as it goes: bytes after its
  // end, however many the header announces, are never read.
  std::uint64_t at = place.offset;
  std::uint64_t left = place.length;
  bool readFailed = false;
  const StreamSource source = [&](char* buffer, std::size_t room) -> std::ptrdiff_t {
    const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(room, left));
    if (n > 0 && !ReadExactly(file.get(), at, buffer, n)) {
      readFailed = true;
      return -1;
    }
    at += n;
    left -= n;
    return static_cast<std::ptrdiff_t>(n);
  };
  std::string payload;
  const ResultCode rc = InflatePayload(source, place.payloadLength, payload);
  if (readFailed) return ResultCode::kFileFailed;
  if (rc != ResultCode::kOk) return rc;
  return XmlToRecord(description, payload, record);
}

namespace {

ResultCode LoadRecordFileOrThrow(const std::string& path, const RecordDescription& description, void* record,
                                 Container container, LoadAccess access) {
  FileHandle file;
  std::uint64_t size = 0;
  if (OpenForLoad(path, access, file, size) != ResultCode::kOk) return ResultCode::kFileFailed;
  return LoadOpenRecordFile(file, size, description, record, container);
}

}  // namespace

ResultCode EncodeRecordFile(const RecordDescription& description, const void* record, Container container,
                     std::string& header, std::string& stream) {
  try {
    // A payload the load would refuse is never written: the text stops
    // growing as soon as it passes the ceiling.
    std::string payload;
    const bool fits = WriteRecordXml(description, record, [&](std::string_view piece) {
      if (piece.size() > description.payloadCeiling - payload.size()) return false;
      payload.append(piece);
      return true;
    });
    if (!fits) return ResultCode::kPayloadFailed;
    if (payload.empty()) return ResultCode::kNoXmlDocument;
    if (payload.size() < kMinimumPayload) payload.resize(kMinimumPayload, '\0');
    if (payload.size() > description.payloadCeiling) return ResultCode::kPayloadFailed;
    if (payload.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) return ResultCode::kPayloadFailed;
    if (DeflatePayload(payload, stream) != ResultCode::kOk) return ResultCode::kPayloadFailed;
    header.clear();
    if (container == Container::kTagged) {
      header.append(kDocumentTag, 4);
      AppendInt32(header, static_cast<std::int32_t>(stream.size()));
    }
    AppendInt32(header, static_cast<std::int32_t>(payload.size()));
    return ResultCode::kOk;
  } catch (const std::bad_alloc&) {
    return ResultCode::kPayloadFailed;
  }
}

ResultCode SaveRecordFile(const std::string& path, const RecordDescription& description, const void* record,
                   Container container) {
  std::string header, stream;
  const ResultCode rc = EncodeRecordFile(description, record, container, header, stream);
  if (rc != ResultCode::kOk) return rc;
  return ReplaceFile(path, header, stream);
}

ResultCode LoadRecordFile(const std::string& path, const RecordDescription& description, void* record, Container container,
                   LoadAccess access) {
  try {
    return LoadRecordFileOrThrow(path, description, record, container, access);
  } catch (const std::bad_alloc&) {
    return ResultCode::kFileFailed;  // too large a record for the memory: the file is refused
  }
}

}  // namespace twk
