#pragma once
// The keyboard view of the command table: a key press that some entry's
// key stroke matches is caught before it reaches whichever control of the
// main window has the focus, turned into that entry's number and handed to
// one dispatch function; such a key never reaches the control itself.

#include <QObject>
#include <functional>

#include "editor/CommandRegistry.h"

class QWidget;

namespace twk {

// The command number of a key press in `table`, or 0 when it is no command.
// `scanCode` is the key's native scan code when known (0 otherwise): the
// "=/+" and "-/_" keys are recognised by position, whatever the layout makes
// them type; the "=/+" key counts with Shift too, as "+" is typed so.
int CommandNumberForKey(const CommandRegistry& table, int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0);

// The Qt key of a key the command table names (a character or a named_key).
int QtKeyOf(int key);

class KeyCommandFilter : public QObject {
  Q_OBJECT

 public:
  // Watches the key presses of every control inside `window`.
  KeyCommandFilter(QWidget* window, const CommandRegistry& table, std::function<void(int)> dispatch);
  ~KeyCommandFilter() override;

  // Whether a pointer gesture holds (Ctrl and the button down). While it
  // does, Esc counts as Esc whatever modifiers are held with it.
  std::function<bool()> pointerHeld;
  // Where the command numbers go.
  std::function<void(int)> dispatch;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
  const CommandRegistry& table_;
};

}  // namespace twk
