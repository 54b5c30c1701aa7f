#pragma once
// The one dialog that offers many drawings left by editors that ended: a
// row per drawing with its choice, and buttons that choose for all.

#include <QString>
#include <vector>

#include "app/Dialogs.h"

class QWidget;

namespace twk {

// Shows the dialog over `owner`; one choice per row, every one kKeep when
// it is closed without OK.
std::vector<CopyChoice> AskRecoveryChoices(QWidget* owner, const QString& title, const std::vector<QString>& rows);

}  // namespace twk
