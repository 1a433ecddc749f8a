#include "gui/new_map_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "editing/file_dialog.h"
#include "editing/map_editor.h"
#include "platform/interaction.h"

namespace korv {

NewMapDialog::NewMapDialog(MapEditor& session, QWidget* parent)
    : QDialog(parent), session_(session) {
  setWindowTitle("New Map");
  width_ = new QLineEdit("32", this);
  height_ = new QLineEdit("32", this);
  auto* form = new QFormLayout;
  form->addRow("Map Width", width_);
  form->addRow("Map Height", height_);
  auto* ok = new QPushButton("OK", this);
  auto* cancel = new QPushButton("Cancel", this);
  ok->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void NewMapDialog::Ok() {
  std::string error;
  if (!NewMapDialog_OK(session_.editor, width_->text().toStdString(), height_->text().toStdString(),
                       error)) {
    session_.editor.Ui.Message(error);
    return;
  }
  accept();
}

bool ShowNewMapDialog(QWidget* parent, MapEditor& session) {
  NewMapDialog dialog(session, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  MapReplaced(session, false);
  return true;
}

}  // namespace korv
