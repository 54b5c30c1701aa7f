#pragma once
// A message that names many things (files, mostly): its text above a list
// that scrolls, in a window that never grows past the screen, so its OK
// button can always be reached.

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace twk {

// Shows the window over `owner` until OK or Escape; the text lines are
// separated by "\n". The list can be selected and copied from.
void ShowListMessage(QWidget* owner, const QString& title, const QString& text, const QStringList& items,
                     QMessageBox::Icon icon);

}  // namespace twk
