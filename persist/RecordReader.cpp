// XmlToRecord: expat's streaming callbacks drive a RecordFiller.
#include <expat.h>

#include <algorithm>
#include <memory>
#include <new>

#include "persist/DepthFilter.h"
#include "persist/ParserBudget.h"
#include "persist/RecordFiller.h"
#include "persist/RecordXml.h"

namespace twk {
namespace {

struct ParseState {
  RecordFiller filler;
  XML_Parser parser;
  bool outOfMemory = false;  // an allocation for the record failed
};

void Stop(void* data) { XML_StopParser(static_cast<ParseState*>(data)->parser, XML_FALSE); }

// An exception inside a callback stops the parse instead of unwinding
// through the C library; the record keeps what was filled. An allocation
// failure is noted, so that the reader does not pass off the part read as
// the whole record. Every other exception is caught too: nothing may unwind
// through expat's frames, whatever it is.
template <typename Fn>
void Guarded(void* data, Fn&& fn) {
  try {
    fn(static_cast<ParseState*>(data)->filler);
  } catch (const std::bad_alloc&) {
    static_cast<ParseState*>(data)->outOfMemory = true;
    Stop(data);
  } catch (...) {
    Stop(data);
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
// Record files never carry a document type declaration. Refusing one at its
// start keeps entity declarations, defaulted attributes and the whole
// internal subset out: the payload is read as one that holds no document.
void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) { Stop(data); }

// What one parser call takes. Expat copies its input into its own buffer,
// so small pieces keep that buffer (charged to the budget) small.
constexpr std::size_t kPiece = 64 * 1024;

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
  ParserBudget budget(description.parserBudget);
  const ParserBudget::Scope scope(budget);
  // The encoding is fixed to UTF-8 whatever the text declares.
  std::unique_ptr<XML_ParserStruct, ParserDeleter> parser(budget.CreateParser("UTF-8"));
  if (!parser) return ResultCode::kNoXmlDocument;
  ParseState state{RecordFiller(description, record), parser.get()};
  XML_SetUserData(parser.get(), &state);
  XML_SetElementHandler(parser.get(), OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser.get(), OnText);
  XML_SetCdataSectionHandler(parser.get(), OnCdataStart, OnCdataEnd);
  XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
  // The parse status is not examined: an error (such as the zero fill after
  // the document element, or the budget running out) only ends the parse.
  // Elements too deep for the record are cut out before the parser sees
  // them; that only saves work, since the budget bounds the parser anyway.
  DepthFilter stretches(payload, HoldDepth(description));
  bool parsing = !StartsWithUtf16Mark(payload);
  while (parsing) {
    std::string_view stretch = stretches.Next();
    do {
      const std::string_view piece = stretch.substr(0, kPiece);
      stretch.remove_prefix(piece.size());
      const bool last = stretch.empty() && stretches.done();
      const bool parsed = XML_Parse(parser.get(), piece.data(), static_cast<int>(piece.size()), last) == XML_STATUS_OK;
      whole = parsed && last;
      parsing = parsed && !last;
    } while (parsing && !stretch.empty());
  }
  // Out of memory, the record holds only what fitted: not a result to keep.
  if (state.outOfMemory || budget.outOfMemory()) throw std::bad_alloc();
  state.filler.Finish();
  return state.filler.sawRoot() ? ResultCode::kOk : ResultCode::kNoXmlDocument;
}

}  // namespace twk
