#include "gui/map_editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>

#include "document/hex_names.h"
#include "editing/clipboard.h"
#include "editing/commands.h"
#include "editing/editing.h"
#include "editing/file_dialog.h"
#include "editor/map_io.h"
#include "editor/recovery.h"
#include "gui/file_dialog_window.h"
#include "gui/grid_dimensions_dialog.h"
#include "gui/map_to_bitmap_dialog.h"
#include "gui/map_view_widget.h"
#include "gui/new_map_dialog.h"
#include "gui/tile_picker_window.h"
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

}  // namespace

MapEditorWindow::MapEditorWindow(const std::filesystem::path& folder, uint64_t seed,
                                 UserInteraction* ui)
    : windowUi_(this), ui_(ui ? ui : &windowUi_), random_(seed) {
  session_ = std::make_unique<MapEditor>(GameFolder(folder), *ui_, random_);
  session_->view.OnPresent = [this] {
    if (mapView_) mapView_->Presented();
    // The jump map's outline follows the view while the window shows.
    if (jumpMap_ && jumpMap_->isVisible()) jumpMap_->Refresh();
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
  UpdateCaption();
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

namespace {

// Tells of every finished press and key anywhere in the program.
class InputWatcher : public QObject {
 public:
  explicit InputWatcher(std::function<void()> seen) : seen_(std::move(seen)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyRelease) seen_();
    return false;
  }

 private:
  std::function<void()> seen_;
};

constexpr int kUnsavedCheckMs = 1000;
constexpr int kRecoveryCopyMs = 3 * 60 * 1000;

}  // namespace

void MapEditorWindow::UpdateCaption() {
  // "[*]" is where the desktop's unsaved mark goes.
  setWindowTitle(Text(MainWindowCaption(session_->editor)) + "[*]");
  if (keepingWork_) setWindowModified(HasUnsavedChanges(session_->editor));
}

void MapEditorWindow::CheckUnsaved() {
  if (!inputSeen_) return;
  inputSeen_ = false;
  const bool unsaved = HasUnsavedChanges(session_->editor);
  setWindowModified(unsaved);
  // A copy older than the saved map must not be offered after a crash.
  if (!unsaved) DropRecoveryCopy(session_->editor.Folder);
}

void MapEditorWindow::KeepUnsavedWork() {
  Editor& editor = session_->editor;
  // The map open now is nothing to keep until it is edited.
  TrackUnsavedChanges(editor);
  if (auto recovery = FindRecoveryCopy(editor.Folder)) {
    const std::string name = recovery->mapName.empty() ? "a new map" : recovery->mapName;
    if (ui_->AskYesNo("The editor was closed with unsaved changes to " + name +
                      " and kept a copy of them in " + recovery->copy.string() +
                      ".\nRestore that copy?")) {
      if (RestoreRecoveryCopy(editor, *recovery)) {
        OpenHexNamesOfMap(editor);
        MapReplaced(*session_, true);
        MapChanged(true, true);
      }
    }
    DropRecoveryCopy(editor.Folder);
  }
  keepingWork_ = true;
  inputWatcher_ = std::make_unique<InputWatcher>([this] { inputSeen_ = true; });
  qApp->installEventFilter(inputWatcher_.get());
  auto* check = new QTimer(this);
  connect(check, &QTimer::timeout, this, [this] { CheckUnsaved(); });
  check->start(kUnsavedCheckMs);
  auto* copy = new QTimer(this);
  connect(copy, &QTimer::timeout, this, [this] {
    const Editor& open = session_->editor;
    if (!open.FolderReadOnly && HasUnsavedChanges(open)) WriteRecoveryCopy(session_->editor);
  });
  copy->start(kRecoveryCopyMs);
  UpdateCaption();
}

bool MapEditorWindow::OpenMap(const std::string& path) {
  if (!OpenMapFile(*session_, path)) return false;
  MapChanged(true, false);
  NoteMapNamed();
  return true;
}

void MapEditorWindow::NoteMapNamed() {
  const std::string& path = session_->editor.Document.MapPath;
  if (onMapNamed && !path.empty() && FileExists(path)) onMapNamed(path);
}

void MapEditorWindow::SetRecentMaps(const std::vector<std::string>& paths) {
  if (!recentMaps_) return;
  recentMaps_->clear();
  for (const std::string& path : paths) {
    connect(recentMaps_->addAction(Text(path)), &QAction::triggered, this,
            [this, path] { OpenMap(path); });
  }
  recentMaps_->setEnabled(!paths.empty());
}

void MapEditorWindow::SetFitNeighbours(bool on) {
  session_->editor.Settings.FitNeighbours = on;
  RefreshCaptions();
}

void MapEditorWindow::BuildMenus() {
  // Every entry comes from the command table, which korvmap runs too.
  for (const Command& command : CommandTable()) {
    QMenu*& menu = menus_[command.menu];
    if (!menu) menu = menuBar()->addMenu(command.menu);
    if (command.separatorBefore) menu->addSeparator();
    QAction* action = menu->addAction(Text(command.caption));
    action->setEnabled(command.Available());
    action->setCheckable(command.checkable);
    QList<QKeySequence> keys;
    for (const QString& key : QString(command.shortcut).split(';', Qt::SkipEmptyParts)) {
      keys.push_back(QKeySequence::fromString(key));
    }
    action->setShortcuts(keys);
    actions_[command.caption] = action;
    commandActions_.push_back({&command, action});
    connect(action, &QAction::triggered, this, [this, &command] { RunCommand(command); });
  }
  // The maps opened last, under the File menu's own entries.
  QMenu* file = menus_.at("&File");
  file->addSeparator();
  recentMaps_ = file->addMenu("Recent Maps");
  recentMaps_->setEnabled(false);
  QAction* help = menuBar()->addAction(kHelpMenuEntry);
  actions_[kHelpMenuEntry] = help;
  connect(help, &QAction::triggered, this, [this] { ShowHelp(); });
}

void MapEditorWindow::RunCommand(const Command& command) {
  const bool autoDraw = session_->editor.Settings.AutoDraw;
  const CommandOutcome outcome = korv::RunCommand(*session_, command);
  if (session_->editor.Settings.AutoDraw != autoDraw) {
    buttons_.at("auto-tile")->setText(Text(AutoTileButtonCaption(!autoDraw)));
  }
  using Window = CommandOutcome::Window;
  switch (outcome.window) {
    case Window::kNone:
      break;
    case Window::kNewMapDialog:
      UpdateScrollBars();
      mapView_->update();
      if (ShowNewMapDialog(this, *session_)) MapChanged(true, false);
      break;
    case Window::kFileDialog:
      ShowFileDialog(this, *session_, outcome.fileDialogMode,
                     [this](const FileDialogOutcome& changed) {
                       MapChanged(changed.MapReplaced, changed.NationSetChanged);
                       if (changed.MapReplaced || changed.CaptionChanged) NoteMapNamed();
                     });
      break;
    case Window::kGridDimensions:
      SetGridDimensions();
      break;
    case Window::kControlWindow:
      ShowControl();
      break;
    case Window::kHelp:
      ShowHelp();
      break;
    case Window::kZoom:
      SetZoom(outcome.zoomStep == 0 ? 1.0 : NextZoom(session_->zoom, outcome.zoomStep));
      break;
    case Window::kClose:
      close();
      return;
    case Window::kJumpMap:
      ShowJumpMap();
      break;
    case Window::kHideJumpMap:
      if (jumpMap_) jumpMap_->hide();
      break;
    case Window::kBitmapUtility:
      ShowBitmapUtility();
      break;
    case Window::kMapToBitmap:
      MapToBitmap();
      break;
  }
  if (outcome.mapReplaced) MapChanged(true, false);
  if (outcome.viewMoved) UpdateScrollBars();
  if (!outcome.report.empty()) progress_->setText(Text(outcome.report));
  RefreshCaptions();
  mapView_->update();
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
  enableButton("auto-tile",
               [this] { buttons_.at("auto-tile")->setText(Text(AutoTile_Click(*session_))); });

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
  enableButton("Block Fill", [this] {
    BlockFill_Click(*session_);
    RefreshCaptions();
  });
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
        buttons_.at("clear hex sides")->setText(Text(ClearSidesButtonCaption(*session_)));
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
    case KeyOutcome::kJumpMap:
      ShowJumpMap();
      break;
    case KeyOutcome::kMapToBitmap:
      MapToBitmap();
      break;
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
    UpdateCaption();
    UpdateScrollBars();
  }
  RefreshCaptions();
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
  if (outcome.pickedUp) buttons_.at("auto-tile")->setText(Text(AutoTileButtonCaption(false)));
  RefreshCaptions();
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
  UpdateCaption();
  if (mapReplaced) UpdateScrollBars();
  // The control window's lists are built from the nations: build them anew.
  if (mapReplaced || nationSetChanged) CloseControlWindow(control_);
  mapView_->update();
}

