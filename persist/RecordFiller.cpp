#include "persist/RecordFiller.h"

#include <cstring>
#include <new>

#include "persist/ValueText.h"

namespace twk {

void RecordFiller::Start(const char* name) {
  if (skipDepth_ > 0) return Skip();
  if (stack_.empty()) {
    if (sawRoot_) return Skip();
    if (description_.rootNamed && description_.typeName != name) return Skip();
    sawRoot_ = true;
    ResetRecord(description_, record_);
    stack_.push_back(Frame{FrameKind::kRecord, ValueType::kRecord, record_, &description_});
    return;
  }
  Frame& top = stack_.back();
  if (top.kind == FrameKind::kScalar) return Skip();
  if (top.kind == FrameKind::kRecord) return StartField(top, name);
  if (top.stopped || std::strcmp(name, "element") != 0) return Skip();
  const FieldDescription* field = top.field;
  if (top.itemsLeft == 0) {
    top.stopped = true;  // the list holds no more items
    return Skip();
  }
  void* item = field->list.append(top.target);
  // Out of memory the list would end early and the record pass for whole.
  if (!item) throw std::bad_alloc();
  --top.itemsLeft;
  if (field->valueType == ValueType::kRecord) {
    ResetRecord(*field->itemDescription, item);
    stack_.push_back(Frame{FrameKind::kRecord, ValueType::kRecord, item, field->itemDescription});
  } else {
    PushScalar(field->valueType, item);
  }
}

void RecordFiller::End() {
  if (skipDepth_ > 0) {
    --skipDepth_;
    return;
  }
  if (stack_.empty()) return;
  if (stack_.back().kind == FrameKind::kScalar) StoreScalar(stack_.back());
  stack_.pop_back();
}

void RecordFiller::Text(const char* s, int len) {
  if (skipDepth_ > 0 || inCdata_ || stack_.empty()) return;
  const Frame& top = stack_.back();
  if (top.kind != FrameKind::kScalar) return;
  if (top.type == ValueType::kString) static_cast<std::string*>(top.target)->append(s, static_cast<std::size_t>(len));
  else text_.append(s, static_cast<std::size_t>(len));
}

void RecordFiller::Finish() {
  if (!stack_.empty() && stack_.back().kind == FrameKind::kScalar) StoreScalar(stack_.back());
  stack_.clear();
}

void RecordFiller::PushScalar(ValueType type, void* storage) {
  text_.clear();
  stack_.push_back(Frame{FrameKind::kScalar, type, storage});
}

void RecordFiller::StartField(Frame& top, const char* name) {
  const std::vector<FieldDescription>& fields = top.record->fields;
  const std::size_t n = fields.size();
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = (top.hint + k) % n;  // fields usually come in order
    if (std::strcmp(fields[i].elementName.c_str(), name) != 0) continue;
    const std::uint64_t bit = std::uint64_t{1} << (i % 64);
    if (top.claimed & bit) break;  // a repeated element counts only once
    top.claimed |= bit;
    top.hint = i + 1;
    void* record = top.target;
    const FieldDescription& field = fields[i];
    if (field.shape == FieldShape::kScalar) {
      PushScalar(field.valueType, field.scalar(record));
    } else {
      Frame frame{FrameKind::kList, field.valueType, record};
      frame.field = &field;
      frame.itemsLeft = field.maxItems;
      stack_.push_back(frame);
    }
    return;
  }
  Skip();
}

void RecordFiller::StoreScalar(const Frame& frame) {
  switch (frame.type) {
    case ValueType::kUInt8:
      *static_cast<std::uint8_t*>(frame.target) = static_cast<std::uint8_t>(ParseIntegerText(text_));
      break;
    case ValueType::kInt32:
      *static_cast<std::int32_t*>(frame.target) =
          static_cast<std::int32_t>(static_cast<std::uint32_t>(ParseIntegerText(text_)));
      break;
    case ValueType::kFloat32: *static_cast<float*>(frame.target) = ParseFloatText(text_); break;
    case ValueType::kString:  // filled as the text arrived
    case ValueType::kRecord: break;
  }
  text_.clear();
}

}  // namespace twk
