#pragma once
// A session observer that runs one function on every change of the
// document: the benchmarks' stand-in for the program's views.

#include <functional>
#include <utility>

#include "editor/EditorSession.h"

namespace twk::bench {

struct Redraw : SessionObserver {
  Redraw() = default;
  explicit Redraw(std::function<void()> f) : follow(std::move(f)) {}
  void OnDocumentChange(const DocumentChange&) override {
    if (follow) follow();
  }
  std::function<void()> follow;
};

}  // namespace twk::bench
