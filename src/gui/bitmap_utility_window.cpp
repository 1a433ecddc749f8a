#include "gui/bitmap_utility_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QFormLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "editor/map_io.h"
#include "gui/file_dialog_window.h"
#include "imagery/seasonal.h"
#include "platform/interaction.h"
#include "platform/text_fields.h"

namespace korv {

namespace {

// The picture, reporting the pixel under the pointer and presses on it.
class PixelLabel : public QLabel {
 public:
  std::function<void(int, int)> onMove;
  std::function<void(int, int)> onPress;
  using QLabel::QLabel;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override {
    if (onMove) onMove(event->position().toPoint().x(), event->position().toPoint().y());
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (onPress) onPress(event->position().toPoint().x(), event->position().toPoint().y());
  }
};

QString Number(int value) {
  return QString(value >= 0 ? " %1" : "%1").arg(value);
}

}  // namespace

BitmapUtilityWindow::BitmapUtilityWindow(MapEditor& session, QWidget* parent)
    : QMainWindow(parent, Qt::Tool), session_(session) {
  setWindowTitle("Bitmap Utility");
  scroll_ = new QScrollArea(this);
  auto* label = new PixelLabel;
  label->setMouseTracking(true);
  label->onMove = [this](int x, int y) { PixelHovered(x, y); };
  label->onPress = [this](int x, int y) { PixelPressed(x, y); };
  label_ = label;
  scroll_->setWidget(label_);
  setCentralWidget(scroll_);

  QMenu* file = menuBar()->addMenu("File");
  connect(file->addAction("Load Bitmap"), &QAction::triggered, this, [this] {
    ShowFileDialog(this, session_, kChooseBitmapMode, [this](const FileDialogOutcome& outcome) {
      if (!outcome.ChosenBitmap.empty()) LoadBitmap(outcome.ChosenBitmap);
    });
  });
  connect(file->addAction("Exit"), &QAction::triggered, this, [this] { close(); });
  QMenu* tools = menuBar()->addMenu("Utilities");
  connect(tools->addAction("Convert Bitmap to Map"), &QAction::triggered, this,
          [this] { ConvertToMap(); });
  connect(tools->addAction("Create Seasonal Versions"), &QAction::triggered, this, [this] {
    if (!HasBitmap()) return;
    BusyScope busy(session_.editor.Ui);
    std::string error;
    if (!CreateSeasonalMaps(
            state_.picture, state_.path,
            [this](const std::string& step) { setWindowTitle(QString::fromStdString(step)); },
            error)) {
      session_.editor.Ui.Message("The seasonal versions were not all written: " + error + ".");
    }
    setWindowTitle("Bitmap Utilities");
  });
  connect(tools->addAction("Create Sprite Mask"), &QAction::triggered, this, [this] {
    if (!HasBitmap()) return;
    const std::string mask = SpriteMaskPath(state_.path);
    setWindowTitle(QString::fromStdString("Creating " + mask));
    std::string error;
    if (!SpriteMask(state_.picture).SaveBmp(mask, &error)) {
      session_.editor.Ui.Message("The sprite mask was not written: " + error + ".");
    }
  });
  connect(tools->addAction("Reduce Colours"), &QAction::triggered, this, [this] {
    if (!HasBitmap()) return;
    ReduceColours(state_.picture, session_.editor.Settings.BitmapUtilityValue);
    Show();
    SaveInFolder("picture2.bmp");
  });
  connect(tools->addAction("Replace Colour"), &QAction::triggered, this, [this] {
    if (!HasBitmap()) return;
    state_.replaceColourMode = true;
    AskNewColour();
  });
  QMenu* colours = menuBar()->addMenu("Colours");
  for (const auto& [name, channel] :
       {std::pair{"red", 2}, std::pair{"green", 1}, std::pair{"blue", 0}}) {
    connect(colours->addAction(name), &QAction::triggered, this,
            [this, channel = channel] { Separate(channel); });
  }
  QMenu* options = menuBar()->addMenu("Options");
  connect(options->addAction("Change Colour Reduction Value"), &QAction::triggered, this,
          [this] { AskReductionValue(); });
  connect(options->addAction("Save as Sectors"), &QAction::triggered, this, [this] {
    if (!HasBitmap()) return;
    std::string error;
    const std::string folder = session_.editor.Folder.Resolve("newsectors").string();
    if (!SaveAsSectors(state_.picture, folder, error)) {
      session_.editor.Ui.Message("The sectors were not all written: " + error + ".");
    }
  });
  resize(800, 600);
}

bool BitmapUtilityWindow::LoadBitmap(const std::string& path) {
  if (!LoadUtilityBitmap(session_.editor, state_, path)) return false;
  setWindowTitle(QString::fromStdString(state_.fileName));
  Show();
  return true;
}

bool BitmapUtilityWindow::HasBitmap() {
  if (!state_.picture.IsNull()) return true;
  session_.editor.Ui.Message("No bitmap is loaded: choose one with File > Load Bitmap.");
  return false;
}

void BitmapUtilityWindow::Show() {
  label_->setPixmap(QPixmap::fromImage(state_.picture.Image()));
  label_->resize(state_.picture.Width(), state_.picture.Height());
}

void BitmapUtilityWindow::SaveInFolder(const char* name) {
  const std::string path = session_.editor.Folder.Resolve(name).string();
  std::string error;
  if (!state_.picture.SaveBmp(path, &error)) {
    session_.editor.Ui.Message("The picture was not written: " + error + ".");
  }
}

void BitmapUtilityWindow::Separate(int channel) {
  if (!HasBitmap()) return;
  SeparateColour(state_.picture, channel);
  Show();
  SaveInFolder("temp.bmp");
}

void BitmapUtilityWindow::PixelHovered(int x, int y) {
  if (const auto caption = BitmapUtilityCaption(state_, x, y)) {
    setWindowTitle(QString::fromStdString(*caption));
  }
}

void BitmapUtilityWindow::PixelPressed(int x, int y) {
  const BitmapPress press = BitmapUtility_Press(session_, state_, x, y);
  if (press == BitmapPress::kNothing) return;
  Show();
  if (press == BitmapPress::kTerrainAssigned && onMapChanged) onMapChanged();
}

void BitmapUtilityWindow::ConvertToMap() {
  if (!ConvertBitmapToMap(session_.editor, state_)) return;
  Show();
  if (onMapReplaced) onMapReplaced();
}

void BitmapUtilityWindow::AskNewColour() {
  QDialog dialog(this);
  dialog.setWindowTitle("New Colour Values");
  auto* form = new QFormLayout(&dialog);
  QLineEdit* boxes[3];
  const char* names[3] = {"Red", "Green", "Blue"};
  auto* preview = new QFrame;
  preview->setFixedSize(60, 30);
  preview->setAutoFillBackground(true);
  const auto update = [&] {
    uint32_t colour = 0;
    for (QLineEdit* box : boxes) {
      const int value =
          std::clamp<int>(RoundToI16(ParseLeadingNumber(box->text().toStdString())), 0, 255);
      colour = colour << 8 | static_cast<uint32_t>(value);
    }
    state_.newColour = colour;
    QPalette palette = preview->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    preview->setPalette(palette);
  };
  for (int i = 0; i < 3; ++i) {
    boxes[i] = new QLineEdit(QString::number((state_.newColour >> (16 - 8 * i)) & 0xff));
    form->addRow(names[i], boxes[i]);
    connect(boxes[i], &QLineEdit::textChanged, &dialog, update);
  }
  form->addRow("Preview", preview);
  auto* done = new QPushButton("Done");
  form->addRow(done);
  connect(done, &QPushButton::clicked, &dialog, &QDialog::accept);
  update();
  dialog.exec();
  session_.editor.Ui.Message("Click on old colour to replace with new colour.");
}

void BitmapUtilityWindow::AskReductionValue() {
  QDialog dialog(this);
  dialog.setWindowTitle("Color Reduction Value");
  auto* layout = new QVBoxLayout(&dialog);
  auto* box = new QLineEdit(Number(session_.editor.Settings.BitmapUtilityValue));
  layout->addWidget(box);
  auto* done = new QPushButton("Done");
  layout->addWidget(done);
  connect(done, &QPushButton::clicked, &dialog, &QDialog::accept);
  if (dialog.exec() == QDialog::Accepted) {
    session_.editor.Settings.BitmapUtilityValue =
        RoundToI16(ParseLeadingNumber(box->text().toStdString()));
  }
}

void BitmapUtilityWindow::closeEvent(QCloseEvent* event) {
  LeaveBitmapUtility(state_);
  QMainWindow::closeEvent(event);
}

}  // namespace korv
