#pragma once
// The depth pre-scan against the parser itself: the elements the parser
// reports at or above a depth, with and without the scan in front of it.
// Where the parser reads the whole payload (or stops only after the document
// element closed) both must report the same elements in the same order.

#include <expat.h>

#include <string>
#include <string_view>
#include <vector>

#include "persist/DepthFilter.h"

namespace twk::test {

struct ElementEvents {
  std::vector<std::string> events;  // "<name" and ">" for each start and end
  std::size_t depth = 0;
  std::size_t maxDepth = 0;
  bool rootClosed = false;
  bool refused = false;  // a declaration stopped the parse, as the reader does
  XML_Parser parser = nullptr;
};

inline void XMLCALL AgreementStart(void* data, const XML_Char* name, const XML_Char**) {
  auto* e = static_cast<ElementEvents*>(data);
  if (e->rootClosed) return;
  if (++e->depth <= e->maxDepth) e->events.push_back(std::string("<") + name);
}
inline void XMLCALL AgreementEnd(void* data, const XML_Char*) {
  auto* e = static_cast<ElementEvents*>(data);
  if (e->rootClosed) return;
  if (e->depth-- <= e->maxDepth) e->events.push_back(">");
  if (e->depth == 0) e->rootClosed = true;
}
inline void XMLCALL AgreementDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  auto* e = static_cast<ElementEvents*>(data);
  e->refused = true;
  XML_StopParser(e->parser, XML_FALSE);
}

// Parses the pieces in order; `complete` tells whether the parse read
// everything or stopped only after the document element closed.
inline ElementEvents ParseElements(const std::vector<std::string_view>& pieces, std::size_t maxDepth, bool& complete) {
  ElementEvents e;
  e.maxDepth = maxDepth;
  e.parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(e.parser, &e);
  XML_SetElementHandler(e.parser, AgreementStart, AgreementEnd);
  XML_SetStartDoctypeDeclHandler(e.parser, AgreementDoctype);
  bool ok = true;
  for (std::size_t i = 0; ok && i < pieces.size(); ++i)
    ok = XML_Parse(e.parser, pieces[i].data(), static_cast<int>(pieces[i].size()), i + 1 == pieces.size()) ==
         XML_STATUS_OK;
  complete = !e.refused && (ok || e.rootClosed);
  XML_ParserFree(e.parser);
  return e;
}

// Whether the scan keeps the elements up to `maxDepth` exactly as the parser
// sees them; true whenever the parser does not read the payload through.
inline bool FilterAgreesWithParser(std::string_view payload, std::size_t maxDepth) {
  if (payload.size() >= 2 && (payload[0] == '\xFE' || payload[0] == '\xFF')) return true;  // refused before parsing
  bool whole = false;
  const ElementEvents raw = ParseElements({payload, std::string_view()}, maxDepth, whole);
  if (!whole) return true;
  DepthFilter filter(payload, maxDepth);
  std::vector<std::string_view> pieces;
  while (!filter.done()) pieces.push_back(filter.Next());
  pieces.push_back({});
  bool ignored = false;
  return ParseElements(pieces, maxDepth, ignored).events == raw.events;
}

}  // namespace twk::test
