#pragma once
// The Preview's magnification, chosen with the keys 1, 2, 4 and 8 while the
// Preview has the focus, or in its popup menu. Any other key pressed there
// goes on to the main window, whose commands it is.

#include <QObject>

namespace twk {

class PreviewWindow;

class PreviewMagnifier : public QObject {
  Q_OBJECT

 public:
  // Watches `window`'s keys and popup menu requests; owned by it.
  explicit PreviewMagnifier(PreviewWindow& window);

  // The magnification a key chooses (Qt key, modifiers), or 0 for none.
  static int FactorOfKey(int qtKey, Qt::KeyboardModifiers modifiers);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowMenu(const QPoint& globalPos);
  PreviewWindow& window_;
};

}  // namespace twk
