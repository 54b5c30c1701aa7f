#pragma once
// Fills a record from the events of a streaming XML parse, with an explicit
// stack instead of recursion, so nesting depth costs heap memory in
// proportion to the input and never native stack. Rules: the first child
// element with a field's element name is that field's element (case-
// sensitive, any order, later repeats ignored); a scalar takes its own
// character data only (not its children's, not CDATA sections); a list takes
// one item per child element "element", up to the list's ceiling; everything
// else is skipped. A record has at most 64 fields.

#include <cstdint>
#include <string>
#include <vector>

#include "persist/RecordDescription.h"

namespace twk {

class RecordFiller {
 public:
  RecordFiller(const RecordDescription& description, void* record) : description_(description), record_(record) {}

  // Whether a document element was seen; the record is reset when it starts.
  bool sawRoot() const { return sawRoot_; }

  void Start(const char* name);
  void End();
  void Text(const char* s, int len);
  void Cdata(bool inside) { inCdata_ = inside; }
  // Stores the text of a scalar element the parse left open (an error or the
  // end of the payload came first): it is filled like a closed one.
  void Finish();

 private:
  enum class FrameKind : std::uint8_t { kRecord, kList, kScalar };
  struct Frame {
    FrameKind kind;
    ValueType type = ValueType::kRecord;        // kScalar: the value's type
    void* target = nullptr;                     // record, list owner or scalar storage
    const RecordDescription* record = nullptr;  // kRecord
    const FieldDescription* field = nullptr;    // kList
    std::uint64_t claimed = 0;                  // kRecord: fields already taken
    std::size_t hint = 0;                       // kRecord: where the next lookup starts
    std::size_t itemsLeft = 0;                  // kList: items still allowed by the ceiling
    bool stopped = false;                       // kList: the ceiling or an allocation failure ended it
  };

  void Skip() { ++skipDepth_; }
  void PushScalar(ValueType type, void* storage);
  void StartField(Frame& top, const char* name);
  void StoreScalar(const Frame& frame);

  const RecordDescription& description_;
  void* record_;
  std::vector<Frame> stack_;
  std::string text_;
  std::uint64_t skipDepth_ = 0;
  bool inCdata_ = false;
  bool sawRoot_ = false;
};

}  // namespace twk
