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
            picture_, path_,
            [this](const std::string& step) { setWindowTitle(QString::fromStdString(step)); },
            error)) {
      session_.editor.Ui.Message("The seasonal versions were not all written: " + error + ".");
    }
    setWindowTitle("Bitmap Utilities");
  });
  connect(tools->addAction("Create Sprite Mask"), &QAction::triggered, this, [this] {
    if (!HasBitmap()) return;
    const std::string mask = SpriteMaskPath(path_);
    setWindowTitle(QString::fromStdString("Creating " + mask));
    std::string error;
    if (!SpriteMask(picture_).SaveBmp(mask, &error)) {
      session_.editor.Ui.Message("The sprite mask was not written: " + error + ".");
    }
  });
  connect(tools->addAction("Reduce Colours"), &QAction::triggered, this, [this] {
    if (!HasBitmap()) return;
    ReduceColours(picture_, session_.editor.Settings.BitmapUtilityValue);
    Show();
    SaveInFolder("picture2.bmp");
  });
  connect(tools->addAction("Replace Colour"), &QAction::triggered, this, [this] {
    if (!HasBitmap()) return;
    replaceColourMode_ = true;
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
    if (!SaveAsSectors(picture_, folder, error)) {
      session_.editor.Ui.Message("The sectors were not all written: " + error + ".");
    }
  });
  resize(800, 600);
}

bool BitmapUtilityWindow::LoadBitmap(const std::string& path) {
  Picture picture;
  std::string error;
  if (!picture.LoadBmp(path, &error)) {
    session_.editor.Ui.Message("The bitmap " + path + " cannot be opened: " + error + ".");
    return false;
  }
  picture_ = std::move(picture);
  path_ = path;
  fileName_ = std::filesystem::path(path).filename().string();
  setWindowTitle(QString::fromStdString(fileName_));
  Show();
  return true;
}

bool BitmapUtilityWindow::HasBitmap() {
  if (!picture_.IsNull()) return true;
  session_.editor.Ui.Message("No bitmap is loaded: choose one with File > Load Bitmap.");
  return false;
}

void BitmapUtilityWindow::Show() {
  label_->setPixmap(QPixmap::fromImage(picture_.Image()));
  label_->resize(picture_.Width(), picture_.Height());
}

void BitmapUtilityWindow::SaveInFolder(const char* name) {
  const std::string path = session_.editor.Folder.Resolve(name).string();
  std::string error;
  if (!picture_.SaveBmp(path, &error)) {
    session_.editor.Ui.Message("The picture was not written: " + error + ".");
  }
}

void BitmapUtilityWindow::Separate(int channel) {
  if (!HasBitmap()) return;
  SeparateColour(picture_, channel);
  Show();
  SaveInFolder("temp.bmp");
}

void BitmapUtilityWindow::PixelHovered(int x, int y) {
  if (x < 0 || y < 0 || x >= picture_.Width() || y >= picture_.Height()) return;
  const uint32_t rgb = picture_.PixelAt(x, y);
  int mark = 0;
  if (!conversion_.ConversionMarks.empty()) {
    mark = conversion_.ConversionMarks[static_cast<size_t>(y) * (conversion_.width + 1) +
                                       static_cast<size_t>(x)];
  }
  setWindowTitle(QString::fromStdString(fileName_) + Number((rgb >> 16) & 0xff) +
                 Number((rgb >> 8) & 0xff) + Number(rgb & 0xff) + Number(mark));
}

void BitmapUtilityWindow::PixelPressed(int x, int y) {
  if (x < 0 || y < 0 || x >= picture_.Width() || y >= picture_.Height()) return;
  Editor& editor = session_.editor;
  const uint32_t clicked = picture_.PixelAt(x, y);
  if (replaceColourMode_) {
    if (!ReplaceColour(picture_, clicked, newColour_)) {
      editor.Ui.Message(kBackgroundColourMessage);
      return;
    }
    Show();
    const std::string path = editor.Folder.Resolve("picture2.bmp").string();
    SaveInFolder("picture2.bmp");
    editor.Ui.Message("Saved " + path);
  } else if (bitmapToMapMode_) {
    const uint8_t terrain = editor.Tiles.TerrainOf(editor.CurrentTile);
    AssignTerrain(picture_, conversion_, editor.Document, clicked, terrain,
                  editor.Tiles.TerrainRgb(terrain));
    Show();
    if (onMapReplaced) onMapReplaced();
  }
}

void BitmapUtilityWindow::ConvertToMap() {
  if (!HasBitmap()) return;
  Editor& editor = session_.editor;
  if (const std::string problem = CheckMapSize(picture_.Width(), picture_.Height());
      !problem.empty()) {
    editor.Ui.Message("This bitmap cannot become a map: " + problem + ".");
    return;
  }
  bitmapToMapMode_ = true;
  ReduceColours(picture_, editor.Settings.BitmapUtilityValue);
  Show();
  SaveInFolder("picture2.bmp");
  MapDocument& document = editor.Document;
  document.MapWidth = static_cast<int16_t>(picture_.Width());
  document.MapHeight = static_cast<int16_t>(picture_.Height());
  document.MapName = fileName_.substr(0, fileName_.size() - 3) + "map";
  document.MapPath = path_.substr(0, path_.size() - 3) + "map";
  editor.CaptionName = document.MapName;
  NewMap(editor);
  conversion_ = {
      std::vector<uint8_t>(static_cast<size_t>(picture_.Width() + 1) * (picture_.Height() + 1), 0),
      picture_.Width(), picture_.Height()};
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
    newColour_ = colour;
    QPalette palette = preview->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(colour));
    preview->setPalette(palette);
  };
  for (int i = 0; i < 3; ++i) {
    boxes[i] = new QLineEdit(QString::number((newColour_ >> (16 - 8 * i)) & 0xff));
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
  bitmapToMapMode_ = false;
  QMainWindow::closeEvent(event);
}

}  // namespace korv
