#pragma once
// The commands of tarnwick-cli. Each returns the process exit status and
// writes its results and errors to the given streams.

#include <ostream>

#include "cli/CliArguments.h"

namespace twk::cli {

int RunExport(const Arguments& args, std::ostream& out, std::ostream& err);
int RunDump(const Arguments& args, std::ostream& out, std::ostream& err);
int RunCrisp(const Arguments& args, std::ostream& out, std::ostream& err);
int RunConvert(const Arguments& args, std::ostream& err);

}  // namespace twk::cli
