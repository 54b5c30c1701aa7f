#include "app/RecoveryChoices.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace twk {

namespace {

// In the order of CopyChoice.
const char* const kChoiceNames[] = {"Restore", "Keep for later", "Discard"};

}  // namespace

std::vector<CopyChoice> AskRecoveryChoices(QWidget* owner, const QString& title, const std::vector<QString>& rows) {
  QDialog dialog(owner);
  dialog.setWindowTitle(title);
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(QStringLiteral("Drawings that were not saved:"), &dialog));

  auto* table = new QTableWidget(static_cast<int>(rows.size()), 2, &dialog);
  table->setHorizontalHeaderLabels({QStringLiteral("Drawing"), QStringLiteral("Choice")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  std::vector<QComboBox*> boxes;
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    table->setItem(r, 0, new QTableWidgetItem(rows[static_cast<std::size_t>(r)]));
    auto* box = new QComboBox(table);
    for (const char* name : kChoiceNames) box->addItem(QString::fromLatin1(name));
    box->setCurrentIndex(static_cast<int>(CopyChoice::kKeep));
    table->setCellWidget(r, 1, box);
    boxes.push_back(box);
  }
  layout->addWidget(table);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  for (int choice = 0; choice < 3; ++choice) {
    QPushButton* all = buttons->addButton(QString::fromLatin1(kChoiceNames[choice]) + QStringLiteral(" all"),
                                          QDialogButtonBox::ActionRole);
    QObject::connect(all, &QPushButton::clicked, &dialog, [&boxes, choice] {
      for (QComboBox* box : boxes) box->setCurrentIndex(choice);
    });
  }
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  dialog.resize(720, 420);

  std::vector<CopyChoice> choices(rows.size(), CopyChoice::kKeep);
  if (dialog.exec() != QDialog::Accepted) return choices;
  for (std::size_t r = 0; r < boxes.size(); ++r) choices[r] = static_cast<CopyChoice>(boxes[r]->currentIndex());
  return choices;
}

}  // namespace twk
