#include "app/KeyCommandFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "editor/KeyNumbers.h"

namespace twk {

int QtKeyOf(int key) {
  switch (key) {
    case named_key::kEscape: return Qt::Key_Escape;
    case named_key::kUp: return Qt::Key_Up;
    case named_key::kDown: return Qt::Key_Down;
    case named_key::kLeft: return Qt::Key_Left;
    case named_key::kRight: return Qt::Key_Right;
    case named_key::kDelete: return Qt::Key_Delete;
    default: return key;  // Qt numbers letters, digits and signs by their characters
  }
}

namespace {
// X11 and Wayland key codes (evdev + 8) of the main keyboard's "-/_" and
// "=/+" keys, the keys right of the 0 key on every PC keyboard.
constexpr quint32 kMinusKeyScanCode = 20;
constexpr quint32 kEqualsKeyScanCode = 21;
// The main keyboard's 1, 2 and 3 keys: with Shift they type other signs
// ("!", "@", ...) by the layout, so they are known by their key codes.
constexpr quint32 kOneKeyScanCode = 10;
}  // namespace

int CommandNumberForKey(const CommandRegistry& table, int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode) {
  const Qt::KeyboardModifiers held = modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const bool keypad = modifiers & Qt::KeypadModifier;
  // "+" is typed with Shift on the "=/+" key of many layouts (US, French):
  // the key counts with or without Shift, and so does a "+" typed with
  // Shift where the key code is not known.
  const bool plainOrShift = (held & ~Qt::ShiftModifier) == Qt::NoModifier;
  if (plainOrShift && !keypad && scanCode == kEqualsKeyScanCode) return keys::kEquals;
  if (held == Qt::ShiftModifier && !keypad && qtKey == Qt::Key_Plus) return keys::kEquals;
  if (!held && !keypad && scanCode == kMinusKeyScanCode) return keys::kMinus;
  if (held == Qt::ShiftModifier && !keypad && scanCode >= kOneKeyScanCode && scanCode < kOneKeyScanCode + 3)
    qtKey = Qt::Key_1 + static_cast<int>(scanCode - kOneKeyScanCode);
  for (const CommandEntry& entry : table.Entries()) {
    for (const KeyStroke& stroke : entry.keys) {
      if (QtKeyOf(stroke.key) != qtKey) continue;
      const Qt::KeyboardModifiers wanted = (stroke.ctrl ? Qt::ControlModifier : Qt::NoModifier) |
                                           (stroke.shift ? Qt::ShiftModifier : Qt::NoModifier);
      if (held != wanted) continue;
      // Shortcuts held with Ctrl come from either part of the keyboard.
      if (held || stroke.pad == KeyPad::kEither || (stroke.pad == KeyPad::kKeypad) == keypad) return entry.number;
    }
  }
  return 0;
}

KeyCommandFilter::KeyCommandFilter(QWidget* window, const CommandRegistry& table, std::function<void(int)> dispatch)
    : dispatch(std::move(dispatch)), window_(window), table_(table) {
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
  int number = CommandNumberForKey(table_, key->key(), key->modifiers(), key->nativeScanCode());
  // Ctrl is the grip of a pointer gesture: Esc cancels it with Ctrl held too.
  if (number == 0 && key->key() == Qt::Key_Escape && pointerHeld && pointerHeld()) number = keys::kEsc;
  if (number == 0) return false;
  dispatch(number);
  // A command key is consumed: the focused control never sees it.
  event->accept();
  return true;
}

}  // namespace twk
