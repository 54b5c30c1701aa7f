#pragma once
// The one way the command line reads a drawing: a Tarnwick document, or an
// SVG image brought in as a document, told apart by the file's first bytes
// rather than its name.

#include <string>

#include "document/Document.h"
#include "import/SvgReader.h"

namespace twk::cli {

struct LoadedInput {
  bool ok = false;
  TWKFILE doc;          // when ok
  std::string error;    // when !ok: one line for the user, naming the file (no program prefix)
  std::string leftOut;  // an SVG's parts that could not come in ("2 filled paths, 1 text"); empty otherwise
};

// Reads `path` (read-only files too, as the tool only reads); an SVG is read
// with `options` (its currentColor).
LoadedInput LoadInputDocument(const std::string& path, const SvgReadOptions& options = {});

}  // namespace twk::cli
