// XmlToRecord: expat's streaming callbacks drive a RecordFiller.
#include <expat.h>

#include <algorithm>
#include <memory>
#include <new>

#include "persist/RecordFiller.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

struct ParseState {
  RecordFiller filler;
  XML_Parser parser;
};

// An allocation failure inside a callback stops the parse instead of
// unwinding through the C library; the record keeps what was filled.
template <typename Fn>
void Guarded(void* data, Fn&& fn) {
  auto* state = static_cast<ParseState*>(data);
  try {
    fn(state->filler);
  } catch (const std::bad_alloc&) {
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

struct ParserDeleter {
  void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

}  // namespace

ResultCode XmlToRecord(const RecordDescription& description, std::string_view payload, void* record) {
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
  // the document element) only ends the parse.
  constexpr std::size_t kChunk = std::size_t{1} << 30;
  for (std::size_t done = 0;;) {
    const std::size_t n = std::min(kChunk, payload.size() - done);
    const bool last = done + n == payload.size();
    if (XML_Parse(parser.get(), payload.data() + done, static_cast<int>(n), last) != XML_STATUS_OK || last) break;
    done += n;
  }
  state.filler.Finish();
  return state.filler.sawRoot() ? ResultCode::kOk : ResultCode::kNoXmlDocument;
}

}  // namespace twk
