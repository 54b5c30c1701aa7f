// Writing a record as compact XML (WriteRecordXml, RecordToXml), handed on in
// pieces so that neither a save nor a dump needs the whole text at once.
#include <charconv>
#include <cstdint>

#include "persist/RecordXml.h"
#include "persist/ValueText.h"

namespace twk {
namespace {

constexpr std::size_t kPiece = 64 * 1024;  // text handed to the sink at a time

class XmlOut {
 public:
  explicit XmlOut(const XmlSink& sink) : sink_(sink) {}

  bool ok() const { return ok_; }
  std::string& text() { return buffer_; }  // append, then call Flow()
  void Flow() {
    if (buffer_.size() >= kPiece) Flush();
  }
  bool Finish() {
    Flush();
    return ok_;
  }

  // `text` with "&", "<" and ">" escaped, a slice at a time (an escaped
  // slice is at most five times as long).
  void AppendEscaped(std::string_view text) {
    while (ok_ && !text.empty()) {
      const std::string_view slice = text.substr(0, kPiece / 8);
      AppendEscapedText(buffer_, slice);
      text.remove_prefix(slice.size());
      Flow();
    }
  }

 private:
  void Flush() {
    if (ok_ && !buffer_.empty()) ok_ = sink_(buffer_);
    buffer_.clear();
  }

  const XmlSink& sink_;
  std::string buffer_;
  bool ok_ = true;
};

void AppendValue(XmlOut& out, ValueType type, const void* value) {
  char digits[16];
  std::string& text = out.text();
  switch (type) {
    case ValueType::kUInt8: {
      const auto end = std::to_chars(digits, digits + sizeof digits, *static_cast<const std::uint8_t*>(value)).ptr;
      text.append(digits, end);
      break;
    }
    case ValueType::kInt32: {
      const auto end = std::to_chars(digits, digits + sizeof digits, *static_cast<const std::int32_t*>(value)).ptr;
      text.append(digits, end);
      break;
    }
    case ValueType::kFloat32: AppendFloatText(text, *static_cast<const float*>(value)); break;
    case ValueType::kString: out.AppendEscaped(*static_cast<const std::string*>(value)); break;
    case ValueType::kRecord: break;
  }
  out.Flow();
}

// Writes <name>content</name>, or <name/> when `empty`.
template <typename Fn>
void AppendElement(XmlOut& out, const std::string& name, bool empty, Fn&& appendContent) {
  std::string& text = out.text();
  text.push_back('<');
  text.append(name);
  if (empty) {
    text.append("/>");
    return;
  }
  text.push_back('>');
  appendContent();
  out.text().append("</");
  out.text().append(name);
  out.text().push_back('>');
}

bool ValueEmpty(ValueType type, const void* value) {
  if (type == ValueType::kString) return static_cast<const std::string*>(value)->empty();
  return type == ValueType::kRecord;
}

void AppendFields(XmlOut& out, const RecordDescription& description, const void* record);

void AppendListItems(XmlOut& out, const FieldDescription& field, const void* record) {
  static const std::string kItem = "element";
  const std::size_t count = field.list.count(record);
  for (std::size_t i = 0; i < count && out.ok(); ++i) {
    const void* item = field.list.item(record, i);
    const bool isRecord = field.valueType == ValueType::kRecord;
    const bool empty = isRecord ? field.itemDescription->fields.empty() : ValueEmpty(field.valueType, item);
    AppendElement(out, kItem, empty, [&] {
      if (isRecord) AppendFields(out, *field.itemDescription, item);
      else AppendValue(out, field.valueType, item);
    });
    out.Flow();
  }
}

void AppendFields(XmlOut& out, const RecordDescription& description, const void* record) {
  for (const FieldDescription& field : description.fields) {
    if (field.shape == FieldShape::kList) {
      AppendElement(out, field.elementName, field.list.count(record) == 0,
                    [&] { AppendListItems(out, field, record); });
    } else {
      const void* value = field.scalar(const_cast<void*>(record));
      AppendElement(out, field.elementName, ValueEmpty(field.valueType, value),
                    [&] { AppendValue(out, field.valueType, value); });
    }
  }
}

}  // namespace

bool WriteRecordXml(const RecordDescription& description, const void* record, const XmlSink& sink) {
  XmlOut out(sink);
  AppendElement(out, description.typeName, description.fields.empty(), [&] { AppendFields(out, description, record); });
  return out.Finish();
}

std::string RecordToXml(const RecordDescription& description, const void* record) {
  std::string text;
  (void)WriteRecordXml(description, record, [&text](std::string_view piece) {
    text.append(piece);
    return true;
  });
  return text;
}

}  // namespace twk
