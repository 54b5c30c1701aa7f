#include "app/KeyCommandFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "editor/KeyNumbers.h"

namespace twk {

const std::array<KeyBinding, kKeyBindingCount>& KeyBindings() {
  static const std::array<KeyBinding, kKeyBindingCount> table = {{
      {Qt::Key_3, KeyPad::kMain, keys::k3},
      {Qt::Key_2, KeyPad::kMain, keys::k2},
      {Qt::Key_1, KeyPad::kMain, keys::k1},
      {Qt::Key_Escape, KeyPad::kEither, keys::kEsc},
      {Qt::Key_M, KeyPad::kEither, keys::kM},
      {Qt::Key_V, KeyPad::kEither, keys::kV},
      {Qt::Key_T, KeyPad::kEither, keys::kT},
      {Qt::Key_A, KeyPad::kEither, keys::kA},
      {Qt::Key_D, KeyPad::kEither, keys::kD},
      {Qt::Key_W, KeyPad::kEither, keys::kW},
      {Qt::Key_S, KeyPad::kEither, keys::kS},
      // Arrows and Delete: the keypad's own (Num Lock off) count as well,
      // as they do for Windows.
      {Qt::Key_Up, KeyPad::kEither, keys::kUp},
      {Qt::Key_Down, KeyPad::kEither, keys::kDown},
      {Qt::Key_Left, KeyPad::kEither, keys::kLeft},
      {Qt::Key_Right, KeyPad::kEither, keys::kRight},
      {Qt::Key_Plus, KeyPad::kKeypad, keys::kPadPlus},
      {Qt::Key_Minus, KeyPad::kKeypad, keys::kPadMinus},
      {Qt::Key_Equal, KeyPad::kMain, keys::kEquals},
      {Qt::Key_Minus, KeyPad::kMain, keys::kMinus},
      {Qt::Key_Delete, KeyPad::kEither, keys::kDelete},
      {Qt::Key_Space, KeyPad::kEither, keys::kSpace},
      {Qt::Key_8, KeyPad::kKeypad, keys::kPad8},
      {Qt::Key_2, KeyPad::kKeypad, keys::kPad2},
      {Qt::Key_4, KeyPad::kKeypad, keys::kPad4},
      {Qt::Key_6, KeyPad::kKeypad, keys::kPad6},
      // Layouts whose "=/+" key types "+" unshifted (German and others).
      {Qt::Key_Plus, KeyPad::kMain, keys::kEquals},
      // The program's own single key: P shows or hides the Preview window.
      {Qt::Key_P, KeyPad::kEither, keys::kP},
  }};
  return table;
}

const std::array<ShortcutBinding, kShortcutCount>& ShortcutBindings() {
  static const std::array<ShortcutBinding, kShortcutCount> table = {{
      {Qt::Key_Z, Qt::ControlModifier, keys::kUndo},
      {Qt::Key_Y, Qt::ControlModifier, keys::kRedo},
      {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, keys::kRedo},
      {Qt::Key_S, Qt::ControlModifier, keys::kSave},
      {Qt::Key_O, Qt::ControlModifier, keys::kLoad},
      {Qt::Key_E, Qt::ControlModifier, keys::kExportPng},
      {Qt::Key_C, Qt::ControlModifier, keys::kCopy},
      {Qt::Key_X, Qt::ControlModifier, keys::kCut},
      {Qt::Key_V, Qt::ControlModifier, keys::kPaste},
  }};
  return table;
}

namespace {
// X11 and Wayland key codes (evdev + 8) of the main keyboard's "-/_" and
// "=/+" keys, the keys right of the 0 key on every PC keyboard.
constexpr quint32 kMinusKeyScanCode = 20;
constexpr quint32 kEqualsKeyScanCode = 21;
}  // namespace

int CommandNumberForKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode) {
  const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (held) {
    for (const ShortcutBinding& binding : ShortcutBindings()) {
      if (binding.qtKey == qtKey && binding.modifiers == held) return binding.number;
    }
    return 0;
  }
  const bool keypad = modifiers & Qt::KeypadModifier;
  if (!keypad && scanCode == kEqualsKeyScanCode) return keys::kEquals;
  if (!keypad && scanCode == kMinusKeyScanCode) return keys::kMinus;
  for (const KeyBinding& binding : KeyBindings()) {
    if (binding.qtKey != qtKey) continue;
    if (binding.pad == KeyPad::kEither || (binding.pad == KeyPad::kKeypad) == keypad) {
      return binding.virtualKey;
    }
  }
  return 0;
}

KeyCommandFilter::KeyCommandFilter(QWidget* window, std::function<void(int)> dispatch)
    : window_(window), dispatch_(std::move(dispatch)) {
  qApp->installEventFilter(this);
}

KeyCommandFilter::~KeyCommandFilter() {
  if (qApp) qApp->removeEventFilter(this);
}

bool KeyCommandFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != window_) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  const int number = CommandNumberForKey(key->key(), key->modifiers(), key->nativeScanCode());
  if (number == 0) return false;
  dispatch_(number);
  // A command key is consumed: the focused control never sees it.
  event->accept();
  return true;
}

}  // namespace twk
