#include "import/SvgWalker.h"

#include <algorithm>
#include <cmath>

#include "document/Colour.h"
#include "document/Document.h"
#include "import/SvgNumbers.h"

namespace twk {
namespace {

// The deepest element nesting read; real drawings nest a handful deep.
constexpr std::size_t kMaxDepth = 256;
// The most ids of gradients and patterns remembered, to name their use.
constexpr std::size_t kMaxServerIds = 100'000;
// The most rule tests the style sheets may cost over the whole file (rules
// times elements): a few seconds at worst, far beyond any drawing's needs.
constexpr std::size_t kMaxRuleTests = 20'000'000;
// The most element starts that <use> may replay over the whole file, so
// uses of uses of many elements cannot multiply without end.
constexpr std::size_t kMaxReplayed = 2'000'000;
// The most clip path uses whose effect is told at the end; later ones are
// named as left out at once.
constexpr std::size_t kMaxDeferredClips = 10'000;

enum class Role { kGroup, kShape, kStyle, kUse, kLeftOut, kSkip };

// What an element (by its name without prefix) is to the reader.
Role RoleOf(std::string_view name, LeftOutKind& kind) {
  if (name == "g" || name == "svg" || name == "a" || name == "switch") return Role::kGroup;
  if (name == "path" || name == "line" || name == "polyline" || name == "polygon" || name == "rect" ||
      name == "circle" || name == "ellipse")
    return Role::kShape;
  if (name == "style") return Role::kStyle;
  if (name == "text") return kind = LeftOutKind::kText, Role::kLeftOut;
  if (name == "image") return kind = LeftOutKind::kImage, Role::kLeftOut;
  if (name == "use") return Role::kUse;
  if (name == "foreignObject") return kind = LeftOutKind::kForeignObject, Role::kLeftOut;
  // defs, symbol, title, desc, metadata, gradients, clip paths, masks and
  // anything unknown paint nothing where they stand.
  return Role::kSkip;
}

std::string_view LocalName(const char* name) {
  std::string_view n(name);
  const std::size_t colon = n.rfind(':');
  return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

}  // namespace

SvgWalker::SvgWalker(const SvgReadOptions& options) {
  root_.colour = {RedOf(options.currentColor), GreenOf(options.currentColor), BlueOf(options.currentColor),
                  AlphaOf(options.currentColor) / 255.0};
}

void SvgWalker::Start(const char* rawName, const char** attributes) {
  const std::string_view name = LocalName(rawName);
  const AttributeList attrs(attributes);
  if (stack_.size() + skipDepth_ >= kMaxDepth)
    throw SvgReadError("nests elements more than " + std::to_string(kMaxDepth) + " deep");
  if (!replaying_) recorder_.Start(name, attributes);
  if (name == "linearGradient" || name == "radialGradient" || name == "pattern") RememberServer(attrs, name);
  // Style sheets count wherever they stand, in <defs> above all, but once:
  // not again where <use> draws their element again.
  const bool sheet = name == "style" && !replaying_;
  if (skipDepth_ > 0) {
    ++skipDepth_;
    if (sheet && !inStyle_) inStyle_ = true, styleDepth_ = skipDepth_;
    return;
  }
  if (!sawRoot_) return StartRoot(name, attrs);
  LeftOutKind kind = LeftOutKind::kText;
  const Role role = name == "style" && !sheet ? Role::kSkip : RoleOf(name, kind);
  if (role == Role::kSkip) {
    skipDepth_ = 1;
    return;
  }
  if (role == Role::kStyle) {
    skipDepth_ = styleDepth_ = 1;
    inStyle_ = true;
    return;
  }
  Frame frame{StyleOf(name, attrs), stack_.back().map};
  Affine local;
  if (ParseTransform(attrs.Get("transform"), local)) frame.map = Compose(frame.map, local);
  if (frame.style.displayNone) {
    skipDepth_ = 1;
    return;
  }
  NoteEffects(frame);
  if (role == Role::kShape) {
    if (!frame.style.hidden) {
      ShapeTarget target{items_, leftOut_, kDocumentItemCeiling, viewWidth_, viewHeight_};
      AddShapeItems(name, attrs, frame.style, frame.map, target);
    }
    skipDepth_ = 1;  // a shape's children (title, animation) paint nothing
    return;
  }
  if (role == Role::kUse) {
    Use(attrs, std::move(frame));
    skipDepth_ = 1;
    return;
  }
  if (role == Role::kLeftOut) {
    const bool paints = frame.style.fill.kind != SvgPaint::kNone || frame.style.stroke.kind != SvgPaint::kNone;
    if (!frame.style.hidden && (paints || kind != LeftOutKind::kText)) leftOut_.Add(kind);
    skipDepth_ = 1;
    return;
  }
  stack_.push_back(std::move(frame));
}

void SvgWalker::End() {
  if (!replaying_) recorder_.End();
  if (skipDepth_ > 0) {
    const std::size_t depth = skipDepth_--;
    if (inStyle_ && depth == styleDepth_) {
      sheet_.Add(styleText_);
      styleText_.clear();
      inStyle_ = false;
    }
    return;
  }
  if (!stack_.empty()) stack_.pop_back();
}

void SvgWalker::Text(const char* s, int length) {
  if (inStyle_ && skipDepth_ == styleDepth_) styleText_.append(s, static_cast<std::size_t>(length));
}

// Whether the clip path `id`, on an element drawn with `map`, cuts
// nothing off the drawing area: one rect, in user space, covering all of
// the 16 x 16 units (as design tools clip a whole icon to its frame).
bool SvgWalker::ClipsNothing(const std::string& id, const Affine& map) const {
  const Recording* clip = recorder_.Find(id);
  if (!clip || clip->size() != 4 || (*clip)[0].name != "clipPath" || (*clip)[1].name != "rect") return false;
  for (const RecordedEvent* event : {&(*clip)[0], &(*clip)[1]})
    for (std::size_t i = 0; i + 1 < event->attributes.size(); i += 2)
      if (event->attributes[i] == "transform" || event->attributes[i] == "clipPathUnits") return false;
  double box[4] = {0, 0, 0, 0};
  const char* const names[] = {"x", "y", "width", "height"};
  const auto& attributes = (*clip)[1].attributes;
  for (int k = 0; k < 4; ++k)
    for (std::size_t i = 0; i + 1 < attributes.size(); i += 2)
      if (attributes[i] == names[k] && !LengthValue(attributes[i + 1], box[k])) return false;
  if (map.b != 0 || map.c != 0) return false;
  const Point a = map.Apply({box[0], box[1]}), b = map.Apply({box[0] + box[2], box[1] + box[3]});
  return std::min(a.x, b.x) <= 0 && std::min(a.y, b.y) <= 0 && std::max(a.x, b.x) >= 16 && std::max(a.y, b.y) >= 16;
}

// The document: the items with the last painted in front.
void SvgWalker::Finish(SvgRead& read) {
  for (const auto& [id, map] : clips_)
    if (!ClipsNothing(id, map)) leftOut_.Add(LeftOutKind::kClipPath);
  read.doc = TWKFILE{};
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    if (!std::isfinite(it->X1) || !std::isfinite(it->Y1) || !std::isfinite(it->X2) || !std::isfinite(it->Y2) ||
        !std::isfinite(it->X3) || !std::isfinite(it->Y3) || !std::isfinite(it->X4) || !std::isfinite(it->Y4) ||
        !std::isfinite(it->DrawWidth) || !std::isfinite(it->DrawAngle))
      throw SvgReadError("holds numbers too large for a drawing");
    read.doc.CData.append(*it);
  }
  read.leftOut = leftOut_.Text();
}

void SvgWalker::StartRoot(std::string_view name, const AttributeList& attrs) {
  if (name != "svg") throw SvgReadError("is not an SVG image: its document element is <" + std::string(name) + ">");
  sawRoot_ = true;
  // The viewBox, else the width and height, mapped onto the 16 x 16 units
  // with the aspect kept, centred.
  double x = 0, y = 0, w = 0, h = 0;
  const std::vector<double> box = NumberList(attrs.Get("viewBox"));
  if (box.size() == 4) {
    x = box[0], y = box[1], w = box[2], h = box[3];
    if (!(w > 0 && h > 0)) throw SvgReadError("has an empty viewBox: its width and height must be above 0");
  } else if (!LengthValue(attrs.Get("width"), w) || !LengthValue(attrs.Get("height"), h)) {
    throw SvgReadError("has no size: no viewBox, width or height");
  } else if (!(w > 0 && h > 0)) {
    throw SvgReadError("has no size: its width and height must be above 0");
  }
  viewWidth_ = w;
  viewHeight_ = h;
  const double scale = 16.0 / std::max(w, h);
  Frame frame{StyleOf(name, attrs), Affine{scale, 0, 0, scale, (16.0 - w * scale) / 2 - x * scale,
                                           (16.0 - h * scale) / 2 - y * scale}};
  Affine local;
  if (ParseTransform(attrs.Get("transform"), local)) frame.map = Compose(frame.map, local);
  if (frame.style.displayNone) skipDepth_ = 1;
  NoteEffects(frame);
  stack_.push_back(std::move(frame));
}

// The cascade: presentation attributes, then style sheet rules, then the
// style attribute, each over the one before, all over what is inherited.
SvgStyle SvgWalker::StyleOf(std::string_view name, const AttributeList& attrs) {
  const SvgStyle& parent = stack_.empty() ? root_ : stack_.back().style;
  SvgStyle style = parent.InheritFrom();
  const auto apply = [&](std::string_view property, std::string_view value) {
    ApplyDeclaration(style, parent, property, value, &SvgWalker::ServerKind, this);
  };
  for (const char** p = attrs.pairs(); p && p[0]; p += 2)
    if (IsStyleProperty(p[0])) apply(p[0], p[1]);
  ruleTests_ += sheet_.size();
  if (ruleTests_ > kMaxRuleTests) throw SvgReadError("has a style sheet too costly to apply to so many elements");
  if (!sheet_.empty())
    for (const auto& [property, value] : sheet_.Matching(name, attrs.Get("id"), attrs.Get("class")))
      apply(property, value);
  for (const auto& [property, value] : ParseDeclarations(attrs.Get("style"))) apply(property, value);
  return style;
}

// Draws the element a <use> names again, inside a group of the use's own
// style, moved by its x and y. A <symbol> draws as a group. A reference to
// an element not (yet) read, or to one being drawn for a use already, is
// left out.
void SvgWalker::Use(const AttributeList& attrs, Frame frame) {
  std::string_view href = attrs.Get("href");
  if (href.empty()) href = attrs.Get("xlink:href");
  const std::string id(href.substr(href.empty() || href.front() != '#' ? href.size() : 1));
  const Recording* recording = id.empty() ? nullptr : recorder_.Find(id);
  if (!recording || std::find(using_.begin(), using_.end(), id) != using_.end()) {
    leftOut_.Add(LeftOutKind::kUse);
    return;
  }
  double x = 0, y = 0;
  LengthValue(attrs.Get("x"), x);
  LengthValue(attrs.Get("y"), y);
  frame.map = Compose(frame.map, Affine{1, 0, 0, 1, x, y});
  stack_.push_back(std::move(frame));
  using_.push_back(id);
  const bool wasReplaying = replaying_;
  replaying_ = true;
  for (std::size_t i = 0; i < recording->size(); ++i) {
    const RecordedEvent& event = (*recording)[i];
    if (!event.start) {
      End();
      continue;
    }
    if (++replayed_ > kMaxReplayed)
      throw SvgReadError("draws its elements again more than " + std::to_string(kMaxReplayed) + " times");
    std::vector<const char*> pairs;
    for (const std::string& text : event.attributes) pairs.push_back(text.c_str());
    pairs.push_back(nullptr);
    Start(i == 0 && event.name == "symbol" ? "g" : event.name.c_str(), pairs.data());
  }
  replaying_ = wasReplaying;
  using_.pop_back();
  stack_.pop_back();
}

void SvgWalker::NoteEffects(const Frame& frame) {
  const SvgStyle& style = frame.style;
  // Whether a clip cuts anything is told once the file is read: design
  // tools put the clip paths they name after the drawing.
  if (!style.clipPath.empty()) {
    if (clips_.size() < kMaxDeferredClips) clips_.push_back({style.clipPath, frame.map});
    else leftOut_.Add(LeftOutKind::kClipPath);
  }
  if (style.masked) leftOut_.Add(LeftOutKind::kMask);
  if (style.filtered) leftOut_.Add(LeftOutKind::kFilter);
}

void SvgWalker::RememberServer(const AttributeList& attrs, std::string_view name) {
  const std::string_view id = attrs.Get("id");
  if (id.empty() || servers_.size() >= kMaxServerIds) return;
  servers_[std::string(id)] = name == "pattern" ? "pattern" : "gradient";
}

std::string SvgWalker::ServerKind(const void* self, std::string_view id) {
  const auto& servers = static_cast<const SvgWalker*>(self)->servers_;
  const auto found = servers.find(std::string(id));
  return found == servers.end() ? std::string() : found->second;
}

}  // namespace twk
