#include "app/KeyCommandFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace twk {

const std::array<KeyBinding, kKeyBindingCount>& KeyBindings() {
  static const std::array<KeyBinding, kKeyBindingCount> table = {{
      {Qt::Key_3, KeyPad::kMain, 51},
      {Qt::Key_2, KeyPad::kMain, 50},
      {Qt::Key_1, KeyPad::kMain, 49},
      {Qt::Key_Escape, KeyPad::kEither, 27},
      {Qt::Key_M, KeyPad::kEither, 77},
      {Qt::Key_V, KeyPad::kEither, 86},
      {Qt::Key_T, KeyPad::kEither, 84},
      {Qt::Key_A, KeyPad::kEither, 65},
      {Qt::Key_D, KeyPad::kEither, 68},
      {Qt::Key_W, KeyPad::kEither, 87},
      {Qt::Key_S, KeyPad::kEither, 83},
      // Arrows and Delete: the keypad's own (Num Lock off) count as well,
      // as they do for Windows.
      {Qt::Key_Up, KeyPad::kEither, 38},
      {Qt::Key_Down, KeyPad::kEither, 40},
      {Qt::Key_Left, KeyPad::kEither, 37},
      {Qt::Key_Right, KeyPad::kEither, 39},
      {Qt::Key_Plus, KeyPad::kKeypad, 107},
      {Qt::Key_Minus, KeyPad::kKeypad, 109},
      {Qt::Key_Equal, KeyPad::kMain, 187},
      {Qt::Key_Minus, KeyPad::kMain, 189},
      {Qt::Key_Delete, KeyPad::kEither, 46},
      {Qt::Key_Space, KeyPad::kEither, 32},
      {Qt::Key_8, KeyPad::kKeypad, 104},
      {Qt::Key_2, KeyPad::kKeypad, 98},
      {Qt::Key_4, KeyPad::kKeypad, 100},
      {Qt::Key_6, KeyPad::kKeypad, 102},
      // Layouts whose "=/+" key types "+" unshifted (German and others).
      {Qt::Key_Plus, KeyPad::kMain, 187},
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
  if (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) return 0;
  const bool keypad = modifiers & Qt::KeypadModifier;
  if (!keypad && scanCode == kEqualsKeyScanCode) return 187;
  if (!keypad && scanCode == kMinusKeyScanCode) return 189;
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
