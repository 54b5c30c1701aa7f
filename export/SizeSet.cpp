#include "export/SizeSet.h"

#include <algorithm>

#include "export/ExportSizes.h"

namespace twk {

SizeSet SizeSet::FromListMask(int mask) {
  SizeSet set;
  for (int i = 0; i < kExportSizeCount; ++i) {
    if (mask & (1 << i)) set.Add(ExportEdgeAt(i));
  }
  return set;
}

SizeSet SizeSet::WholeList() { return FromListMask((1 << kExportSizeCount) - 1); }

bool SizeSet::Add(int edge) {
  if (edge < kMinExportEdge || edge > kMaxExportEdge) return false;
  const auto at = std::lower_bound(edges_.begin(), edges_.end(), edge);
  if (at == edges_.end() || *at != edge) edges_.insert(at, edge);
  return true;
}

bool SizeSet::Contains(int edge) const { return std::binary_search(edges_.begin(), edges_.end(), edge); }

int SizeSet::ListMask() const {
  int mask = 0;
  for (int i = 0; i < kExportSizeCount; ++i) {
    if (Contains(ExportEdgeAt(i))) mask |= 1 << i;
  }
  return mask;
}

}  // namespace twk
