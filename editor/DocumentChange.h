#pragma once
// What one edit changed, reported once when it is complete. The views
// follow from the kinds they show: the canvas and the preview from anything
// that changes the picture, the title from the tool settings, the grid from
// the document size. Rows, selection and check marks are reported by the
// item list itself (ListChange).

namespace twk {

struct DocumentChange {
  enum Kind : unsigned {
    kItemFields = 1u << 0,    // drawing fields of items in the document; they carry new revisions
    kItemsInOut = 1u << 1,    // items came into the document or left it
    kOrder = 1u << 2,         // items changed places
    kVisibility = 1u << 3,    // items were hidden or shown
    kConstruction = 1u << 4,  // the item under construction changed, began or ended
    kSize = 1u << 5,          // the document size: the grid follows (width, height)
    kToolSettings = 1u << 6,  // the tool settings (the title shows them)
  };
  // Every kind that changes the canvas picture.
  static constexpr unsigned kPicture = kItemFields | kItemsInOut | kOrder | kVisibility | kConstruction | kSize;
  static constexpr unsigned kEverything = kPicture | kToolSettings;

  unsigned kinds = 0;
  int width = 0, height = 0;  // whole units, with kSize

  bool Has(unsigned kind) const { return (kinds & kind) != 0; }
};

}  // namespace twk
