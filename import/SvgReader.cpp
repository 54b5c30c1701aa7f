#include "import/SvgReader.h"

#include <expat.h>

#include <memory>
#include <new>

#include "import/SvgNumbers.h"
#include "import/SvgWalker.h"
#include "persist/DocumentFile.h"
#include "persist/ParserBudget.h"
#include "persist/RecordDescription.h"

namespace twk {
namespace {

// What one parser call takes. Expat scans a token cut across calls again
// from its start, so large pieces keep a huge attribute from costing time
// quadratic in its length; its copy of them is charged to the budget.
constexpr std::size_t kPiece = 1024 * 1024;

struct ParserDeleter {
  void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

struct ParseState {
  SvgWalker walker;
  XML_Parser parser;
  std::string error;       // a reason to stop, from the walker
  bool outOfMemory = false;
};

// Nothing may unwind through expat's frames: an exception stops the parse
// and is told after it.
template <typename Fn>
void Guarded(void* data, Fn&& fn) {
  auto* state = static_cast<ParseState*>(data);
  if (!state->error.empty()) return;
  try {
    fn(state->walker);
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
  Guarded(data, [&](SvgWalker& r) { r.Start(name, attributes); });
}
void XMLCALL OnEnd(void* data, const XML_Char*) {
  Guarded(data, [](SvgWalker& r) { r.End(); });
}
void XMLCALL OnText(void* data, const XML_Char* s, int length) {
  Guarded(data, [&](SvgWalker& r) { r.Text(s, length); });
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
  ParseState state{SvgWalker(options), parser.get(), {}, false};
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
    if (!state.walker.sawRoot())
      return fail("is not an XML document: " + std::string(XML_ErrorString(code)));
    return fail("is not well-formed XML (line " + std::to_string(XML_GetCurrentLineNumber(parser.get())) + ": " +
                XML_ErrorString(code) + ")");
  }
  if (!state.walker.sawRoot()) return fail("is not an SVG image");
  try {
    state.walker.Finish(read);
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
