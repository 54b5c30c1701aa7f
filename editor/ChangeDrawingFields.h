#pragma once
// A key on the selection (move, rotate, width, opacity, method, end style,
// colour): the drawing fields of many items change, their names, types,
// visibility and order never. It keeps, for each touched item, only those
// fields and the revision, in two flat arrays: the new values until the
// command is applied, the old ones afterwards; applying and reverting swap
// them. A held key on every item of a large drawing thus costs one pass
// over plain numbers, and repeats of it on the same items add nothing.

#include <cstdint>
#include <utility>
#include <vector>

#include "editor/EditCommand.h"

namespace twk {

// The fields of an item a key on the selection can change.
struct DrawingFields {
  std::uint8_t DrawMethod = 0, DrawMethod2 = 0;
  float DrawWidth = 0, DrawAngle = 0;
  std::int32_t DrawRGBA = 0;
  float X1 = 0, Y1 = 0, X2 = 0, Y2 = 0, X3 = 0, Y3 = 0, X4 = 0, Y4 = 0;
  std::uint64_t Revision = 0;

  static DrawingFields Of(const TWKDATA& item);
  void WriteTo(TWKDATA& item) const;
};

class ChangeDrawingFields : public EditCommand {
 public:
  // `values[i]` are the new values of `items[i]`.
  ChangeDrawingFields(std::vector<TWKDATA*> items, std::vector<DrawingFields> values)
      : items_(std::move(items)), values_(std::move(values)) {}

  void Apply(EditorSession&) override { Swap(); }
  void Revert(EditorSession&) override { Swap(); }
  // Another such change applied after this one: the items of both, each
  // reverting to its value before the first. The same items again (a held
  // key) bring nothing new.
  bool Absorb(EditCommand& later) override;
  unsigned Changes() const override;

 private:
  void Swap();
  std::vector<TWKDATA*> items_;
  std::vector<DrawingFields> values_;  // the values the items do not have now
};

}  // namespace twk
