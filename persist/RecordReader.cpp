// XmlToRecord: expat's streaming callbacks drive a RecordFiller.
#include <expat.h>

#include <algorithm>
#include <memory>
#include <new>

#include "persist/DepthFilter.h"
#include "persist/RecordFiller.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

struct ParseState {
  RecordFiller filler;
  XML_Parser parser;
};

// An allocation failure (or any other exception) inside a callback stops the
// parse instead of unwinding through the C library; the record keeps what
// was filled.
template <typename Fn>
void Guarded(void* data, Fn&& fn) {
  auto* state = static_cast<ParseState*>(data);
  try {
    fn(state->filler);
  } catch (...) {
    XML_StopParser(state->parser, XML_FALSE);
  }
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char**) {
  Guarded(data, [&](RecordFiller& f) { f.Start(name); });
}
void XMLCALL OnEnd(void* data, const XML_Char*) { Guarded(data, [](RecordFiller& f) { f.End(); }); }
void XMLCALL OnText(void* data, const XML_Char* s, int len) {
  Guarded(data, [&](RecordFiller& f) { f.Text(s, len); });
}
void XMLCALL OnCdataStart(void* data) { static_cast<ParseState*>(data)->filler.Cdata(true); }
void XMLCALL OnCdataEnd(void* data) { static_cast<ParseState*>(data)->filler.Cdata(false); }
// Record files never declare entities. Refusing declarations keeps entity
// expansion (and expat's recursion through nested entities) out entirely;
// expat's own amplification limits stay on as well.
void XMLCALL OnEntityDecl(void* data, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                          const XML_Char*, const XML_Char*, const XML_Char*) {
  XML_StopParser(static_cast<ParseState*>(data)->parser, XML_FALSE);
}

constexpr std::size_t kChunk = std::size_t{1} << 30;  // what one parser call takes

// The bytes FE and FF never occur in UTF-8, so a payload opening with a
// UTF-16 byte-order mark fails at its first byte. The parser would otherwise
// honour the mark and read the rest as UTF-16 despite the fixed encoding.
bool StartsWithUtf16Mark(std::string_view payload) {
  return payload.size() >= 2 && ((payload[0] == '\xFE' && payload[1] == '\xFF') ||
                                 (payload[0] == '\xFF' && payload[1] == '\xFE'));
}

struct ParserDeleter {
  void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

}  // namespace

ResultCode XmlToRecord(const RecordDescription& description, std::string_view payload, void* record) {
  bool whole = false;
  return XmlToRecord(description, payload, record, whole);
}

ResultCode XmlToRecord(const RecordDescription& description, std::string_view payload, void* record, bool& whole) {
  whole = false;
  // The encoding is fixed to UTF-8 whatever the text declares.
  std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(XML_ParserCreate("UTF-8"));
  if (!parser) return ResultCode::kNoXmlDocument;
  ParseState state{RecordFiller(description, record), parser.get()};
  XML_SetUserData(parser.get(), &state);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetCdataSectionHandler(parser.get(), OnCdataStart, OnCdataEnd);
  XML_SetEntityDeclHandler(parser.get(), OnEntityDecl);
  // The parse status is not examined: an error (such as the zero fill after
  // the document element) only ends the parse. Elements too deep for the
  // record never reach the parser.
  DepthFilter stretches(payload, HoldDepth(description));
  bool parsing = !StartsWithUtf16Mark(payload);
  while (parsing) {
    std::string_view stretch = stretches.Next();
    do {
      const std::string_view piece = stretch.substr(0, kChunk);
      stretch.remove_prefix(piece.size());
      const bool last = stretch.empty() && stretches.done();
      const bool parsed = XML_Parse(parser.get(), piece.data(), static_cast<int>(piece.size()), last) == XML_STATUS_OK;
      whole = parsed && last;
      parsing = parsed && !last;
    } while (parsing && !stretch.empty());
  }
  state.filler.Finish();
  return state.filler.sawRoot() ? ResultCode::kOk : ResultCode::kNoXmlDocument;
}

}  // namespace twk
