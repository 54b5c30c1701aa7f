#include "persist/ParserBudget.h"

#include <cstdlib>
#include <cstring>

namespace twk {
namespace {

thread_local ParserBudget* gCurrent = nullptr;

// Every block carries its size in front of it, aligned for any type.
constexpr std::size_t kHeader = alignof(std::max_align_t);

}  // namespace

struct BudgetSuite {
  static void* Malloc(std::size_t size) {
    if (!gCurrent || size > static_cast<std::size_t>(-1) - kHeader || !gCurrent->Charge(size)) return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block) {
      gCurrent->Release(size);
      gCurrent->outOfMemory_ = true;
      return nullptr;
    }
    std::memcpy(block, &size, sizeof size);
    return block + kHeader;
  }

  static void Free(void* pointer) {
    if (!pointer) return;
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    std::size_t size;
    std::memcpy(&size, block, sizeof size);
    if (gCurrent) gCurrent->Release(size);
    std::free(block);
  }

  static void* Realloc(void* pointer, std::size_t size) {
    if (!pointer) return Malloc(size);
    auto* block = static_cast<unsigned char*>(pointer) - kHeader;
    std::size_t old;
    std::memcpy(&old, block, sizeof old);
    if (!gCurrent || size > static_cast<std::size_t>(-1) - kHeader) return nullptr;
    if (size > old && !gCurrent->Charge(size - old)) return nullptr;
    auto* grown = static_cast<unsigned char*>(std::realloc(block, size + kHeader));
    if (!grown) {
      if (size > old) gCurrent->Release(size - old);
      gCurrent->outOfMemory_ = true;
      return nullptr;
    }
    if (size < old) gCurrent->Release(old - size);
    std::memcpy(grown, &size, sizeof size);
    return grown + kHeader;
  }
};

bool ParserBudget::Charge(std::size_t bytes) {
  if (bytes > limit_ - held_) {
    refused_ = true;
    return false;
  }
  held_ += bytes;
  if (held_ > peak_) peak_ = held_;
  return true;
}

XML_Parser ParserBudget::CreateParser(const char* encoding) {
  static const XML_Memory_Handling_Suite suite{BudgetSuite::Malloc, BudgetSuite::Realloc, BudgetSuite::Free};
  return XML_ParserCreate_MM(encoding, &suite, nullptr);
}

ParserBudget::Scope::Scope(ParserBudget& budget) : previous_(gCurrent) { gCurrent = &budget; }
ParserBudget::Scope::~Scope() { gCurrent = previous_; }

}  // namespace twk
