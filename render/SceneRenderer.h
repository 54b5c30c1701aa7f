#pragma once
// Paints a document into a new transparent image, and composes the canvas
// picture (grid with the rendered document over it).

#include <memory>

#include "document/Document.h"
#include "render/Image.h"
#include "render/KeptImage.h"
#include "tasks/PaintCancel.h"

namespace twk {

enum class RenderArea {
  kDocument,  // TWKW x TWKH units, each clamped to 1..16 (the canvas)
  kFull,      // always 16 x 16 units (the export)
};

struct PixelSize {
  int width = 1;
  int height = 1;
};

// Size of the image RenderDocument makes: W x ppu per axis, rounded half to
// even, at least 1.
PixelSize RenderImageSize(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, RenderArea area);

// Renders every visible item of `doc`, last to first, at the given pixels per
// unit. Returns nullptr when the image cannot be created or memory runs out
// while painting; an image whose vector surface cannot be opened comes back
// blank. No function here lets an exception escape.
std::unique_ptr<Image> RenderDocument(const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                                      RenderArea area);

// The pixels of RenderDocument, painted on the calling thread alone into
// `kept`'s memory (no band split: the caller is one of several threads at
// work already). Valid until `kept` is used again; nullptr when the image
// cannot be had or memory runs out while painting.
Image* RenderDocumentInto(KeptImage& kept, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                          RenderArea area);

// Paints the items of doc.CData with indices first..last (inclusive), from
// `last` down to `first`, onto `layer`, exactly as RenderDocument paints them
// at the given pixels per unit: the document area covers the layer's top-left
// RenderImageSize pixels, whatever the layer's size. Painting
// items 1..n and then item 0 gives the same pixels as painting 0..n at once.
// Should memory run out, the layer keeps what was painted; so it does, half
// painted, once `cancel` is requested.
void PaintItems(Image& layer, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY,
                RenderArea area, int first, int last, const PaintCancel* cancel = nullptr);

// PaintItems on the rows [top, bottom) of `layer` only, on this thread; the
// rows get exactly the pixels PaintItems would give them.
void PaintItemRows(Image& layer, const TWKFILE& doc, float pixelsPerUnitX, float pixelsPerUnitY, RenderArea area,
                   int first, int last, int top, int bottom, const PaintCancel* cancel = nullptr);

// A copy of `grid` with `layer` blended over its top-left corner; nullptr
// when the copy cannot be made.
std::unique_ptr<Image> ComposeOverGrid(const Image& grid, const Image* layer);

// The picture the canvas shows: ComposeOverGrid of RenderDocument at the
// canvas scale with the document area; nullptr once `cancel` is requested.
std::unique_ptr<Image> ComposeCanvas(const Image& grid, const TWKFILE& doc, float pixelsPerUnitX,
                                     float pixelsPerUnitY, const PaintCancel* cancel = nullptr);

}  // namespace twk
