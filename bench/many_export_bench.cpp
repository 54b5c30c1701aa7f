// One command-line export of many line icons, as an icon set is exported:
// each read, fitted and written at 16, 20 and 24 px, the inputs shared among
// the pool's threads. The icons are the command-line test icons, each moved,
// scaled and stroked a little differently, written to a temporary folder.
// Until SVG can be read, the same number of .twk icons stands in, and the
// "svg_inputs" counter says 0.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "cli/CliArguments.h"
#include "cli/ManyExport.h"
#include "import/SvgReader.h"
#include "persist/DocumentFile.h"

namespace twk {
namespace {

namespace fs = std::filesystem;

constexpr int kIcons = 300;

// The test icon `text` moved by a quarter unit steps, scaled and stroked as
// icon number `i`.
std::string Varied(const std::string& text, int i) {
  const char* widths[] = {"1.5", "1.75", "2"};
  std::string out = text;
  const std::size_t width = out.find("stroke-width=\"");
  if (width != std::string::npos) {
    const std::size_t value = width + 14;
    out.replace(value, out.find('"', value) - value, widths[i % 3]);
  }
  std::ostringstream group;
  group << "<g transform=\"translate(" << 12 + (i / 3 % 9 - 4) * 0.25 << " " << 12 + (i / 27 % 9 - 4) * 0.25
        << ") scale(" << 1.0 - (i / 243 % 5) * 0.025 << ") translate(-12 -12)\">";
  const std::size_t opening = out.find('>', out.find("<svg")) + 1;
  out.insert(out.rfind("</svg>"), "</g>\n");
  out.insert(opening, group.str());
  return out;
}

class IconFolder {
 public:
  IconFolder() : path_(fs::temp_directory_path() / "twk-many-export-bench") {
    fs::remove_all(path_);
    fs::create_directories(path_ / "in");
    std::vector<std::string> templates;
    for (const auto& entry : fs::directory_iterator(TARNWICK_CLI_ICONS_DIR)) {
      std::ifstream in(entry.path());
      templates.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    svg_ = !templates.empty() && ReadSvgText(Varied(templates.front(), 0)).ok;
    for (int i = 0; i < kIcons; ++i) {
      const std::string path = (path_ / "in" / ("icon" + std::to_string(i))).string();
      if (svg_) {
        std::ofstream(path + ".svg") << Varied(templates[i % templates.size()], i);
        inputs_.push_back(path + ".svg");
      } else if (SaveDocumentFile(path + ".twk", bench::IconDocument(10)) == ResultCode::kOk) {
        inputs_.push_back(path + ".twk");
      }
    }
  }
  ~IconFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const std::vector<std::string>& inputs() const { return inputs_; }
  std::string Out() const { return (path_ / "out").string(); }
  bool svg() const { return svg_; }

 private:
  fs::path path_;
  std::vector<std::string> inputs_;
  bool svg_ = false;
};

void BM_ManyIconsFittedAt16To24(benchmark::State& state) {
  const IconFolder icons;
  std::string error;
  cli::Arguments args;
  std::vector<std::string> words = {"export", "--sizes", "16,20,24", "--fit", "--out", icons.Out()};
  words.insert(words.end(), icons.inputs().begin(), icons.inputs().end());
  if (!cli::ParseArguments(words, args, error)) state.SkipWithError(error.c_str());
  std::ostringstream err;
  for (auto _ : state) {
    if (cli::RunManyExport(args, err, false) != 0) state.SkipWithError(err.str().c_str());
  }
  state.counters["icons"] = static_cast<double>(icons.inputs().size());
  state.counters["svg_inputs"] = icons.svg() ? 1 : 0;
}
BENCHMARK(BM_ManyIconsFittedAt16To24)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace
}  // namespace twk
