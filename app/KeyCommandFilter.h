#pragma once
// The main window's keyboard commands: the 25 single keys and the Ctrl
// shortcuts. Such key presses are caught before they reach whichever
// control of the main window has the focus, turned into their Windows
// virtual-key numbers and handed to one dispatch function; such a key never
// reaches the control itself.

#include <QObject>
#include <array>
#include <functional>

class QWidget;

namespace twk {

// Where a key has to come from: the main keyboard, the keypad, or either.
enum class KeyPad { kMain, kKeypad, kEither };

struct KeyBinding {
  int qtKey;
  KeyPad pad;
  int virtualKey;
};

// The one key table. The first 25 rows are the commands in registration
// order (3, 2, 1, Esc, M, V, T, A, D, W, S, Up, Down, Left, Right, keypad +,
// keypad -, "=/+", "-/_", Delete, Space, keypad 8, 2, 4, 6); the rows after
// them are further keys giving the same numbers, and P, the program's own.
constexpr int kKeyBindingCount = 27;
constexpr int kRegisteredKeyCount = 25;
const std::array<KeyBinding, kKeyBindingCount>& KeyBindings();

// The everyday shortcuts held with Ctrl (undo, redo, save, load, export,
// copy, cut, paste).
struct ShortcutBinding {
  int qtKey;
  Qt::KeyboardModifiers modifiers;  // exactly these of Shift, Ctrl and Alt
  int number;
};
constexpr int kShortcutCount = 9;
const std::array<ShortcutBinding, kShortcutCount>& ShortcutBindings();

// The command number of a key press, or 0 when it is no command.
// `scanCode` is the key's native scan code when known (0 otherwise): the
// "=/+" and "-/_" keys are recognised by position, whatever the layout makes
// them type.
int CommandNumberForKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0);

class KeyCommandFilter : public QObject {
  Q_OBJECT

 public:
  // Watches the key presses of every control inside `window`.
  KeyCommandFilter(QWidget* window, std::function<void(int)> dispatch);
  ~KeyCommandFilter() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  std::function<void(int)> dispatch_;
};

}  // namespace twk