namespace {

// "NAME X Y WIDTH HEIGHT" and a line break.
std::string Rectangle(const char* name, const QRect& r) {
  return std::string(name) + " " + std::to_string(r.x()) + " " + std::to_string(r.y()) + " " +
         std::to_string(r.width()) + " " + std::to_string(r.height()) + "\n";
}

}  // namespace

void MapEditorWindow::ShowControl() {
  ShowControlWindow(control_, *session_, this, [this](ControlWindow& window) {
    window.onShowTilePicker = [this] { ShowTilePicker(); };
    window.onHexControlMode = [this] { RefreshCaptions(); };
  });
  if (onPositions && control_) {
    QListWidget* list = control_->OwnerList();
    const QPoint at = list->viewport()->mapToGlobal(QPoint(0, 0));
    const int rowHeight = list->count() > 0 ? list->visualItemRect(list->item(0)).height() : 0;
    onPositions(Rectangle("control", control_->frameGeometry()) + "owner-list " +
                std::to_string(at.x()) + " " + std::to_string(at.y()) + " " +
                std::to_string(rowHeight) + "\n");
  }
}

void MapEditorWindow::ReportPositions() {
  if (!onPositions) return;
  const auto point = [](const char* name, const QPoint& p) {
    return std::string(name) + " " + std::to_string(p.x()) + " " + std::to_string(p.y()) + "\n";
  };
  const HexGeometry& g = session_->editor.Geometry;
  std::string lines = point("map-view", mapView_->mapToGlobal(mapView_->contentsRect().topLeft()));
  lines += "hex " + std::to_string(g.HexPixelWidth) + " " + std::to_string(g.HexPixelHeight) + " " +
           std::to_string(g.ColumnStep) + " " + std::to_string(g.RowStep) + "\n";
  lines += "view " + std::to_string(session_->view.ViewLeft) + " " +
           std::to_string(session_->view.ViewTop) + "\n";
  TileSheetView* sheet = tilePicker_->Sheet();
  lines += point("tile-sheet", sheet->viewport()->mapToGlobal(QPoint(0, 0)));
  lines += Rectangle("tile-picker", tilePicker_->frameGeometry());
  onPositions(lines);
}

