#pragma once
// The plain canvas pictures (grid and items, no marks) of the last few
// document states, so that an undo or redo back to one of them shows it
// again without painting.
//
// A picture is told by everything it was painted from: the grid (its size
// and the caller's count of grids made, as a grid is rebuilt whenever the
// canvas or the document changes size), the document's size and pixels per
// unit, and the Revision of every item in order. Equal revisions mean equal
// fields (document/Item.h), so a picture is found only for a document that
// paints exactly as the one it was made from.
//
// Held under a budget of pictures and of bytes; past it the picture used
// least recently goes first. The pictures are shared, never drawn on again,
// and the calls may come from any thread.

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>

#include "document/Document.h"
#include "render/Image.h"
#include "render/canvas/ShownItems.h"

namespace twk {

// What a picture was painted from, besides its items.
struct PictureFrame {
  long long gridEpoch = 0;
  int gridWidth = 0, gridHeight = 0;
  float twkw = 0, twkh = 0, ppuX = 0, ppuY = 0;
  bool operator==(const PictureFrame&) const = default;
};

PictureFrame FrameOf(long long gridEpoch, const Image& grid, const TWKFILE& doc, float ppuX, float ppuY);

class SeenPictures {
 public:
  // A handful of states back and forth, at a few full-screen canvases.
  static constexpr std::size_t kMostPictures = 4;
  static constexpr std::size_t kMostBytes = std::size_t{48} << 20;

  explicit SeenPictures(std::size_t mostPictures = kMostPictures, std::size_t mostBytes = kMostBytes)
      : mostPictures_(mostPictures), mostBytes_(mostBytes) {}

  // Keeps `picture` of `doc` in `frame`, in place of any other of the same
  // state; one larger than the whole budget is not kept.
  void Keep(const PictureFrame& frame, const TWKFILE& doc, std::shared_ptr<const Image> picture);
  // The picture of `doc` in `frame`, or nullptr.
  std::shared_ptr<const Image> Find(const PictureFrame& frame, const TWKFILE& doc);
  // Forgets every picture.
  void Clear();
  // How many pictures, and how many bytes of pixels, are held.
  std::size_t count() const;
  std::size_t bytes() const;

 private:
  struct Seen {
    PictureFrame frame;
    ShownItems items;
    std::shared_ptr<const Image> picture;
  };
  static std::size_t BytesOf(const Image& picture);
  // The entry for this state, or end().
  std::list<Seen>::iterator Lookup(const PictureFrame& frame, const TWKFILE& doc);

  const std::size_t mostPictures_, mostBytes_;
  mutable std::mutex mutex_;
  std::list<Seen> seen_;  // most recently used first
  std::size_t bytes_ = 0;
};

}  // namespace twk
