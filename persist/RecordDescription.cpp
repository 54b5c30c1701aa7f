#include "persist/RecordDescription.h"

#include <algorithm>
#include <cstdint>

namespace twk {

std::string ElementName(const std::string& fieldName) {
  if (!fieldName.empty() && fieldName.back() == '$') return fieldName.substr(0, fieldName.size() - 1);
  return fieldName;
}

void ResetRecord(const RecordDescription& description, void* record) {
  for (const FieldDescription& field : description.fields) {
    if (field.shape == FieldShape::kList) {
      field.list.clear(record);
      continue;
    }
    void* value = field.scalar(record);
    switch (field.valueType) {
      case ValueType::kUInt8: *static_cast<std::uint8_t*>(value) = 0; break;
      case ValueType::kInt32: *static_cast<std::int32_t*>(value) = 0; break;
      case ValueType::kFloat32: *static_cast<float*>(value) = 0.0f; break;
      case ValueType::kString: static_cast<std::string*>(value)->clear(); break;
      case ValueType::kRecord: break;  // a record is never a scalar field
    }
  }
}

std::size_t HoldDepth(const RecordDescription& description) {
  std::size_t below = 0;  // levels under the record's own element
  for (const FieldDescription& field : description.fields) {
    std::size_t levels = 1;  // the field's element
    if (field.shape == FieldShape::kList) {
      levels = field.valueType == ValueType::kRecord ? 1 + HoldDepth(*field.itemDescription) : 2;
    }
    below = std::max(below, levels);
  }
  return 1 + below;
}

}  // namespace twk
