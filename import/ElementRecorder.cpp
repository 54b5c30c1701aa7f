#include "import/ElementRecorder.h"

#include <cstring>

namespace twk {

bool ElementRecorder::Charge(std::size_t bytes) {
  if (full_ || bytes > kMaxBytes - bytes_) {
    full_ = true;
    open_.clear();
    return false;
  }
  bytes_ += bytes;
  return true;
}

void ElementRecorder::Start(std::string_view name, const char** attributes) {
  if (full_) return;
  std::string_view id;
  std::size_t size = name.size() + sizeof(RecordedEvent);
  for (const char** p = attributes; p && p[0]; p += 2) {
    size += std::strlen(p[0]) + std::strlen(p[1]) + 2 * sizeof(std::string);
    if (std::strcmp(p[0], "id") == 0) id = p[1];
  }
  if (!id.empty()) open_.push_back(Open{std::string(id), {}, 0});
  if (open_.empty() || !Charge(size * open_.size())) return;
  RecordedEvent event{true, std::string(name), {}};
  for (const char** p = attributes; p && p[0]; p += 2) {
    event.attributes.emplace_back(p[0]);
    event.attributes.emplace_back(p[1]);
  }
  for (Open& o : open_) {
    o.events.push_back(event);
    ++o.depth;
  }
}

void ElementRecorder::End() {
  if (open_.empty() || !Charge(sizeof(RecordedEvent) * open_.size())) return;
  for (Open& o : open_) {
    o.events.push_back(RecordedEvent{false, {}, {}});
    --o.depth;
  }
  // The innermost recording whose element just ended is whole.
  if (open_.back().depth == 0) {
    done_.emplace(std::move(open_.back().id), std::move(open_.back().events));
    open_.pop_back();
  }
}

const Recording* ElementRecorder::Find(std::string_view id) const {
  const auto found = done_.find(std::string(id));
  return found == done_.end() ? nullptr : &found->second;
}

}  // namespace twk
