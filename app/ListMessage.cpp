#include "app/ListMessage.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

namespace twk {

namespace {

QStyle::StandardPixmap IconPixmap(QMessageBox::Icon icon) {
  switch (icon) {
    case QMessageBox::Warning: return QStyle::SP_MessageBoxWarning;
    case QMessageBox::Critical: return QStyle::SP_MessageBoxCritical;
    default: return QStyle::SP_MessageBoxInformation;
  }
}

}  // namespace

void ShowListMessage(QWidget* owner, const QString& title, const QString& text, const QStringList& items,
                     QMessageBox::Icon icon) {
  QDialog dialog(owner);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  auto* head = new QHBoxLayout;
  auto* picture = new QLabel(&dialog);
  const int iconSize = dialog.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &dialog);
  picture->setPixmap(dialog.style()->standardIcon(IconPixmap(icon), nullptr, &dialog).pixmap(iconSize, iconSize));
  head->addWidget(picture, 0, Qt::AlignTop);
  auto* label = new QLabel(text, &dialog);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  head->addWidget(label, 1);
  layout->addLayout(head);

  auto* list = new QListWidget(&dialog);
  list->addItems(items);
  list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  layout->addWidget(list, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  layout->addWidget(buttons);

  // Wide enough for most paths and tall enough for a dozen rows, but never
  // beyond two thirds of the screen the owner is on: the rest scrolls.
  const QScreen* screen = owner ? owner->screen() : QApplication::primaryScreen();
  const QRect space = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
  const int rowHeight = std::max(list->sizeHintForRow(0), dialog.fontMetrics().height());
  const int wanted = std::min<int>(static_cast<int>(items.size()), 12) * rowHeight + 2 * list->frameWidth() + 4;
  list->setMinimumHeight(std::min(wanted, space.height() / 3));
  dialog.setMaximumSize(space.size() * 2 / 3);
  dialog.resize(std::min(720, space.width() * 2 / 3), dialog.sizeHint().height());
  dialog.exec();
}

}  // namespace twk
