#pragma once
// Command numbers: for a key, the Windows virtual-key code of that key;
// defined once for the command table (editor/CommandRegistry.h).

namespace twk::keys {

constexpr int kEsc = 27, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46;
constexpr int k1 = 49, k2 = 50, k3 = 51;
// Held with Shift: a Shift mark above the key's code.
constexpr int kShiftMark = 0x40000;
constexpr int kShift1 = kShiftMark | k1, kShift2 = kShiftMark | k2, kShift3 = kShiftMark | k3;
constexpr int kA = 65, kD = 68, kM = 77, kS = 83, kT = 84, kV = 86, kW = 87;
constexpr int kH = 72;  // hides or shows the selection's marks on the canvas
constexpr int kP = 80;  // shows or hides the Preview window
constexpr int kPad2 = 98, kPad4 = 100, kPad6 = 102, kPad8 = 104, kPadPlus = 107, kPadMinus = 109;
constexpr int kEquals = 187, kMinus = 189;  // the "=/+" and "-/_" keys of the main keyboard

// Shortcuts held with Ctrl are not among the single keys: their numbers
// carry a Ctrl mark above the letter's virtual-key code.
constexpr int kCtrl = 0x10000;
constexpr int kUndo = kCtrl | 90;       // Ctrl+Z
constexpr int kRedo = kCtrl | 89;       // Ctrl+Y, also Ctrl+Shift+Z
constexpr int kSave = kCtrl | 83;       // Ctrl+S
constexpr int kNew = kCtrl | 78;        // Ctrl+N
constexpr int kQuit = kCtrl | 81;       // Ctrl+Q
constexpr int kLoad = kCtrl | 79;       // Ctrl+O
constexpr int kExportPng = kCtrl | 69;  // Ctrl+E
constexpr int kCopy = kCtrl | 67;       // Ctrl+C
constexpr int kCut = kCtrl | 88;        // Ctrl+X
constexpr int kPaste = kCtrl | 86;      // Ctrl+V
// Held with Ctrl and Shift: a Shift mark above the Ctrl mark.
constexpr int kCtrlShift = kCtrl | 0x40000;
constexpr int kSelectAll = kCtrl | 65;        // Ctrl+A
constexpr int kSelectNone = kCtrlShift | 65;  // Ctrl+Shift+A
constexpr int kSaveAs = kCtrlShift | 83;      // Ctrl+Shift+S

// Commands no key gives (popup menu entries, the list's requests, the
// export window's button) carry a mark of their own above every key.
constexpr int kNoKey = 0x20000;
constexpr int kHide = kNoKey | 1, kShow = kNoKey | 2, kClone = kNoKey | 3;
constexpr int kExportCode = kNoKey | 4;   // popup "Export Code"
constexpr int kCheckMarks = kNoKey | 5;   // the list's check marks changed: visibility follows
constexpr int kRowDrag = kNoKey | 6, kRowDrop = kNoKey | 7;
constexpr int kExportSizes = kNoKey | 8;  // the export window's Export button
constexpr int kPointAtItems = kNoKey | 9; // Ctrl+press on the canvas: pick, move, reshape

}  // namespace twk::keys
