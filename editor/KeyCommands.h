#pragma once
// The 25 single-key commands, numbered by their virtual-key codes.

#include <array>

#include "editor/Editor.h"

namespace twk {

struct KeyCommand {
  int number;        // virtual-key code, also the command number
  const char* name;  // what the key does, for help texts and tests
  void (*run)(Editor&);
};

// The table in registration order: 3, 2, 1, Esc, M, V, T, A, D, W, S, Up,
// Down, Left, Right, keypad +, keypad -, "=/+", "-/_", Delete, Space,
// keypad 8, keypad 2, keypad 4, keypad 6.
const std::array<KeyCommand, 25>& KeyCommandTable();

// Runs the command with this number; unknown numbers do nothing.
void DispatchCommand(Editor& ed, int number);

}  // namespace twk
