#pragma once
// One drawing of an export of several: read through the one input loader,
// exported by the one export operation, and whatever went wrong or was left
// out told on one line that names the input.

#include <sys/types.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "cli/CliArguments.h"

namespace twk::cli {

// Files by device and inode: the inputs of a call, which none of its
// exports may write over, whatever the names or links say.
using FileIds = std::set<std::pair<dev_t, ino_t>>;
FileIds IdsOf(const std::vector<std::string>& paths);

struct InputOutcome {
  bool started = true;   // false: a stop came first and nothing was read
  bool failed = false;   // the input could not be read, or a file of it not written
  std::string line;      // what to tell, without its line feed; empty when all went well
};

// Exports the drawing `input` as `args` asks, its files named after `base`
// (for --set, the folder its sets go into). Nothing is written when one of
// its files would be one of `inputs`.
InputOutcome ExportInput(const Arguments& args, const std::string& input, const std::string& base,
                         const FileIds& inputs);

}  // namespace twk::cli
