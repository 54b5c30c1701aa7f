#include "editor/CommandRegistry.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace twk {

namespace {
// Whether one key press could match both strokes. A stroke held with Ctrl
// comes from either part of the keyboard.
bool SamePress(const KeyStroke& a, const KeyStroke& b) {
  if (a.key != b.key || a.ctrl != b.ctrl || a.shift != b.shift) return false;
  return a.ctrl || a.pad == KeyPad::kEither || b.pad == KeyPad::kEither || a.pad == b.pad;
}
}  // namespace

const CommandEntry* CommandRegistry::FindKey(const KeyStroke& stroke) const {
  for (const CommandEntry& entry : entries_) {
    for (const KeyStroke& taken : entry.keys) {
      if (SamePress(taken, stroke)) return &entry;
    }
  }
  return nullptr;
}

void CommandRegistry::Add(CommandEntry entry) {
  if (Find(entry.number)) throw std::logic_error("command number given twice: " + std::to_string(entry.number));
  if (entry.menu.number != 0 && FindMenuEntry(entry.menu.number)) {
    throw std::logic_error("menu number given twice: " + std::to_string(entry.menu.number));
  }
  for (const KeyStroke& stroke : entry.keys) {
    if (const CommandEntry* holder = FindKey(stroke)) {
      throw std::logic_error(std::string("key of \"") + entry.name + "\" already gives \"" + holder->name + "\"");
    }
  }
  entries_.push_back(std::move(entry));
}

const CommandEntry* CommandRegistry::Find(int number) const {
  for (const CommandEntry& entry : entries_) {
    if (entry.number == number) return &entry;
  }
  return nullptr;
}

const CommandEntry* CommandRegistry::FindMenuEntry(int menuNumber) const {
  if (menuNumber == 0) return nullptr;
  for (const CommandEntry& entry : entries_) {
    if (entry.menu.number == menuNumber) return &entry;
  }
  return nullptr;
}

std::vector<const CommandEntry*> CommandRegistry::MenuEntries() const {
  std::vector<const CommandEntry*> menu;
  for (const CommandEntry& entry : entries_) {
    if (entry.menu.number != 0) menu.push_back(&entry);
  }
  std::sort(menu.begin(), menu.end(), [](const CommandEntry* a, const CommandEntry* b) { return a->menu.number < b->menu.number; });
  return menu;
}

bool CommandRegistry::MayRun(int number, const CommandConditions& now) const {
  const CommandEntry* entry = Find(number);
  if (!entry) return false;
  if (now.drawing && (entry->refusedWhile & kRefusedWhileDrawing)) return false;
  if (now.exportWindowOpen && (entry->refusedWhile & kRefusedWhileExporting)) return false;
  return true;
}

bool CommandRegistry::Dispatch(EditorSession& ed, int number, const CommandConditions& now) const {
  if (!MayRun(number, now)) return false;
  const CommandEntry& entry = *Find(number);
  if (!entry.run) return false;
  entry.run(ed);
  return true;
}

}  // namespace twk
