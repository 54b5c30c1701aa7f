#pragma once
// A memory-handling suite for expat that counts every byte the parser holds
// and refuses an allocation that would take it past a fixed budget. Expat
// reports a refused allocation as a parse error, so no payload can make the
// parser hold more than the budget, whatever its nesting, attributes or
// token lengths.

#include <expat.h>

#include <cstddef>

namespace twk {

class ParserBudget {
 public:
  explicit ParserBudget(std::size_t bytes) : limit_(bytes) {}
  ParserBudget(const ParserBudget&) = delete;
  ParserBudget& operator=(const ParserBudget&) = delete;

  // A parser (encoding fixed to `encoding`) whose every allocation is
  // charged to this budget; nullptr when even that does not fit. Create,
  // parse and free it only inside a BudgetScope of this budget.
  XML_Parser CreateParser(const char* encoding);

  std::size_t held() const { return held_; }
  std::size_t peak() const { return peak_; }
  bool refused() const { return refused_; }
  // Whether the system itself had no memory for an allocation the budget
  // allowed: the parse then ended for want of memory, not by the budget.
  bool outOfMemory() const { return outOfMemory_; }

  // Makes `budget` the one the suite charges on this thread while it lives.
  class Scope {
   public:
    explicit Scope(ParserBudget& budget);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    ParserBudget* previous_;
  };

 private:
  friend struct BudgetSuite;
  bool Charge(std::size_t bytes);
  void Release(std::size_t bytes) { held_ -= bytes; }

  std::size_t limit_;
  std::size_t held_ = 0;
  std::size_t peak_ = 0;
  bool refused_ = false;
  bool outOfMemory_ = false;
};

}  // namespace twk
