#pragma once
// Walks the elements of an SVG document as the parser meets them and turns
// what they draw into items: the root's viewBox onto the 16 x 16 units,
// groups with their transforms and inherited style, shapes, style sheets,
// <use>, and a count of what items cannot draw. Errors are thrown as
// SvgReadError; the parser (SvgReader.cpp) calls Start, End and Text.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "document/Item.h"
#include "import/Affine.h"
#include "import/ElementRecorder.h"
#include "import/LeftOut.h"
#include "import/ShapeItems.h"
#include "import/StyleSheet.h"
#include "import/SvgReader.h"
#include "import/SvgStyle.h"

namespace twk {

class SvgWalker {
 public:
  explicit SvgWalker(const SvgReadOptions& options);
  void Start(const char* rawName, const char** attributes);
  void End();
  void Text(const char* s, int length);
  bool sawRoot() const { return sawRoot_; }
  // The document: the items with the last painted in front.
  void Finish(SvgRead& read);

 private:
  struct Frame {
    SvgStyle style;
    Affine map;
  };

  // Whether the clip path `id`, on an element drawn with `map`, cuts
  // nothing off the drawing area: one rect, in user space, covering all of
  // the 16 x 16 units (as design tools clip a whole icon to its frame).
  bool ClipsNothing(const std::string& id, const Affine& map) const;
  void StartRoot(std::string_view name, const AttributeList& attrs);
  // The cascade: presentation attributes, then style sheet rules, then the
  // style attribute, each over the one before, all over what is inherited.
  SvgStyle StyleOf(std::string_view name, const AttributeList& attrs);
  // Draws the element a <use> names again, inside a group of the use's own
  // style, moved by its x and y. A <symbol> draws as a group. A reference to
  // an element not (yet) read, or to one being drawn for a use already, is
  // left out.
  void Use(const AttributeList& attrs, Frame frame);
  void NoteEffects(const Frame& frame);
  void RememberServer(const AttributeList& attrs, std::string_view name);
  static std::string ServerKind(const void* self, std::string_view id);
  SvgStyle root_;
  std::vector<Frame> stack_;
  std::size_t skipDepth_ = 0;
  bool sawRoot_ = false;
  double viewWidth_ = 0, viewHeight_ = 0;
  bool inStyle_ = false;
  std::size_t styleDepth_ = 0;  // the skip depth of the <style> element being read
  std::string styleText_;
  StyleSheet sheet_;
  std::size_t ruleTests_ = 0;
  std::unordered_map<std::string, std::string> servers_;
  std::vector<TWKDATA> items_;
  LeftOut leftOut_;
  ElementRecorder recorder_;
  bool replaying_ = false;          // drawing a recorded element for a <use>
  std::vector<std::string> using_;  // the ids being drawn for uses, outermost first
  std::size_t replayed_ = 0;
  std::vector<std::pair<std::string, Affine>> clips_;  // clip paths named, and where
};

}  // namespace twk
