#pragma once
// The standard benchmark documents icon-<count>.twk, shared by every
// benchmark. They are read-only files, so they are read with shared access;
// when one cannot be read a stand-in with the same mix is built instead, and
// the benchmark says so on stderr and in its "from_file" counter.

#include "document/Document.h"

namespace twk::bench {

// icon-<count>.twk, loaded once per run.
const TWKFILE& IconDocument(int count);
// Whether IconDocument(count) came from the file.
bool IconFromFile(int count);

}  // namespace twk::bench
