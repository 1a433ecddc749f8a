#include "gui/map_editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "editing/file_dialog.h"
#include "document/hex_names.h"
#include "editor/map_io.h"
#include "gui/file_dialog_window.h"
#include "gui/grid_dimensions_dialog.h"
#include "gui/map_view_widget.h"
#include "gui/new_map_dialog.h"
#include "gui/tile_picker_window.h"
#include "editing/clipboard.h"
#include "editing/editing.h"
#include "view/viewport.h"

namespace korv {

namespace {

// The central area whose size the layout rules work from.
class LayoutCanvas : public QWidget {
 public:
  using QWidget::QWidget;
  std::function<void()> onResize;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (onResize) onResize();
  }
};

PixelSize SizeOf(const QWidget* widget) {
  const QSize hint = widget->sizeHint();
  return {hint.width(), hint.height()};
}

void Place(QWidget* widget, const PixelRect& rect) {
  widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
}

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

MouseButton ButtonOf(Qt::MouseButton button) {
  return button == Qt::LeftButton    ? MouseButton::kLeft
         : button == Qt::RightButton ? MouseButton::kRight
                                     : MouseButton::kOther;
}

// 1 Shift, 2 Ctrl, 4 Alt, summed.
int ModifierState(Qt::KeyboardModifiers modifiers) {
  int state = 0;
  if (modifiers & Qt::ShiftModifier) state += 1;
  if (modifiers & Qt::ControlModifier) state += 2;
  if (modifiers & Qt::AltModifier) state += 4;
  return state;
}

// The menus of the main window, top to bottom; entries whose commands are
// not in the editor yet are shown disabled so the structure stays put.
struct MenuSpec {
  const char* title;
  std::vector<const char*> entries;  // "-" is a separator
};

const std::vector<MenuSpec>& MainMenus() {
  static const std::vector<MenuSpec> menus = {
      {"&File",
       {"&New Map file", "&Open Map File", "&Save Map File", "Save Map File &As", "-",
        "Open Brak set file", "Bitmap Utilities", "Open New Nations Set", "-", "E&xit"}},
      {"&Edit", {"Undo", "-", "&Copy", "&Paste"}},
      {"Hex Sides", {"Hex Outlines OFF"}},
      {"Hex Control",
       {"Hex Control ON", "Hex Control OFF", "-", "Set Hex Control (Screen Area)", "Set Roads ONLY",
        "Set Original Owner to Current Owner"}},
      {"Roads",
       {"Fill in Possible Road connections", "Count road hexes", "Find connection/control problems",
        "-", "Show Road Control = TRUE"}},
      {"Tiles",
       {"auto redraw Roads", "auto redraw Terrain", "auto redraw Forests", "auto redraw Mountains",
        "-", "Redraw Map based on Terrain", "Rebuild Terrain based on Tiles", "-",
        "Memorize Road Tile Patterns", "Memorise River Tile Patterns", "Memorise Mountain Patterns",
        "-", "Random Tiles OFF", "Scattered Woods"}},
      {"Analysis", {"Determine Separate Land Masses", "Verify Hex Data"}},
      {"Options", {"Grid Lines", "Set Grid Dimensions", "-", "Default Area (Screen)"}},
      {"Strategic Map", {"Show", "Hide"}},
      {"&View", {"Zoom In", "Zoom Out", "Actual Size"}},
  };
  return menus;
}

}  // namespace

MapEditorWindow::MapEditorWindow(const std::filesystem::path& folder, uint64_t seed,
                                 UserInteraction* ui)
    : windowUi_(this), ui_(ui ? ui : &windowUi_), random_(seed) {
  session_ = std::make_unique<MapEditor>(GameFolder(folder), *ui_, random_);
  session_->view.OnPresent = [this] {
    if (mapView_) mapView_->update();
  };
  windowUi_.SetProgressSink([this](const std::string& text) {
    if (progress_) {
      progress_->setText(Text(text));
      progress_->repaint();
    }
  });
}

MapEditorWindow::~MapEditorWindow() {
  if (tilePicker_) delete tilePicker_;
}

