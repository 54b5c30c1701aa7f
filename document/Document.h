#pragma once
// The document record: drawing area size in units and the items.

#include "document/ItemStore.h"

namespace twk {

struct TWKFILE {
  float TWKW = 16;
  float TWKH = 16;
  ItemStore CData;
};

}  // namespace twk
