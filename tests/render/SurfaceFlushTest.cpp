// The two bands of a split paint write disjoint rows of one image, but
// cairo's flush of that image is not safe from two threads at once. This
// test program stands in for cairo_surface_flush (the executable's own
// definition is found before libcairo's) and counts the flushes of the one
// image being painted, and the threads they came from.

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include <cairo.h>

#include "render/BandPainter.h"
#include "render/RenderTestSupport.h"

namespace {

std::atomic<cairo_surface_t*> watched{nullptr};
std::mutex flushersMutex;
std::vector<std::thread::id> flushers;

}  // namespace

extern "C" void cairo_surface_flush(cairo_surface_t* surface) {
  using Flush = void (*)(cairo_surface_t*);
  static const auto real = reinterpret_cast<Flush>(dlsym(RTLD_NEXT, "cairo_surface_flush"));
  if (surface != nullptr && surface == watched.load()) {
    std::lock_guard lock(flushersMutex);
    flushers.push_back(std::this_thread::get_id());
  }
  real(surface);
}

namespace twk {
namespace {

TEST(SurfaceFlush, ASplitPaintFlushesTheImageOnceOnTheCallingThread) {
  const TWKFILE doc = test::StandardDocument(100);
  auto layer = Image::NewTransparent(320, 320);
  ASSERT_TRUE(layer);
  watched = layer->surface();
  PaintItemsInBands(*layer, doc, 16, 16, 0, doc.CData.size() - 1);
  watched = nullptr;
  EXPECT_EQ(flushers, std::vector<std::thread::id>{std::this_thread::get_id()});
}

}  // namespace
}  // namespace twk
