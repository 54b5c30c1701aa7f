#pragma once
// Keeps the elements that have an id, with everything inside them, as the
// parse passes them, so that <use> can draw them again. Kept elements cost
// memory beside the parser's, so the recorder keeps at most kMaxBytes in all;
// past that it keeps no more (a use of an element it did not keep is left
// out).

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace twk {

// One element start (its name and attributes) or end, as parsed.
struct RecordedEvent {
  bool start = true;
  std::string name;
  std::vector<std::string> attributes;  // name, value, name, value, ...
};

using Recording = std::vector<RecordedEvent>;

class ElementRecorder {
 public:
  static constexpr std::size_t kMaxBytes = std::size_t{8} << 20;

  // Every element start and end of the parse, in order.
  void Start(std::string_view name, const char** attributes);
  void End();

  // The whole element with id `id`; nullptr while it is still open, or when
  // it was never kept.
  const Recording* Find(std::string_view id) const;

 private:
  struct Open {
    std::string id;
    Recording events;
    std::size_t depth = 0;  // elements open inside it
  };
  bool Charge(std::size_t bytes);

  std::vector<Open> open_;
  std::unordered_map<std::string, Recording> done_;
  std::size_t bytes_ = 0;
  bool full_ = false;
};

}  // namespace twk
