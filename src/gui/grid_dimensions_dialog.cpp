#include "gui/grid_dimensions_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "editing/map_editor.h"
#include "editor/editor.h"
#include "platform/interaction.h"

namespace korv {

GridDimensionsDialog::GridDimensionsDialog(EditorSettings& settings, UserInteraction& ui,
                                           QWidget* parent)
    : QDialog(parent), settings_(settings), ui_(ui) {
  setWindowTitle("Grid Dimensions");
  width_ = new QLineEdit(QString::number(settings.GridWidth), this);
  height_ = new QLineEdit(QString::number(settings.GridHeight), this);
  auto* form = new QFormLayout;
  form->addRow("Width", width_);
  form->addRow("Height", height_);
  auto* done = new QPushButton("Done", this);
  auto* cancel = new QPushButton("Cancel", this);
  done->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(done);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  connect(done, &QPushButton::clicked, this, [this] { Done(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void GridDimensionsDialog::Done() {
  std::string error;
  if (!ApplyGridDimensions(settings_, width_->text().toStdString(), height_->text().toStdString(),
                           error)) {
    ui_.Message(error);
    return;
  }
  accept();
}

}  // namespace korv