bool MapEditorWindow::Start(bool fullScreenSize) {
  std::string error;
  if (!StartMapEditor(*session_, error)) {
    ui_->Message(error + "\nThe editor cannot run without it and will close.");
    return false;
  }
  tilePicker_ = new TilePickerWindow(session_->editor);
  tilePicker_->onHelp = [this] {
    ShowTileCommandsWindow(tileCommands_, session_->editor.Folder, this);
  };
  tilePicker_->onSheetPress = [this](int tile, Qt::MouseButton button) {
    const bool popUp = TileSheet_MouseDown(*session_, ButtonOf(button), tile);
    if (button == Qt::LeftButton) {
      buttons_.at("auto-tile")->setText(Text(AutoTileButtonCaption(false)));
      RefreshCaptions();
    }
    return popUp;
  };
  setWindowTitle(Text(MainWindowCaption(session_->editor)));
  BuildMenus();
  BuildControls();
  if (fullScreenSize) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    setGeometry(screen);
  } else {
    resize(1280, 800);
  }
  started_ = true;
  LayOut();
  ChooseRoadKind(1);
  RefreshCaptions();
  mapView_->setFocus();
  // Shown beside the main window, as designers keep it open while painting.
  tilePicker_->show();
  return true;
}

bool MapEditorWindow::OpenMap(const std::string& path) {
  if (!OpenMapFile(*session_, path)) return false;
  MapChanged(true, false);
  return true;
}

QAction* MapEditorWindow::AddEntry(QMenu* menu, const std::string& caption, bool enabled) {
  QAction* action = menu->addAction(Text(caption));
  action->setEnabled(enabled);
  actions_[caption] = action;
  return action;
}

