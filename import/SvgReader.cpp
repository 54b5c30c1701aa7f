#include "import/SvgReader.h"

#include <expat.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

#include "import/Affine.h"
#include "import/ElementRecorder.h"
#include "import/LeftOut.h"
#include "import/ShapeItems.h"
#include "import/StyleSheet.h"
#include "import/SvgNumbers.h"
#include "import/SvgStyle.h"
#include "persist/DocumentFile.h"
#include "persist/ParserBudget.h"
#include "persist/RecordDescription.h"

namespace twk {
namespace {

// The deepest element nesting read; real drawings nest a handful deep.
constexpr std::size_t kMaxDepth = 256;
// The most ids of gradients and patterns remembered, to name their use.
constexpr std::size_t kMaxServerIds = 100'000;
// The most rule tests the style sheets may cost over the whole file (rules
// times elements): a few seconds at worst, far beyond any drawing's needs.
constexpr std::size_t kMaxRuleTests = 20'000'000;
// What one parser call takes. Expat scans a token cut across calls again
// from its start, so large pieces keep a huge attribute from costing time
// quadratic in its length; its copy of them is charged to the budget.
constexpr std::size_t kPiece = 1024 * 1024;

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

struct Frame {
  SvgStyle style;
  Affine map;
};

struct ParserDeleter {
  void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

class Reader {
 public:
  explicit Reader(const SvgReadOptions& options) {
    root_.colour = {RedOf(options.currentColor), GreenOf(options.currentColor), BlueOf(options.currentColor),
                    AlphaOf(options.currentColor) / 255.0};
  }

  void Start(const char* rawName, const char** attributes) {
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

  void End() {
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

  void Text(const char* s, int length) {
    if (inStyle_ && skipDepth_ == styleDepth_) styleText_.append(s, static_cast<std::size_t>(length));
  }

  bool sawRoot() const { return sawRoot_; }

  // Whether the clip path `id`, on an element drawn with `map`, cuts
  // nothing off the drawing area: one rect, in user space, covering all of
  // the 16 x 16 units (as design tools clip a whole icon to its frame).
  bool ClipsNothing(const std::string& id, const Affine& map) const {
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
  void Finish(SvgRead& read) {
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

 private:
  void StartRoot(std::string_view name, const AttributeList& attrs) {
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
  SvgStyle StyleOf(std::string_view name, const AttributeList& attrs) {
    const SvgStyle& parent = stack_.empty() ? root_ : stack_.back().style;
    SvgStyle style = parent.InheritFrom();
    const auto apply = [&](std::string_view property, std::string_view value) {
      ApplyDeclaration(style, parent, property, value, &Reader::ServerKind, this);
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
  void Use(const AttributeList& attrs, Frame frame) {
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

  void NoteEffects(const Frame& frame) {
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

  void RememberServer(const AttributeList& attrs, std::string_view name) {
    const std::string_view id = attrs.Get("id");
    if (id.empty() || servers_.size() >= kMaxServerIds) return;
    servers_[std::string(id)] = name == "pattern" ? "pattern" : "gradient";
  }

  static std::string ServerKind(const void* self, std::string_view id) {
    const auto& servers = static_cast<const Reader*>(self)->servers_;
    const auto found = servers.find(std::string(id));
    return found == servers.end() ? std::string() : found->second;
  }

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

struct ParseState {
  Reader reader;
  XML_Parser parser;
  std::string error;       // a reason to stop, from the reader
  bool outOfMemory = false;
};

// Nothing may unwind through expat's frames: an exception stops the parse
// and is told after it.
template <typename Fn>
void Guarded(void* data, Fn&& fn) {
  auto* state = static_cast<ParseState*>(data);
  if (!state->error.empty()) return;
  try {
    fn(state->reader);
  } catch (const SvgReadError& e) {
    state->error = e.what();
    XML_StopParser(state->parser, XML_FALSE);
  } catch (const std::bad_alloc&) {
    state->outOfMemory = true;
    XML_StopParser(state->parser, XML_FALSE);
  } catch (...) {
    state->error = "could not be read";
    XML_StopParser(state->parser, XML_FALSE);
  }
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  Guarded(data, [&](Reader& r) { r.Start(name, attributes); });
}
void XMLCALL OnEnd(void* data, const XML_Char*) {
  Guarded(data, [](Reader& r) { r.End(); });
}
void XMLCALL OnText(void* data, const XML_Char* s, int length) {
  Guarded(data, [&](Reader& r) { r.Text(s, length); });
}

}  // namespace

SvgRead ReadSvgText(std::string_view text, const SvgReadOptions& options) {
  SvgRead read;
  const auto fail = [&read](const std::string& why) {
    read = SvgRead{};
    read.error = "the SVG " + why;
    return read;
  };
  if (text.size() > kDocumentPayloadCeiling) return fail("is larger than 64 MiB, the most a drawing file may hold");
  ParserBudget budget(kDefaultParserBudget);
  const ParserBudget::Scope scope(budget);
  // The encoding is the one the text declares (UTF-8 by default). No
  // external entity or document type definition is ever fetched: the
  // parser is given no handler to fetch them with.
  std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(budget.CreateParser(nullptr));
  if (!parser) return fail("needs more memory to read than a drawing may take");
  ParseState state{Reader(options), parser.get(), {}, false};
  XML_SetUserData(parser.get(), &state);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);
  bool parsed = true;
  std::string_view rest = text;
  do {
    const std::string_view piece = rest.substr(0, kPiece);
    rest.remove_prefix(piece.size());
    parsed = XML_Parse(parser.get(), piece.data(), static_cast<int>(piece.size()), rest.empty()) == XML_STATUS_OK;
  } while (parsed && !rest.empty());
  if (state.outOfMemory || budget.outOfMemory()) throw std::bad_alloc();
  if (!state.error.empty()) return fail(state.error);
  if (budget.refused()) return fail("needs more memory to read than a drawing may take (an element, attribute or entity is too large)");
  if (!parsed) {
    const XML_Error code = XML_GetErrorCode(parser.get());
    if (code == XML_ERROR_AMPLIFICATION_LIMIT_BREACH) return fail("has entities that expand too far");
    if (!state.reader.sawRoot())
      return fail("is not an XML document: " + std::string(XML_ErrorString(code)));
    return fail("is not well-formed XML (line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                XML_ErrorString(code) + ")");
  }
  if (!state.reader.sawRoot()) return fail("is not an SVG image");
  try {
    state.reader.Finish(read);
  } catch (const SvgReadError& e) {
    return fail(e.what());
  }
  read.ok = true;
  return read;
}

SvgRead ReadSvgFile(const std::string& path, const SvgReadOptions& options) {
  SvgRead read;
  FileHandle file;
  std::uint64_t size = 0;
  if (OpenForLoad(path, LoadAccess::kShared, file, size) != ResultCode::kOk) {
    read.error = "the file cannot be read";
    return read;
  }
  if (size > kDocumentPayloadCeiling) {
    read.error = "the SVG is larger than 64 MiB, the most a drawing file may hold";
    return read;
  }
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!ReadExactly(file.get(), 0, text.data(), text.size())) {
    read.error = "the file cannot be read";
    return read;
  }
  return ReadSvgText(text, options);
}

}  // namespace twk
