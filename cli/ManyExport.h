#pragma once
// An export of several drawings in one call, for whole icon sets: each input
// is exported as it would be alone, its files named after its own name in
// the folder --out names (made when missing inside an existing folder) or,
// without --out, next to it. The inputs are shared among the threads of the
// pool; a failed input is told on a line of its own and the others are
// still written.

#include <ostream>

#include "cli/CliArguments.h"

namespace twk::cli {

// Runs the export of `args.inputs` and returns the exit status: 0, 1 when
// any input failed, 128 + the signal when SIGINT or SIGTERM stopped it
// (after the inputs in progress). `terminal`: `err` is a terminal and shows
// a progress line.
int RunManyExport(const Arguments& args, std::ostream& err, bool terminal);

}  // namespace twk::cli
