// tarnwick-cli: exports and inspects Tarnwick documents from scripts and
// icon build pipelines. The editor itself takes no arguments.
#include <exception>
#include <new>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliArguments.h"
#include "cli/CliCommands.h"

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    twk::cli::Arguments parsed;
    std::string error;
    if (!twk::cli::ParseArguments(args, parsed, error)) {
      std::cerr << "tarnwick-cli: " << error << "\n";
      return 1;
    }
    switch (parsed.command) {
      case twk::cli::Command::kHelp: std::cout << twk::cli::UsageText(); return 0;
      case twk::cli::Command::kVersion: std::cout << twk::cli::VersionText(); return 0;
      case twk::cli::Command::kExport: return twk::cli::RunExport(parsed, std::cout, std::cerr);
      case twk::cli::Command::kDump: return twk::cli::RunDump(parsed, std::cout, std::cerr);
      case twk::cli::Command::kCrisp: return twk::cli::RunCrisp(parsed, std::cout, std::cerr);
      case twk::cli::Command::kConvert: return twk::cli::RunConvert(parsed, std::cerr);
    }
  } catch (const std::bad_alloc&) {
    std::cerr << "tarnwick-cli: not enough memory\n";
  } catch (const std::exception& e) {
    std::cerr << "tarnwick-cli: " << e.what() << "\n";
  } catch (...) {  // nothing leaves main unreported: the tool still says why and exits 1
    std::cerr << "tarnwick-cli: unexpected failure\n";
  }
  return 1;
}
