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
// With each picture the one shown with the selection's marks over it is
// kept too, so that a return to a state with the selection it had costs no
// marks either. The marks are told by the marked items' indices and their
// Revisions when the marks were drawn: marks drawn from another state over
// this picture (the selection can change before the document does, as in
// an undo) are never shown for this state.
//
// Held under a budget of pictures and of bytes (marked pictures included);
// past it the picture used least recently goes first. The pictures are shared, never drawn on again,
// and the calls may come from any thread.

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <vector>

#include "document/Document.h"
#include "render/ChangedArea.h"
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

// A picture found again.
struct SeenPicture {
  std::shared_ptr<const Image> plain;
  std::shared_ptr<const Image> shown;  // with the marks asked for; nullptr when not kept
  PixelArea marks;                     // the pixels those marks touch
};

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
  // `plain`, a picture kept, with the marks of the items `marked` over it
  // (`shown`, touching the pixels `marks`), drawn from items of the
  // revisions `revisions` (RevisionsOf), in place of any marks before.
  void KeepMarked(const std::shared_ptr<const Image>& plain, const std::vector<int>& marked,
                  std::vector<std::uint64_t> revisions, std::shared_ptr<const Image> shown, PixelArea marks);
  // The revisions of the items `marked` of `doc` (0 for an index outside it).
  static std::vector<std::uint64_t> RevisionsOf(const TWKFILE& doc, const std::vector<int>& marked);
  // The picture of `doc` in `frame`, with the marks of `marked` when kept;
  // plain is nullptr when none is.
  SeenPicture Find(const PictureFrame& frame, const TWKFILE& doc, const std::vector<int>& marked = {});
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
    std::vector<int> marked;              // the items whose marks `shown` has
    std::vector<std::uint64_t> markedRevisions;  // their revisions then
    std::shared_ptr<const Image> shown;   // picture with those marks; may be nullptr
    PixelArea marks;
  };
  static std::size_t BytesOf(const Image& picture);
  static std::size_t BytesOf(const Seen& seen);
  // Drops the pictures used least recently until the budget holds.
  void Evict();
  // The entry for this state, or end().
  std::list<Seen>::iterator Lookup(const PictureFrame& frame, const TWKFILE& doc);

  const std::size_t mostPictures_, mostBytes_;
  mutable std::mutex mutex_;
  std::list<Seen> seen_;  // most recently used first
  std::size_t bytes_ = 0;
};

}  // namespace twk
