// Loading the hostile record files at full size and at about the largest
// size the payload ceilings admit: each family is generated,
// written to a scratch file and loaded in a child process, so the peak
// resident memory of that one load can be read from the child's usage
// (counter peak_MB; result is the load's result code, or 100 + signal).
// Set TARNWICK_HOSTILE_DIR to keep the generated files there.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "persist/Config.h"
#include "persist/DocumentFile.h"
#include "support/HostileFamilies.h"

namespace {

using twk::test::HostileCase;

std::string WriteCaseFile(const HostileCase& c, bool atCeiling) {
  const char* keep = std::getenv("TARNWICK_HOSTILE_DIR");
  const std::filesystem::path folder = keep ? keep : std::filesystem::temp_directory_path();
  const std::string name = std::string("hostile-") + c.name + (atCeiling ? "-ceiling" : "");
  const std::string path = (folder / (name + (c.configuration ? ".cfg" : ".twk"))).string();
  const std::string bytes = twk::test::HostileFileBytes(c.family, atCeiling ? c.ceilingCount : c.fullCount);
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return path;
}

int LoadInChild(const HostileCase& c, const std::string& path) {
  if (c.configuration) {
    twk::CONFIG config;
    return static_cast<int>(twk::LoadConfiguration(config, path));
  }
  twk::TWKFILE doc;
  return static_cast<int>(twk::LoadDocumentFile(path, doc, twk::LoadAccess::kShared));
}

void BM_HostileLoad(benchmark::State& state, HostileCase c, bool atCeiling) {
  const std::string path = WriteCaseFile(c, atCeiling);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) _exit(LoadInChild(c, path));
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["result"] = WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
  }
  if (!std::getenv("TARNWICK_HOSTILE_DIR")) std::filesystem::remove(path);
}

[[maybe_unused]] const bool registered = [] {
  for (const bool atCeiling : {false, true}) {
    for (const HostileCase& c : twk::test::kHostileCases) {
      const std::string name = std::string("BM_HostileLoad/") + c.name + (atCeiling ? "/at_ceiling" : "/full");
      benchmark::RegisterBenchmark(name.c_str(), BM_HostileLoad, c, atCeiling)
          ->UseManualTime()
          ->Iterations(1)
          ->Unit(benchmark::kMillisecond);
    }
  }
  return true;
}();

}  // namespace
