#pragma once
// Command numbers of the main window's keys: the Windows virtual-key code of
// each key, defined once for the key table of the program and the command
// table of the editor.

namespace twk::keys {

constexpr int kEsc = 27, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46;
constexpr int k1 = 49, k2 = 50, k3 = 51;
constexpr int kA = 65, kD = 68, kM = 77, kS = 83, kT = 84, kV = 86, kW = 87;
constexpr int kPad2 = 98, kPad4 = 100, kPad6 = 102, kPad8 = 104, kPadPlus = 107, kPadMinus = 109;
constexpr int kEquals = 187, kMinus = 189;  // the "=/+" and "-/_" keys of the main keyboard

}  // namespace twk::keys
