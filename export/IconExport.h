#pragma once
// Icon files (ICO, ICNS) of the drawing: one file holding several sizes,
// each image the very PNG the PNG export writes for that size.

#include <string>
#include <vector>

#include "document/Document.h"
#include "export/ExportFormat.h"
#include "export/IconImage.h"
#include "export/SizeWorkers.h"

namespace twk {

class ExportProgress;

// The PNG images of `sizes`, smallest first, rendered and encoded on two
// threads; an image that could not be made, or was not begun because
// `progress` asked to stop, has no bytes.
std::vector<IconImage> RenderSizeImages(const TWKFILE& doc, const SizeSet& sizes, EdgeFit fit,
                                        const ExportProgress* progress = nullptr);
// The same, empty when any of them could not be made.
std::vector<IconImage> RenderIconImages(const TWKFILE& doc, const SizeSet& sizes, EdgeFit fit = EdgeFit::kAsDrawn);

// Writes one icon file of `format` (kIco or kIcns) with the sizes of `sizes`
// that the format holds, replacing any file at `path` safely. False when
// nothing could be rendered, no size is held, or the file was not written.
[[nodiscard]] bool ExportIconFile(const TWKFILE& doc, ExportFormat format, const std::string& path,
                                  const SizeSet& sizes, EdgeFit fit = EdgeFit::kAsDrawn);

}  // namespace twk
