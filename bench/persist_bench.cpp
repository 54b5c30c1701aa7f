// Loading and saving the 10,000-item document, beside the floors they are
// measured against: inflating the stream plus a bare expat parse (no
// callbacks) for loading, deflating the payload alone for saving. Rates are
// MB of XML text per second.
#include <benchmark/benchmark.h>
#include <expat.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "persist/DocumentFile.h"
#include "persist/RecordFile.h"

namespace {

struct BenchDocument {
  std::string workCopy;  // a writable copy: the loader refuses read-only files
  std::string stream;    // the zlib stream of the file
  std::string payload;   // the inflated XML payload
  twk::TWKFILE doc;
};

const BenchDocument& Document() {
  static const BenchDocument document = [] {
    BenchDocument d;
    const std::string source = std::string(TARNWICK_BENCH_DATA_DIR) + "/icon-10000.twk";
    std::ifstream in(source, std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), {});
    d.workCopy = (std::filesystem::temp_directory_path() / "tarnwick-persist-bench.twk").string();
    std::ofstream(d.workCopy, std::ios::binary | std::ios::trunc) << file;
    std::filesystem::permissions(d.workCopy, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    if (file.size() > 12) {
      d.stream = file.substr(12);
      const int n = static_cast<unsigned char>(file[8]) | static_cast<unsigned char>(file[9]) << 8 |
                    static_cast<unsigned char>(file[10]) << 16 | static_cast<unsigned char>(file[11]) << 24;
      d.payload.resize(static_cast<std::size_t>(n));
      uLongf length = d.payload.size();
      uncompress(reinterpret_cast<Bytef*>(d.payload.data()), &length,
                 reinterpret_cast<const Bytef*>(d.stream.data()), d.stream.size());
    }
    // A failed load leaves the document empty; the benchmarks check its size.
    (void)twk::LoadDocumentFile(d.workCopy, d.doc);
    return d;
  }();
  return document;
}

void SetXmlRate(benchmark::State& state) {
  state.counters["XML"] = benchmark::Counter(static_cast<double>(Document().payload.size()),
                                             benchmark::Counter::kIsIterationInvariantRate,
                                             benchmark::Counter::OneK::kIs1000);
}

void BM_LoadDocument10000(benchmark::State& state) {
  const BenchDocument& d = Document();
  if (d.doc.CData.size() != 10000) state.SkipWithError("icon-10000.twk did not load");
  for (auto _ : state) {
    twk::TWKFILE doc;
    benchmark::DoNotOptimize(twk::LoadDocumentFile(d.workCopy, doc));
  }
  SetXmlRate(state);
}
BENCHMARK(BM_LoadDocument10000)->Unit(benchmark::kMillisecond);

// The loading floor: the same inflate and a parse that builds nothing.
void BM_LoadFloorInflateAndBareExpat(benchmark::State& state) {
  const BenchDocument& d = Document();
  std::string payload(d.payload.size(), '\0');
  for (auto _ : state) {
    uLongf length = payload.size();
    uncompress(reinterpret_cast<Bytef*>(payload.data()), &length, reinterpret_cast<const Bytef*>(d.stream.data()),
               d.stream.size());
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_Parse(parser, payload.data(), static_cast<int>(payload.size()), XML_TRUE);
    XML_ParserFree(parser);
  }
  SetXmlRate(state);
}
BENCHMARK(BM_LoadFloorInflateAndBareExpat)->Unit(benchmark::kMillisecond);

void BM_SaveDocument10000(benchmark::State& state) {
  const BenchDocument& d = Document();
  const std::string path = d.workCopy + ".saved";
  for (auto _ : state) benchmark::DoNotOptimize(twk::SaveDocumentFile(path, d.doc));
  std::remove(path.c_str());
  SetXmlRate(state);
}
BENCHMARK(BM_SaveDocument10000)->Unit(benchmark::kMillisecond);

// Saving without the file system: XML text, zero fill, deflate, header.
void BM_EncodeDocument10000(benchmark::State& state) {
  const BenchDocument& d = Document();
  for (auto _ : state) {
    std::string header, stream;
    benchmark::DoNotOptimize(
        twk::EncodeRecordFile(twk::DocumentDescription(), &d.doc, twk::Container::kTagged, header, stream));
  }
  SetXmlRate(state);
}
BENCHMARK(BM_EncodeDocument10000)->Unit(benchmark::kMillisecond);

// The saving floor: deflating the payload alone at level 6.
void BM_SaveFloorDeflatePayload(benchmark::State& state) {
  const BenchDocument& d = Document();
  std::string out(compressBound(d.payload.size()), '\0');
  for (auto _ : state) {
    uLongf length = out.size();
    compress2(reinterpret_cast<Bytef*>(out.data()), &length, reinterpret_cast<const Bytef*>(d.payload.data()),
              d.payload.size(), 6);
    benchmark::DoNotOptimize(length);
  }
  SetXmlRate(state);
}
BENCHMARK(BM_SaveFloorDeflatePayload)->Unit(benchmark::kMillisecond);

}  // namespace
