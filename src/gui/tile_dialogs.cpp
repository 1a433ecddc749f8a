#include "gui/tile_dialogs.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/interaction.h"
#include "platform/picture.h"
#include "view/tile_picker.h"

namespace korv {

namespace {

// Where each selector sits around the tile, in the neighbour order: top,
// upper right, lower right, bottom, lower left, upper left.
constexpr int kSelectorCells[6][2] = {{0, 1}, {0, 2}, {2, 2}, {2, 1}, {2, 0}, {0, 0}};

QPixmap SelectorPicture(const Editor& editor, bool set) {
  Picture picture;
  if (picture.LoadBmp(editor.Folder.Resolve(set ? "bmp/c1.bmp" : "bmp/c0.bmp"))) {
    return QPixmap::fromImage(picture.Image());
  }
  // Without the game's pictures a plain mark still shows the state.
  QPixmap mark(16, 16);
  mark.fill(set ? QColor(46, 158, 68) : QColor(200, 200, 200));
  return mark;
}

}  // namespace

TileInfoDialog::TileInfoDialog(Editor& editor, const char* caption, QWidget* parent)
    : QDialog(parent, Qt::Tool), editor_(editor) {
  setWindowTitle(caption);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  picture_ = new QLabel;
  picture_->setFixedSize(editor.Geometry.HexPixelWidth, editor.Geometry.HexPixelHeight);
  grid->addWidget(picture_, 1, 1, Qt::AlignCenter);
  for (size_t k = 0; k < sides_.size(); ++k) {
    auto* side = new QPushButton;
    side->setFlat(true);
    side->setFocusPolicy(Qt::NoFocus);
    side->setVisible(false);
    connect(side, &QPushButton::clicked, this, [this, k] {
      sideStates_[k] = !sideStates_[k];
      ShowSides(sideStates_);
    });
    grid->addWidget(side, kSelectorCells[k][0], kSelectorCells[k][1], Qt::AlignCenter);
    sides_[k] = side;
  }
  layout->addLayout(grid);
  number_ = new QLabel;
  number_->setAlignment(Qt::AlignCenter);
  layout->addWidget(number_);
  body_ = new QWidget;
  layout->addWidget(body_);
  auto* buttons = new QHBoxLayout;
  back_ = new QPushButton("Back");
  next_ = new QPushButton("Next");
  save_ = new QPushButton("Save");
  for (QPushButton* button : {back_, next_, save_}) {
    button->setFocusPolicy(Qt::NoFocus);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);
  connect(back_, &QPushButton::clicked, this, [this] { Step(-1); });
  connect(next_, &QPushButton::clicked, this, [this] { Step(1); });
  connect(save_, &QPushButton::clicked, this, [this] { Store(); });
}

void TileInfoDialog::AddSideSelectors() {
  for (QPushButton* side : sides_) side->setVisible(true);
}

void TileInfoDialog::ShowSides(const SideStates& sides) {
  sideStates_ = sides;
  for (size_t k = 0; k < sides_.size(); ++k) {
    const QPixmap picture = SelectorPicture(editor_, sides[k]);
    sides_[k]->setIcon(picture);
    sides_[k]->setIconSize(picture.size());
    sides_[k]->setToolTip(sides[k] ? "1" : "0");
  }
}

SideStates TileInfoDialog::Sides() const {
  return sideStates_;
}

void TileInfoDialog::LoadCurrentTile() {
  const int tile = editor_.CurrentTile;
  const HexGeometry& g = editor_.Geometry;
  const QImage cell = editor_.TileSheet.Image().copy((tile % kSheetColumns) * g.HexPixelWidth,
                                                     (tile / kSheetColumns) * g.HexPixelHeight,
                                                     g.HexPixelWidth, g.HexPixelHeight);
  picture_->setPixmap(QPixmap::fromImage(cell));
  number_->setText(QString("Tile %1").arg(tile));
  Load(tile);
}

void TileInfoDialog::Step(int direction) {
  const int count = editor_.Tiles.TileCount;
  editor_.CurrentTile =
      static_cast<int16_t>(direction < 0 ? PreviousTile(editor_.CurrentTile, count)
                                         : NextTile(editor_.CurrentTile, count));
  LoadCurrentTile();
}

void TileInfoDialog::Store() {
  std::string error;
  if (!Save(editor_.CurrentTile, error)) {
    editor_.Ui.Message("Tile " + std::to_string(editor_.CurrentTile) + " was not stored: " + error +
                       ".");
  }
}

bool TileInfoDialog::HandleKey(int key) {
  switch (key) {
    case Qt::Key_B:
      Step(-1);
      return true;
    case Qt::Key_N:
      Step(1);
      return true;
    case Qt::Key_S:
      Store();
      return true;
    default:
      return false;
  }
}

void TileInfoDialog::keyPressEvent(QKeyEvent* event) {
  if (!HandleKey(event->key())) QDialog::keyPressEvent(event);
}

bool TileInfoDialog::eventFilter(QObject* watched, QEvent* event) {
  // The dialog sees its keys before its controls: the terrain list would
  // take B, N and S as the first letters of its entries.
  if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event)->key())) {
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TileInfoDialog::showEvent(QShowEvent* event) {
  // Every control exists by now, the dialog's own ones included.
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
  QDialog::showEvent(event);
}

void TileInfoDialog::closeEvent(QCloseEvent* event) {
  if (onClosed) onClosed();
  QDialog::closeEvent(event);
}

void TileInfoDialog::done(int result) {
  // Escape closes the dialog too; nothing is stored without Save.
  if (onClosed) onClosed();
  QDialog::done(result);
}

RoadConnectionsDialog::RoadConnectionsDialog(Editor& editor, QWidget* parent)
    : TileInfoDialog(editor, "Road Connections", parent) {
  AddSideSelectors();
  auto* layout = new QVBoxLayout(body_);
  layout->addWidget(new QLabel("Possible Road-side"));
  layout->addWidget(new QLabel("connections for this tile."));
}

void RoadConnectionsDialog::Load(int tile) {
  edit_.Load(editor_.Folder, tile);
  ShowSides(edit_.sides);
}

bool RoadConnectionsDialog::Save(int tile, std::string& error) {
  edit_.sides = Sides();
  return edit_.Save(editor_.Folder, editor_.Tiles, tile, &error);
}

TilePatternDialog::TilePatternDialog(Editor& editor, QWidget* parent)
    : TileInfoDialog(editor, "Terrain Based Tile Pattern", parent) {
  AddSideSelectors();
  auto* layout = new QVBoxLayout(body_);
  layout->addWidget(new QLabel("Tile Pattern"));
  layout->addWidget(new QLabel("adjacent terrain type"));
  instruction_ = new QLabel;
  layout->addWidget(instruction_);
  auto* member = new QGroupBox("Auto-Draw Tile ?");
  auto* choice = new QHBoxLayout(member);
  yes_ = new QRadioButton("Yes");
  no_ = new QRadioButton("No");
  choice->addWidget(yes_);
  choice->addWidget(no_);
  layout->addWidget(member);
}

void TilePatternDialog::Load(int tile) {
  edit_.Load(editor_.Folder, editor_.Tiles, tile);
  instruction_->setText(QString::fromStdString(edit_.instruction));
  (edit_.member ? yes_ : no_)->setChecked(true);
  ShowSides(edit_.sides);
}

bool TilePatternDialog::Save(int tile, std::string& error) {
  edit_.member = yes_->isChecked();
  edit_.sides = Sides();
  return edit_.Save(editor_.Folder, editor_.Tiles, tile, &error);
}

TileTerrainTypeDialog::TileTerrainTypeDialog(Editor& editor, QWidget* parent)
    : TileInfoDialog(editor, "Tile Terrain Type", parent) {
  auto* layout = new QVBoxLayout(body_);
  list_ = new QListWidget;
  for (const std::string& name : editor.Tiles.TerrainNames) {
    list_->addItem(QString::fromStdString(name));
  }
  layout->addWidget(list_);
  auto* random = new QGroupBox("Random");
  auto* inside = new QVBoxLayout(random);
  inside->addWidget(new QLabel("Include this tile when"));
  inside->addWidget(new QLabel("randomly placing tiles ?"));
  auto* choice = new QHBoxLayout;
  yes_ = new QRadioButton("Yes");
  no_ = new QRadioButton("No");
  choice->addWidget(yes_);
  choice->addWidget(no_);
  inside->addLayout(choice);
  layout->addWidget(random);
}

void TileTerrainTypeDialog::Load(int tile) {
  edit_.Load(editor_.Folder, tile);
  list_->setCurrentRow(edit_.terrain < list_->count() ? edit_.terrain : -1);
  (edit_.random ? yes_ : no_)->setChecked(true);
}

bool TileTerrainTypeDialog::Save(int tile, std::string& error) {
  if (list_->currentRow() < 0) {
    error = "no terrain type is chosen in the list";
    return false;
  }
  edit_.terrain = list_->currentRow();
  edit_.random = yes_->isChecked();
  return edit_.Save(editor_.Folder, editor_.Tiles, tile, &error);
}

}  // namespace korv