void MapEditorWindow::BuildMenus() {
  for (const MenuSpec& spec : MainMenus()) {
    QMenu* menu = menuBar()->addMenu(spec.title);
    menus_[spec.title] = menu;
    for (const char* entry : spec.entries) {
      if (std::string(entry) == "-") {
        menu->addSeparator();
      } else {
        AddEntry(menu, entry);
      }
    }
  }
  QAction* help = menuBar()->addAction("Help");
  actions_["Help"] = help;
  connect(help, &QAction::triggered, this, [this] { ShowHelp(); });

  auto enable = [this](const char* caption, auto slot) {
    QAction* action = actions_.at(caption);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  enable("&Save Map File", [this] { SaveCurrentMap(); });
  auto onChanged = [this](const FileDialogOutcome& outcome) {
    MapChanged(outcome.MapReplaced, outcome.NationSetChanged);
  };
  enable("&Open Map File",
         [this, onChanged] { ShowFileDialog(this, *session_, kOpenMapMode, onChanged); });
  enable("Save Map File &As",
         [this, onChanged] { ShowFileDialog(this, *session_, kSaveMapAsMode, onChanged); });
  enable("Open Brak set file",
         [this, onChanged] { ShowFileDialog(this, *session_, kImportSetMode, onChanged); });
  enable("Open New Nations Set",
         [this, onChanged] { ShowFileDialog(this, *session_, kNationSetMode, onChanged); });
  enable("Undo", [this] { Undo(); });
  enable("&Copy", [this] { Copy_Click(*session_); });
  enable("&Paste", [this] {
    Paste_Click(*session_);
    mapView_->update();
  });
  enable("Hex Control ON", [this] {
    SetHexControlMenus(HexControlOn_Click(*session_));
    ShowControl();
  })->setCheckable(true);
  enable("Hex Control OFF", [this] {
    SetHexControlMenus(HexControlOff_Click(*session_));
  })->setCheckable(true);
  SetHexControlMenus(HexControlMenuState(false));
  enable("Set Hex Control (Screen Area)", [this] { SetHexControl_Click(*session_); });
  enable("Set Original Owner to Current Owner",
         [this] { SetOriginalOwnerToCurrentOwner(session_->editor.Document); });
  enable("Default Area (Screen)", [this] {
    const MenuEntry entry = AreaSwitch_Click(session_->control);
    QAction* area = actions_.at("Default Area (Screen)");
    area->setText(Text(entry.Caption));
    area->setChecked(entry.Checked);
  })->setCheckable(true);
  enable("&New Map file", [this] {
    NewMapFile_Click(*session_);
    UpdateScrollBars();
    mapView_->update();
    if (ShowNewMapDialog(this, *session_)) MapChanged(true, false);
  });
  enable("E&xit", [this] { close(); });
  enable("Hex Outlines OFF", [this] { ToggleHexOutlines(); })->setCheckable(true);
  enable("Grid Lines", [this] { ToggleGridLines(); })->setCheckable(true);
  enable("Set Grid Dimensions", [this] { SetGridDimensions(); });
  enable("Random Tiles OFF", [this] { ToggleRandomTiles(); })->setCheckable(true);
  enable("Show Road Control = TRUE", [this] { ToggleShowRoadControl(); });
  enable("Zoom In", [this] {
    SetZoom(NextZoom(session_->zoom, 1));
  })->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  enable("Zoom Out", [this] {
    SetZoom(NextZoom(session_->zoom, -1));
  })->setShortcut(QKeySequence::ZoomOut);
  enable("Actual Size", [this] { SetZoom(1.0); })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
}

void MapEditorWindow::BuildControls() {
  auto* canvas = new LayoutCanvas(this);
  canvas->onResize = [this] { LayOut(); };
  canvas_ = canvas;
  setCentralWidget(canvas_);

  statusLine_ = new QLineEdit(canvas_);
  statusLine_->setReadOnly(true);
  statusLine_->setFixedWidth(520);
  statusLine_->setFocusPolicy(Qt::NoFocus);

  struct ButtonSpec {
    const char* name;
    const char* caption;
    const char* tip;
  };
  const ButtonSpec specs[] = {
      {"Block Fill", "Block Fill", "Fill a 10x10 block with selected tile."},
      {"Map Tiles", "Map Tiles", "Show Map Tile to select."},
      {"clear hex sides", "clear hex sides", "Clear Hexsides of roads or railroads."},
      {"deployment hexes on/off", "deployment hexes on/off",
       "Set Brak/Loth style deployment hexes."},
      {"auto-tile", "AutoTile Off", ""},
      {"Rename", "Rename", ""},
      {"Clear", "Clear", ""},
  };
  for (const ButtonSpec& spec : specs) {
    auto* button = new QPushButton(spec.caption, canvas_);
    button->setToolTip(spec.tip);
    button->setFocusPolicy(Qt::NoFocus);
    button->setEnabled(false);
    buttons_[spec.name] = button;
  }
  auto enableButton = [this](const char* name, auto slot) {
    QPushButton* button = buttons_.at(name);
    button->setEnabled(true);
    connect(button, &QPushButton::clicked, this, slot);
  };
  enableButton("Map Tiles", [this] { ShowTilePicker(); });
  enableButton("deployment hexes on/off", [this] {
    buttons_.at("deployment hexes on/off")->setText(Text(DeploymentButton_Click(*session_)));
  });
  enableButton("auto-tile", [this] {
    session_->editor.Settings.AutoDraw = !session_->editor.Settings.AutoDraw;
    buttons_.at("auto-tile")
        ->setText(Text(AutoTileButtonCaption(session_->editor.Settings.AutoDraw)));
  });

  progress_ = new QLabel("Progress", canvas_);
  progress_->setMinimumWidth(220);
  mapView_ = new MapViewWidget(session_->view, canvas_);
  mapView_->onZoom = [this](int direction) { SetZoom(NextZoom(session_->zoom, direction)); };
  horizontal_ = new QScrollBar(Qt::Horizontal, canvas_);
  vertical_ = new QScrollBar(Qt::Vertical, canvas_);
  connect(horizontal_, &QScrollBar::valueChanged, this, [this](int value) {
    if (updatingBars_) return;
    HorizontalScroll_Change(session_->editor, session_->resources, session_->switches,
                            session_->view, value);
  });
  connect(vertical_, &QScrollBar::valueChanged, this, [this](int value) {
    if (updatingBars_) return;
    VerticalScroll_Change(session_->editor, session_->resources, session_->switches, session_->view,
                          value);
  });
  roadStrip_ = new QLabel(canvas_);
  roadStrip_->setFixedSize(6 * session_->editor.Geometry.HexPixelWidth,
                           session_->editor.Geometry.HexPixelHeight);
  roadsLabel_ = new QLabel("Roads", canvas_);
  railRoadsLabel_ = new QLabel("Rail Roads", canvas_);
  QFont bold = roadsLabel_->font();
  bold.setBold(true);
  roadsLabel_->setFont(bold);  // road painting is selected at start-up
  hexName_ = new QLineEdit(canvas_);
  hexName_->setFixedWidth(200);
  hexName_->setMaxLength(20);

  mapView_->onPress = [this](double vx, double vy, Qt::MouseButton button,
                             Qt::KeyboardModifiers modifiers) {
    MapPressed(vx, vy, button, modifiers);
  };
  mapView_->onMove = [this](double vx, double vy) { MapMoved(vx, vy); };
  mapView_->setFocusPolicy(Qt::StrongFocus);
  enableButton("Block Fill", [this] { BlockFill_Click(*session_); });
  enableButton("Rename", [this] {
    const InteractionState& at = session_->interaction;
    SetHexName(session_->editor, at.CurrentHexX, at.CurrentHexY,
               hexName_->text().toLatin1().toStdString());
  });
  enableButton("Clear", [this] {
    const InteractionState& at = session_->interaction;
    SetHexName(session_->editor, at.CurrentHexX, at.CurrentHexY, "");
    hexName_->clear();
  });
  enableButton("clear hex sides", [this] {
    buttons_.at("clear hex sides")->setText(Text(ClearSides_Click(*session_)));
  });
  // Keys reach the window before any of its controls (but the name box).
  for (QWidget* child : canvas_->findChildren<QWidget*>()) child->installEventFilter(this);
  canvas_->installEventFilter(this);
  roadsLabel_->setCursor(Qt::PointingHandCursor);
  railRoadsLabel_->setCursor(Qt::PointingHandCursor);
  roadStrip_->setCursor(Qt::PointingHandCursor);
}

bool MapEditorWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == hexName_) {
    if (event->type() == QEvent::FocusIn) HexNameBox_Focus(*session_, true);
    if (event->type() == QEvent::FocusOut) HexNameBox_Focus(*session_, false);
  } else {
    if (event->type() == QEvent::KeyPress) {
      HandleKey(static_cast<QKeyEvent*>(event));
      return true;
    }
    if (event->type() == QEvent::KeyRelease) {
      MainWindow_KeyUp(*session_, ModifierState(static_cast<QKeyEvent*>(event)->modifiers()));
      return true;
    }
  }
  if (event->type() == QEvent::MouseButtonPress) {
    auto* press = static_cast<QMouseEvent*>(event);
    if (watched == roadStrip_) {
      if (RoadStrip_MouseDown(*session_, press->position().x())) {
        buttons_.at("clear hex sides")->setText("Clear Sides Off");
      }
      return true;
    }
    if (watched == roadsLabel_) {
      ChooseRoadKind(1);
      return true;
    }
    if (watched == railRoadsLabel_) {
      ChooseRoadKind(2);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MapEditorWindow::HandleKey(QKeyEvent* event) {
  // Menu shortcuts (Ctrl+0, Ctrl++) never get here: Qt runs them first.
  static const std::map<int, EditorKey> kKeys = {
      {Qt::Key_F1, EditorKey::kF1},
      {Qt::Key_F2, EditorKey::kF2},
      {Qt::Key_F3, EditorKey::kF3},
      {Qt::Key_F4, EditorKey::kF4},
      {Qt::Key_F5, EditorKey::kF5},
      {Qt::Key_F6, EditorKey::kF6},
      {Qt::Key_F7, EditorKey::kF7},
      {Qt::Key_F8, EditorKey::kF8},
      {Qt::Key_Up, EditorKey::kUp},
      {Qt::Key_Down, EditorKey::kDown},
      {Qt::Key_Left, EditorKey::kLeft},
      {Qt::Key_Right, EditorKey::kRight},
      {Qt::Key_A, EditorKey::kA},
      {Qt::Key_B, EditorKey::kB},
      {Qt::Key_C, EditorKey::kC},
      {Qt::Key_H, EditorKey::kH},
      {Qt::Key_N, EditorKey::kN},
      {Qt::Key_R, EditorKey::kR},
      {Qt::Key_X, EditorKey::kX},
      {Qt::Key_Slash, EditorKey::kSlash},
      {Qt::Key_Question, EditorKey::kSlash},
  };
  auto it = kKeys.find(event->key());
  const EditorKey key = it == kKeys.end() ? EditorKey::kOther : it->second;
  const KeyOutcome outcome = MainWindow_KeyDown(*session_, key, ModifierState(event->modifiers()));
  switch (outcome.show) {
    case KeyOutcome::kTilePicker:
      ShowTilePicker();
      break;
    case KeyOutcome::kControl:
      ShowControl();
      break;
    case KeyOutcome::kHelp:
      ShowHelp();
      break;
    default:
      break;
  }
  auto step = [this](QScrollBar* bar, int by) {
    mapView_->setFocus();
    const int target = bar->value() + by;
    if (target >= bar->minimum() && target <= bar->maximum()) bar->setValue(target);
  };
  if (outcome.scrollX != 0) step(horizontal_, outcome.scrollX);
  if (outcome.scrollY != 0) step(vertical_, outcome.scrollY);
  if (outcome.autoTileChanged) {
    buttons_.at("auto-tile")
        ->setText(Text(AutoTileButtonCaption(session_->editor.Settings.AutoDraw)));
  }
  if (!outcome.progress.empty()) progress_->setText(Text(outcome.progress));
  if (outcome.mapReplaced) {
    setWindowTitle(Text(MainWindowCaption(session_->editor)));
    UpdateScrollBars();
  }
  mapView_->update();
}

void MapEditorWindow::MapPressed(double vx, double vy, Qt::MouseButton button,
                                 Qt::KeyboardModifiers modifiers) {
  const MouseButton which = ButtonOf(button);
  const PressOutcome outcome =
      MapView_MouseDown(*session_, which, ModifierState(modifiers), vx, vy);
  const InteractionState& interaction = session_->interaction;
  hexName_->setText(
      QString::fromLatin1(HexNameAt(interaction.CurrentHexX, interaction.CurrentHexY)).trimmed());
  if (outcome.pickedUp) {
    buttons_.at("auto-tile")->setText(Text(AutoTileButtonCaption(false)));
    RefreshCaptions();
  }
  mapView_->update();
}

void MapEditorWindow::MapMoved(double vx, double vy) {
  const Editor& editor = session_->editor;
  const HexPosition hex = ViewPixelToHex(editor.Geometry, session_->view, editor.Document, vx, vy);
  const QString text =
      QString::fromLatin1(StatusText(*session_, hex.x, hex.y, HexNameAt(hex.x, hex.y)));
  statusLine_->setText(text);
  progress_->setText(text);
}

void MapEditorWindow::ChooseRoadKind(int kind) {
  SetRoadKind(*session_, kind);
  ShowStripPicture(kind == 2 ? "bmp/rr.bmp" : "bmp/roads.bmp");
  QFont plain = roadsLabel_->font();
  plain.setBold(false);
  QFont bold = plain;
  bold.setBold(true);
  roadsLabel_->setFont(kind == 2 ? plain : bold);
  railRoadsLabel_->setFont(kind == 2 ? bold : plain);
}

void MapEditorWindow::ShowStripPicture(const char* file) {
  Picture strip;
  if (strip.LoadBmp(session_->editor.Folder.Resolve(file))) {
    roadStrip_->setPixmap(QPixmap::fromImage(strip.Image()));
  }
}

std::string MapEditorWindow::HexNameAt(int x, int y) {
  return GetHexName(session_->editor, x, y);
}

void MapEditorWindow::MapChanged(bool mapReplaced, bool nationSetChanged) {
  setWindowTitle(Text(MainWindowCaption(session_->editor)));
  if (mapReplaced) UpdateScrollBars();
  // The control window's lists are built from the nations: build them anew.
  if (mapReplaced || nationSetChanged) CloseControlWindow(control_);
  mapView_->update();
}

void MapEditorWindow::ShowControl() {
  ShowControlWindow(control_, *session_, this, [this](ControlWindow& window) {
    window.onShowTilePicker = [this] { ShowTilePicker(); };
    window.onHexControlMode = [this] { SetHexControlMenus(HexControlMenuState(true)); };
  });
}

void MapEditorWindow::ShowHelp() {
  ShowHelpWindow(help_, session_->editor.Settings.MapFileVersion, this);
}

void MapEditorWindow::SetHexControlMenus(const HexControlMenuEntries& entries) {
  QAction* on = actions_.at("Hex Control ON");
  QAction* off = actions_.at("Hex Control OFF");
  on->setText(Text(entries.on.Caption));
  on->setChecked(entries.on.Checked);
  off->setText(Text(entries.off.Caption));
  off->setChecked(entries.off.Checked);
}

void MapEditorWindow::Undo() {
  const UndoOutcome outcome = Undo_Click(*session_);
  if (outcome.sizeChanged) UpdateScrollBars();
  mapView_->update();
}

QAction* MapEditorWindow::Action(const std::string& caption) const {
  auto it = actions_.find(caption);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MapEditorWindow::Menu(const std::string& title) const {
  auto it = menus_.find(title);
  return it == menus_.end() ? nullptr : it->second;
}

QPushButton* MapEditorWindow::Button(const std::string& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

void MapEditorWindow::LayOut() {
  if (!started_ || !canvas_ || canvas_->width() == 0) return;
  WindowLayoutInput input;
  input.inner = {canvas_->width(), canvas_->height()};
  input.statusLine = {statusLine_->width(), statusLine_->sizeHint().height()};
  input.horizontalScrollBarHeight = horizontal_->sizeHint().height();
  input.verticalScrollBarWidth = vertical_->sizeHint().width();
  input.viewFrame = MapViewWidget::kFrame;
  input.roadStrip = {roadStrip_->width(), roadStrip_->height()};
  input.blockFillButton = SizeOf(buttons_.at("Block Fill"));
  input.mapTilesButton = SizeOf(buttons_.at("Map Tiles"));
  input.clearSidesButton = SizeOf(buttons_.at("clear hex sides"));
  input.deploymentButton = SizeOf(buttons_.at("deployment hexes on/off"));
  input.autoTileButton = SizeOf(buttons_.at("auto-tile"));
  input.progressLabel = {std::max(progress_->sizeHint().width(), progress_->minimumWidth()),
                         input.deploymentButton.height};
  input.roadsLabel = SizeOf(roadsLabel_);
  input.railRoadsLabel = SizeOf(railRoadsLabel_);
  input.hexNameBox = {hexName_->width(), hexName_->sizeHint().height()};
  input.renameButton = SizeOf(buttons_.at("Rename"));
  input.clearButton = SizeOf(buttons_.at("Clear"));

  MapEditor& session = *session_;
  layout_ = Form_Resize(input, session.editor.Geometry, session.editor.Document, *ui_);
  if (!layout_) return;
  const WindowLayout& layout = *layout_;
  Place(statusLine_, layout.statusLine);
  Place(mapView_, layout.mapView);
  Place(horizontal_, layout.horizontalScrollBar);
  Place(vertical_, layout.verticalScrollBar);
  Place(roadStrip_, layout.roadStrip);
  Place(buttons_.at("Block Fill"), layout.blockFillButton);
  Place(buttons_.at("Map Tiles"), layout.mapTilesButton);
  Place(buttons_.at("clear hex sides"), layout.clearSidesButton);
  Place(buttons_.at("deployment hexes on/off"), layout.deploymentButton);
  Place(buttons_.at("auto-tile"), layout.autoTileButton);
  Place(progress_, layout.progressLabel);
  Place(roadsLabel_, layout.roadsLabel);
  Place(railRoadsLabel_, layout.railRoadsLabel);
  Place(hexName_, layout.hexNameBox);
  Place(buttons_.at("Rename"), layout.renameButton);
  Place(buttons_.at("Clear"), layout.clearButton);

  if (session.zoom == 1.0) {
    ApplyViewLayout(session.view, layout);
  } else {
    ApplyZoomToView(session.view, session.editor.Geometry, session.editor.Document,
                    layout.mapView.width, layout.mapView.height, layout.ViewPixelWidth,
                    layout.ViewPixelHeight, session.zoom);
  }
  // The buffer follows the window, so a larger window shows a whole view.
  CreateViewBuffer(session.editor, session.resources, session.switches, session.view);
  UpdateScrollBars();

  // A new size shows the side picker's own picture in the road-side strip.
  if (canvas_->size() != laidOutSize_) ShowStripPicture("bmp/roadsp.bmp");
  laidOutSize_ = canvas_->size();
}

void MapEditorWindow::UpdateScrollBars() {
  updatingBars_ = true;
  const ScrollBarRange across = HorizontalScrollRange(session_->view);
  const ScrollBarRange down = VerticalScrollRange(session_->view);
  horizontal_->setRange(across.minimum, across.maximum);
  horizontal_->setSingleStep(across.smallChange);
  horizontal_->setPageStep(across.largeChange);
  horizontal_->setValue(session_->view.ViewLeft);
  vertical_->setRange(down.minimum, down.maximum);
  vertical_->setSingleStep(down.smallChange);
  vertical_->setPageStep(down.largeChange);
  vertical_->setValue(session_->view.ViewTop);
  updatingBars_ = false;
}

void MapEditorWindow::SetZoom(double zoom) {
  session_->zoom = zoom;
  mapView_->SetZoom(zoom);
  LayOut();
  statusLine_->setText(QString("Zoom %1%").arg(qRound(zoom * 100)));
}

void MapEditorWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
}

void MapEditorWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Start-up ends with road painting selected and its picture in the strip,
  // once the window has its first size.
  if (!shownOnce_ && started_) ChooseRoadKind(1);
  shownOnce_ = true;
}

void MapEditorWindow::closeEvent(QCloseEvent* event) {
  // Nothing is saved and nothing is asked: the tool windows go with the main one.
  if (tilePicker_) tilePicker_->close();
  CloseControlWindow(control_);
  if (help_) help_->close();
  if (tileCommands_) tileCommands_->close();
  event->accept();
}

void MapEditorWindow::ShowTilePicker() {
  tilePicker_->show();
  tilePicker_->raise();
  tilePicker_->activateWindow();
}

void MapEditorWindow::ToggleHexOutlines() {
  HexsidesOn_Click(session_->editor, session_->resources, session_->switches, session_->view);
  RefreshCaptions();
}

void MapEditorWindow::ToggleGridLines() {
  GridLines_Click(session_->switches);
  RefreshCaptions();
}

void MapEditorWindow::ToggleRandomTiles() {
  session_->editor.Settings.RandomTiles = !session_->editor.Settings.RandomTiles;
  RefreshCaptions();
}

void MapEditorWindow::ToggleShowRoadControl() {
  EditorSettings& settings = session_->editor.Settings;
  settings.ShowRoadControl = !settings.ShowRoadControl;
  actions_.at("Show Road Control = TRUE")
      ->setText(Text(ShowRoadControlCaption(settings.ShowRoadControl)));
  RedrawBuffers(session_->editor, session_->resources, session_->switches, session_->view);
}

void MapEditorWindow::SetGridDimensions() {
  GridDimensionsDialog dialog(session_->editor.Settings, *ui_, this);
  if (dialog.exec() != QDialog::Accepted) {
    // Cancel switches the grid lines off.
    session_->switches.GridLines = false;
    RefreshCaptions();
  }
}

void MapEditorWindow::SaveCurrentMap() {
  SaveMap(session_->editor);
  RedrawBuffers(session_->editor, session_->resources, session_->switches, session_->view);
}

void MapEditorWindow::RefreshCaptions() {
  const EditorSettings& settings = session_->editor.Settings;
  const MenuEntry outlines = HexOutlinesMenuEntry(settings.HexOutlines);
  QAction* outlineAction = actions_.at("Hex Outlines OFF");
  outlineAction->setText(Text(outlines.Caption));
  outlineAction->setChecked(outlines.Checked);
  actions_.at("Grid Lines")->setChecked(session_->switches.GridLines);
  const MenuEntry random = RandomTilesMenuEntry(settings.RandomTiles);
  QAction* randomAction = actions_.at("Random Tiles OFF");
  randomAction->setText(Text(random.Caption));
  randomAction->setChecked(random.Checked);
}

}  // namespace korv
