#include "app/PreviewMagnifier.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>

#include "app/PreviewWindow.h"
#include "render/preview/MagnifiedPicture.h"

namespace twk {

PreviewMagnifier::PreviewMagnifier(PreviewWindow& window) : QObject(&window), window_(window) {
  window.installEventFilter(this);
}

int PreviewMagnifier::FactorOfKey(int qtKey, Qt::KeyboardModifiers modifiers) {
  // The digits of the main keyboard or of the keypad, nothing held.
  if ((modifiers & ~Qt::KeypadModifier) != Qt::NoModifier) return 0;
  for (int factor : kMagnifications) {
    if (qtKey == Qt::Key_0 + factor) return factor;
  }
  return 0;
}

bool PreviewMagnifier::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &window_) return false;
  if (event->type() == QEvent::ContextMenu) {
    ShowMenu(static_cast<QContextMenuEvent*>(event)->globalPos());
    return true;
  }
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (const int factor = FactorOfKey(key->key(), key->modifiers())) {
    window_.SetMagnification(factor);
    return true;
  }
  // The main window's commands: the key goes where its focus is.
  QWidget* owner = window_.parentWidget();
  if (!owner) return false;
  QWidget* target = owner->focusWidget() ? owner->focusWidget() : owner;
  QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->nativeScanCode(), key->nativeVirtualKey(),
                 key->nativeModifiers(), key->text(), key->isAutoRepeat(), static_cast<quint16>(key->count()));
  QCoreApplication::sendEvent(target, &copy);
  return true;
}

void PreviewMagnifier::ShowMenu(const QPoint& globalPos) {
  QMenu menu(&window_);
  menu.setObjectName(QStringLiteral("mnuPreview"));
  menu.addSection(QStringLiteral("Magnification"));
  auto* group = new QActionGroup(&menu);
  for (int factor : kMagnifications) {
    QAction* action = menu.addAction(QStringLiteral("x%1").arg(factor));
    action->setShortcut(QKeySequence(Qt::Key_0 + factor));
    action->setCheckable(true);
    action->setChecked(factor == window_.magnification());
    group->addAction(action);
    connect(action, &QAction::triggered, &window_, [this, factor] { window_.SetMagnification(factor); });
  }
  menu.exec(globalPos);
}

}  // namespace twk
