#pragma once
// What the record serializer knows about a record type: its name and its
// fields in file order. Records are reached through type-erased accessors so
// that one reader and one writer serve every record type.

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

namespace twk {

enum class ValueType : std::uint8_t { kUInt8, kInt32, kFloat32, kString, kRecord };
enum class FieldShape : std::uint8_t { kScalar, kList };

struct RecordDescription;

// Operations on a list field of a record. `item` and `append` return the
// storage of one item: the scalar itself for a list of scalars, the item
// record for a list of records. `append` adds a zero item and returns
// nullptr when it cannot be allocated.
struct ListAccess {
  std::size_t (*count)(const void* record) = nullptr;
  const void* (*item)(const void* record, std::size_t index) = nullptr;
  void (*clear)(void* record) = nullptr;
  void* (*append)(void* record) = nullptr;
};

struct FieldDescription {
  std::string name;         // field name; a string field's ends in "$"
  std::string elementName;  // name without the trailing "$"
  FieldShape shape = FieldShape::kScalar;
  ValueType valueType = ValueType::kInt32;  // scalar type, or item type of a list
  const RecordDescription* itemDescription = nullptr;  // list of records only
  void* (*scalar)(void* record) = nullptr;  // storage of a scalar field
  ListAccess list;
  std::size_t maxItems = 0;  // list only: reading stops filling at this many items
};

// The most XML a record file may hold unless its description says otherwise.
inline constexpr std::size_t kDefaultPayloadCeiling = std::size_t{64} << 20;
// The most memory the XML parser may hold while reading one payload. A record
// file's parse needs a few kilobytes (open elements and one token); the rest
// is room for long texts split across input pieces.
inline constexpr std::size_t kDefaultParserBudget = std::size_t{32} << 20;

// A record type: its name and its fields (at most 64, with distinct element
// names) in file order. A file announcing a longer payload than
// `payloadCeiling` is refused before anything is inflated, and saving refuses
// to write one. The parser reading a payload holds at most `parserBudget`
// bytes; past it the parse ends as at any other error.
struct RecordDescription {
  std::string typeName;
  std::vector<FieldDescription> fields;
  std::size_t payloadCeiling = kDefaultPayloadCeiling;
  std::size_t parserBudget = kDefaultParserBudget;
  // Whether the document element must be named `typeName`; otherwise any
  // name is taken. A document element of another name holds no record.
  bool rootNamed = false;
};

// How deep an element may lie in a payload and still reach the record: 1
// for the document element, 2 for its fields, 3 for list items, and so on.
// Deeper elements can never be part of the record.
std::size_t HoldDepth(const RecordDescription& description);

// The element name of a field: its name with a trailing "$" removed.
std::string ElementName(const std::string& fieldName);

// Resets a record as the reader does before filling it: numbers zero,
// strings empty, lists empty.
void ResetRecord(const RecordDescription& description, void* record);

namespace detail {
template <typename T> constexpr ValueType ValueTypeOf();
template <> constexpr ValueType ValueTypeOf<std::uint8_t>() { return ValueType::kUInt8; }
template <> constexpr ValueType ValueTypeOf<std::int32_t>() { return ValueType::kInt32; }
template <> constexpr ValueType ValueTypeOf<float>() { return ValueType::kFloat32; }
template <> constexpr ValueType ValueTypeOf<std::string>() { return ValueType::kString; }

template <auto Member> struct MemberTraits;
template <typename R, typename V, V R::*M> struct MemberTraits<M> {
  using Record = R;
  using Value = V;
};
}  // namespace detail

// A scalar field stored in the data member `Member`.
template <auto Member>
FieldDescription ScalarField(const std::string& name) {
  using Traits = detail::MemberTraits<Member>;
  FieldDescription field;
  field.name = name;
  field.elementName = ElementName(name);
  field.shape = FieldShape::kScalar;
  field.valueType = detail::ValueTypeOf<typename Traits::Value>();
  field.scalar = [](void* record) -> void* { return &(static_cast<typename Traits::Record*>(record)->*Member); };
  return field;
}

// A list field stored in the data member `Member`, a container with size(),
// clear() and the item access of `Ops` (see DocumentFile.cpp and Config.cpp).
// Reading keeps at most `maxItems` items.
template <auto Member, typename Ops>
FieldDescription ListField(const std::string& name, ValueType itemType, std::size_t maxItems,
                           const RecordDescription* itemDescription = nullptr) {
  using Record = typename detail::MemberTraits<Member>::Record;
  FieldDescription field;
  field.name = name;
  field.elementName = ElementName(name);
  field.shape = FieldShape::kList;
  field.valueType = itemType;
  field.itemDescription = itemDescription;
  field.maxItems = maxItems;
  field.list.count = [](const void* r) -> std::size_t {
    return static_cast<std::size_t>((static_cast<const Record*>(r)->*Member).size());
  };
  field.list.item = [](const void* r, std::size_t i) -> const void* {
    return Ops::Item(static_cast<const Record*>(r)->*Member, i);
  };
  field.list.clear = [](void* r) { (static_cast<Record*>(r)->*Member).clear(); };
  field.list.append = [](void* r) -> void* {
    try {
      return Ops::Append(static_cast<Record*>(r)->*Member);
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  };
  return field;
}

// Item access for a std::vector of scalars.
struct VectorListOps {
  template <typename V> static const void* Item(const std::vector<V>& list, std::size_t i) { return &list[i]; }
  template <typename V> static void* Append(std::vector<V>& list) { return &list.emplace_back(); }
};

}  // namespace twk
