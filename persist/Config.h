#pragma once
// The configuration record kept between runs in "Tarnwick.cfg" (bare
// container) in the working directory.

#include <cstdint>
#include <string>
#include <vector>

#include "persist/RecordDescription.h"
#include "persist/ResultCode.h"

namespace twk {

struct CONFIG {
  std::uint8_t valid = 0;
  std::vector<std::int32_t> Palette;
  std::string RecentFile;
  std::int32_t RecentExport = 0;
  // 1 when the selection's marks on the canvas are hidden (H). Written after
  // the older entries; a file without it shows the marks.
  std::uint8_t HideMarks = 0;
  // 1 when exports and the Preview fit edges to pixels (the export window's
  // "Fit edges to pixels"). A file without it fits nothing.
  std::uint8_t FitEdges = 0;
  // The export window's "Other sizes", as typed there ("20, 22, 24"). A file
  // without it has none.
  std::string OtherSizes;
  // The icon sets' ground colour (colour packing, opaque), last chosen when
  // exporting them. The last entry; a record read starts every entry at 0,
  // so 0 (or any colour that is not opaque: a file without it) stands for
  // none chosen yet, which is white.
  std::int32_t IconGround = 0;
};

inline const char* const kConfigFileName = "Tarnwick.cfg";

// What a configuration file may hold: its text is under a kilobyte and the
// palette uses 24 entries, so these leave ample room and stop a damaged or
// crafted file from costing more than a few megabytes.
inline constexpr std::size_t kConfigPayloadCeiling = std::size_t{1} << 20;
inline constexpr std::size_t kPaletteCeiling = 1024;

// Reads the configuration file into `config`; failures are silent and leave
// `config` as it was. A ResultCode; the editor carries on with its defaults
// on any failure (there is no file on the first run).
[[nodiscard]] ResultCode LoadConfiguration(CONFIG& config, const std::string& path = kConfigFileName);
// Writes `config` to the configuration file; failures are silent.
[[nodiscard]] ResultCode SaveConfiguration(const CONFIG& config, const std::string& path = kConfigFileName);

// The record description of "CONFIG": valid, Palette, RecentFile$, RecentExport,
// HideMarks, FitEdges, OtherSizes$, IconGround.
const RecordDescription& ConfigDescription();

}  // namespace twk
