// Writing a record as compact XML (RecordToXml).
#include <charconv>
#include <cstdint>

#include "persist/RecordXml.h"
#include "persist/ValueText.h"

namespace twk {
namespace {

void AppendValue(std::string& out, ValueType type, const void* value) {
  char digits[16];
  switch (type) {
    case ValueType::kUInt8: {
      const auto end = std::to_chars(digits, digits + sizeof digits, *static_cast<const std::uint8_t*>(value)).ptr;
      out.append(digits, end);
      break;
    }
    case ValueType::kInt32: {
      const auto end = std::to_chars(digits, digits + sizeof digits, *static_cast<const std::int32_t*>(value)).ptr;
      out.append(digits, end);
      break;
    }
    case ValueType::kFloat32: AppendFloatText(out, *static_cast<const float*>(value)); break;
    case ValueType::kString: AppendEscapedText(out, *static_cast<const std::string*>(value)); break;
    case ValueType::kRecord: break;
  }
}

void OpenTag(std::string& out, const std::string& name) {
  out.push_back('<');
  out.append(name);
  out.push_back('>');
}

void CloseTag(std::string& out, const std::string& name) {
  out.append("</");
  out.append(name);
  out.push_back('>');
}

// Writes <name>content</name>, or <name/> when the content is empty. The
// content is appended by `appendContent` and moved back if it is empty.
template <typename Fn>
void AppendElement(std::string& out, const std::string& name, Fn&& appendContent) {
  const std::size_t start = out.size();
  OpenTag(out, name);
  const std::size_t contentStart = out.size();
  appendContent();
  if (out.size() == contentStart) {
    out.resize(start);
    out.push_back('<');
    out.append(name);
    out.append("/>");
    return;
  }
  CloseTag(out, name);
}

void AppendFields(std::string& out, const RecordDescription& description, const void* record);

void AppendListItems(std::string& out, const FieldDescription& field, const void* record) {
  static const std::string kItem = "element";
  const std::size_t count = field.list.count(record);
  for (std::size_t i = 0; i < count; ++i) {
    const void* item = field.list.item(record, i);
    AppendElement(out, kItem, [&] {
      if (field.valueType == ValueType::kRecord) AppendFields(out, *field.itemDescription, item);
      else AppendValue(out, field.valueType, item);
    });
  }
}

void AppendFields(std::string& out, const RecordDescription& description, const void* record) {
  for (const FieldDescription& field : description.fields) {
    AppendElement(out, field.elementName, [&] {
      if (field.shape == FieldShape::kList) AppendListItems(out, field, record);
      else AppendValue(out, field.valueType, field.scalar(const_cast<void*>(record)));
    });
  }
}

}  // namespace

std::string RecordToXml(const RecordDescription& description, const void* record) {
  std::string out;
  AppendElement(out, description.typeName, [&] { AppendFields(out, description, record); });
  return out;
}

}  // namespace twk
