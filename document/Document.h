#pragma once
// The document record: drawing area size in units and the items.

#include <cstddef>

#include "document/ItemStore.h"

namespace twk {

// The most items a document holds: loading keeps no more, and a paste or a
// clone that would pass it is refused.
inline constexpr std::size_t kDocumentItemCeiling = 250'000;

struct TWKFILE {
  float TWKW = 16;
  float TWKH = 16;
  ItemStore CData;
};

}  // namespace twk
