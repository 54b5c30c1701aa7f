// A preview painted on the editing thread that runs out of memory keeps
// the failure to itself: nothing escapes into the caller's event handling,
// and the next change paints from scratch.

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "render/preview/PreviewPainter.h"
#include "tests/render/PreviewTestSupport.h"

namespace {
// While set, every allocation on this thread fails, as it would with the
// memory used up.
thread_local bool allocationsFail = false;
thread_local int allocationsRefused = 0;
}  // namespace

void* operator new(std::size_t size) {
  if (allocationsFail) {
    ++allocationsRefused;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace twk {
namespace {

TEST(PreviewOutOfMemory, PaintingHereKeepsTheFailureAndTheNextChangePaintsAfresh) {
  PreviewPainter painter([] {});
  const TWKFILE doc = test::MixedDocument(5, 4);
  PreviewUpdate result = PreviewUpdate::kPainted;
  bool escaped = false;
  allocationsFail = true;
  try {
    result = painter.Update(doc, true);
  } catch (...) {
    escaped = true;
  }
  allocationsFail = false;
  ASSERT_GT(allocationsRefused, 0);
  EXPECT_FALSE(escaped);
  EXPECT_EQ(result, PreviewUpdate::kUnchanged);
  EXPECT_EQ(painter.Update(doc, true), PreviewUpdate::kPainted);
  EXPECT_EQ(test::FirstWrongPicture(*painter.pictures(), doc), "");
}

}  // namespace
}  // namespace twk
