#include "gui/map_to_bitmap_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editing/imagery_commands.h"
#include "imagery/map_render.h"

namespace korv {

namespace {

// A number as the boxes show it: a blank where a minus sign would be.
QString Shown(int value) {
  return QString(value >= 0 ? " %1" : "%1").arg(value);
}

}  // namespace

MapToBitmapDialog::MapToBitmapDialog(EditorSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setWindowTitle("Map to Bitmap");
  auto* layout = new QVBoxLayout(this);
  for (const char* line : {"Convert a section of the map to a bitmap.",
                           "Starting at hex in upper left corner of display screen.",
                           "If you run out of memory...reduce the Width and Height dimensions."}) {
    layout->addWidget(new QLabel(line));
  }
  auto* form = new QFormLayout;
  width_ = new QLineEdit(Shown(settings.MapToBitmapWidth));
  height_ = new QLineEdit(Shown(settings.MapToBitmapHeight));
  form->addRow("Width", width_);
  form->addRow("Height", height_);
  layout->addLayout(form);
  auto* ok = new QPushButton("OK");
  layout->addWidget(ok, 0, Qt::AlignRight);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void MapToBitmapDialog::done(int result) {
  settings_.MapToBitmapWidth = SectionSize(width_->text().toStdString());
  settings_.MapToBitmapHeight = SectionSize(height_->text().toStdString());
  QDialog::done(result);
}

void RunMapToBitmap(QWidget* parent, MapEditor& session,
                    const std::function<void(const std::string&)>& report) {
  MapToBitmapDialog dialog(session.editor.Settings, parent);
  dialog.exec();
  // The sizes just typed are the ones drawn.
  const CommandOutcome outcome = MapToBitmap_Click(session);
  if (report && !outcome.report.empty()) report(outcome.report);
}

}  // namespace korv
