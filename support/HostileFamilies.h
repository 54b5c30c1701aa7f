#pragma once
// Record files built to cost the loader far more than their size: deep
// nesting, endless item lists, a huge string, zero bytes that inflate a
// thousandfold. Each family is generated at any count with a streaming
// deflate, so even the full-size payloads (hundreds of megabytes to 2 GB)
// never exist in memory; only the compressed file does.

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace twk::test {

enum class HostileFamily {
  kNestedUnclosed,     // <TWKFILE> then `count` nested <x>, never closed
  kEmptyItems,         // `count` <element/> in CData
  kItemsWithChildren,  // `count` <element><x/><y/><z/></element> in CData
  kZeroBytes,          // `count` zero bytes
  kLongPalette,        // a configuration with `count` palette entries
  kLongName,           // one item whose Name is `count` bytes
  kNestedInScalar,     // `count` nested elements inside TWKW, closed again; TWKH follows
};

struct HostileCase {
  HostileFamily family;
  const char* name;
  std::uint64_t fullCount;     // the size that hurt before the loader had ceilings
  std::uint64_t ceilingCount;  // about the largest size the payload ceiling admits
  bool configuration;          // bare container, configuration record
};

inline constexpr HostileCase kHostileCases[] = {
    {HostileFamily::kNestedUnclosed, "nested-unclosed", 63'000'000, 22'000'000, false},
    {HostileFamily::kEmptyItems, "empty-items", 50'000'000, 6'700'000, false},
    {HostileFamily::kItemsWithChildren, "items-with-children", 5'000'000, 2'090'000, false},
    {HostileFamily::kZeroBytes, "zero-bytes", 2'147'483'647, 67'000'000, false},
    {HostileFamily::kLongPalette, "long-palette", 50'000'000, 37'000, true},
    {HostileFamily::kLongName, "long-name", 500'000'000, 67'000'000, false},
    {HostileFamily::kNestedInScalar, "nested-in-scalar", 5'000'000, 9'500'000, false},
};

// Deflates a payload given as pieces repeated many times.
class RepeatingDeflater {
 public:
  RepeatingDeflater() { deflateInit(&z_, 1); }
  ~RepeatingDeflater() { deflateEnd(&z_); }
  RepeatingDeflater(const RepeatingDeflater&) = delete;
  RepeatingDeflater& operator=(const RepeatingDeflater&) = delete;

  void Add(std::string_view piece, std::uint64_t times = 1) {
    if (piece.empty() || times == 0) return;
    // Whole copies of the piece in a buffer of about a megabyte.
    const std::uint64_t perBuffer = std::max<std::uint64_t>(1, (1u << 20) / piece.size());
    std::string buffer;
    for (std::uint64_t i = 0; i < std::min(perBuffer, times); ++i) buffer.append(piece);
    for (std::uint64_t left = times; left > 0;) {
      const std::uint64_t n = std::min(perBuffer, left);
      Feed(std::string_view(buffer).substr(0, n * piece.size()), Z_NO_FLUSH);
      left -= n;
    }
    length_ += piece.size() * times;
  }
  // The finished zlib stream.
  std::string Finish() {
    Feed({}, Z_FINISH);
    return std::move(stream_);
  }
  std::uint64_t payloadLength() const { return length_; }

 private:
  void Feed(std::string_view in, int flush) {
    z_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z_.avail_in = static_cast<uInt>(in.size());
    char out[1 << 16];
    int rc = Z_OK;
    do {
      z_.next_out = reinterpret_cast<Bytef*>(out);
      z_.avail_out = sizeof out;
      rc = deflate(&z_, flush);
      stream_.append(out, sizeof out - z_.avail_out);
    } while (z_.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
  }

  z_stream z_{};
  std::string stream_;
  std::uint64_t length_ = 0;
};

inline std::string LittleEndian32(std::uint32_t v) {
  return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

// The file bytes of `family` at `count`. The header announces the true
// payload length, capped at the largest length a header can hold.
inline std::string HostileFileBytes(HostileFamily family, std::uint64_t count) {
  RepeatingDeflater d;
  switch (family) {
    case HostileFamily::kNestedUnclosed:
      d.Add("<TWKFILE>");
      d.Add("<x>", count);
      break;
    case HostileFamily::kEmptyItems:
      d.Add("<TWKFILE><CData>");
      d.Add("<element/>", count);
      d.Add("</CData></TWKFILE>");
      break;
    case HostileFamily::kItemsWithChildren:
      d.Add("<TWKFILE><CData>");
      d.Add("<element><x/><y/><z/></element>", count);
      d.Add("</CData></TWKFILE>");
      break;
    case HostileFamily::kZeroBytes: d.Add(std::string_view("\0", 1), count); break;
    case HostileFamily::kLongPalette:
      d.Add("<CONFIG><valid>1</valid><Palette>");
      d.Add("<element>-16777216</element>", count);
      d.Add("</Palette></CONFIG>");
      break;
    case HostileFamily::kLongName:
      d.Add("<TWKFILE><CData><element><Name>");
      d.Add("n", count);
      d.Add("</Name></element></CData></TWKFILE>");
      break;
    case HostileFamily::kNestedInScalar:
      d.Add("<TWKFILE><TWKW>5");
      d.Add("<a>", count);
      d.Add("</a>", count);
      d.Add("</TWKW><TWKH>6</TWKH></TWKFILE>");
      break;
  }
  const std::uint64_t n = std::min<std::uint64_t>(d.payloadLength(), 0x7FFFFFFF);
  const std::string stream = d.Finish();
  if (family == HostileFamily::kLongPalette) return LittleEndian32(static_cast<std::uint32_t>(n)) + stream;
  return std::string("\x74\x00\x77\x00", 4) + LittleEndian32(static_cast<std::uint32_t>(stream.size())) +
         LittleEndian32(static_cast<std::uint32_t>(n)) + stream;
}

}  // namespace twk::test
