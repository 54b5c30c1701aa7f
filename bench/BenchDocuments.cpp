#include "BenchDocuments.h"

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "document/Colour.h"
#include "persist/DocumentFile.h"

namespace twk::bench {
namespace {

struct Loaded {
  TWKFILE doc;
  bool fromFile = false;
};

// Every kind, method and end style, some rotated, dotted, filled and
// translucent, like the standard files.
TWKFILE StandIn(int count) {
  std::mt19937 rng(static_cast<unsigned>(count));
  std::uniform_real_distribution<float> pos(0.5f, 15.5f), width(0.25f, 3.0f), unit(0, 1);
  TWKFILE doc;
  for (int i = 0; i < count; ++i) {
    TWKDATA it;
    it.Type = static_cast<std::uint8_t>(i % 4);
    it.DrawMethod = static_cast<std::uint8_t>((i / 4) % 3);
    it.DrawMethod2 = static_cast<std::uint8_t>((i / 12) % 3);
    it.DrawWidth = width(rng);
    it.DrawAngle = unit(rng) < 0.3f ? 360 * unit(rng) : 0;
    it.DrawRGBA = PackRGBA(int(255 * unit(rng)), int(255 * unit(rng)), int(255 * unit(rng)),
                           unit(rng) < 0.3f ? 128 : 255);
    it.Visible = 1;
    it.X1 = pos(rng), it.Y1 = pos(rng), it.X2 = pos(rng), it.Y2 = pos(rng);
    it.X3 = pos(rng), it.Y3 = pos(rng), it.X4 = pos(rng), it.Y4 = pos(rng);
    if (it.Type == kEllipse) it.X2 = 360 * unit(rng), it.Y2 = unit(rng) < 0.5f ? it.X2 + 360 : 360 * unit(rng);
    doc.CData.append(it);
  }
  return doc;
}

const Loaded& Load(int count) {
  static std::map<int, Loaded> cache;
  auto found = cache.find(count);
  if (found != cache.end()) return found->second;
  Loaded loaded;
  const std::string path = std::string(TARNWICK_BENCH_DATA_DIR) + "/icon-" + std::to_string(count) + ".twk";
  loaded.fromFile = LoadDocumentFile(path, loaded.doc, LoadAccess::kShared) == ResultCode::kOk;
  if (!loaded.fromFile) {
    std::fprintf(stderr, "bench: %s not loaded, using a generated document\n", path.c_str());
    loaded.doc = StandIn(count);
  }
  return cache.emplace(count, std::move(loaded)).first->second;
}

}  // namespace

const TWKFILE& IconDocument(int count) { return Load(count).doc; }
bool IconFromFile(int count) { return Load(count).fromFile; }

}  // namespace twk::bench