void MapEditorWindow::ShowHelp() {
  ShowHelpWindow(help_, session_->editor.Settings.MapFileVersion, this);
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
  // Nothing is saved and nothing is asked: the tool windows go with the main
  // one. Unsaved changes go to the recovery copy, offered at the next start.
  // A read-only game folder cannot keep a recovery copy.
  if (keepingWork_ && !session_->editor.FolderReadOnly) {
    if (HasUnsavedChanges(session_->editor)) {
      std::string error;
      if (!WriteRecoveryCopy(session_->editor, &error)) {
        ui_->Message("The unsaved changes could not be kept: " + error + ".");
      }
    } else {
      DropRecoveryCopy(session_->editor.Folder);
    }
  }
  if (tilePicker_) tilePicker_->close();
  CloseControlWindow(control_);
  if (help_) help_->close();
  if (tileCommands_) tileCommands_->close();
  if (jumpMap_) jumpMap_->close();
  if (bitmapUtility_) bitmapUtility_->close();
  event->accept();
}

void MapEditorWindow::ShowJumpMap() {
  if (!jumpMap_) {
    jumpMap_ = new JumpMapWindow(*session_, this);
    jumpMap_->onViewMoved = [this] {
      UpdateScrollBars();
      mapView_->update();
    };
    jumpMap_->onShowTilePicker = [this] { ShowTilePicker(); };
    jumpMap_->onShowControl = [this] { ShowControl(); };
  }
  jumpMap_->show();
  jumpMap_->raise();
  jumpMap_->Refresh();
}

void MapEditorWindow::ShowBitmapUtility() {
  if (!bitmapUtility_) {
    bitmapUtility_ = new BitmapUtilityWindow(*session_, this);
    bitmapUtility_->onMapReplaced = [this] {
      MapReplaced(*session_, false);
      MapChanged(true, false);
      RefreshCaptions();
    };
    bitmapUtility_->onMapChanged = [this] {
      Editor& editor = session_->editor;
      ReplaceStrategicMap(editor.JumpMap, DrawStrategicMap(editor.Document, editor.Tiles,
                                                           editor.JumpMap.HighlightTerrain));
      RedrawIfDrawn(*session_);
      MapChanged(false, false);
      RefreshCaptions();
    };
  }
  bitmapUtility_->show();
  bitmapUtility_->raise();
}

void MapEditorWindow::MapToBitmap() {
  RunMapToBitmap(this, *session_,
                 [this](const std::string& report) { progress_->setText(Text(report)); });
}

void MapEditorWindow::ShowTilePicker() {
  tilePicker_->show();
  tilePicker_->raise();
  tilePicker_->activateWindow();
}

void MapEditorWindow::SetGridDimensions() {
  GridDimensionsDialog dialog(session_->editor.Settings, *ui_, this);
  if (dialog.exec() != QDialog::Accepted) GridDimensionsDialog_Cancel(*session_);
  RefreshCaptions();
}

void MapEditorWindow::RefreshCaptions() {
  for (const auto& [command, action] : commandActions_) {
    const MenuEntry entry = CommandState(*command, *session_);
    action->setText(Text(entry.Caption));
    if (command->checkable) action->setChecked(entry.Checked);
    action->setEnabled(command->Available() && entry.Enabled);
  }
}

}  // namespace korv
