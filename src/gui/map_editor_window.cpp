#include "gui/map_editor_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "document/map_files.h"
#include "gui/grid_dimensions_dialog.h"
#include "gui/map_view_widget.h"
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
  tilePicker_->onTileChosen = [this](int) {
    LeaveSpecialTools(*session_);
    buttons_.at("auto-tile")->setText(Text(AutoTileButtonCaption(false)));
    RefreshCaptions();
  };
  setWindowTitle(Text(MainWindowCaption(session_->editor.Document)));
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
  RefreshCaptions();
  // Shown beside the main window, as designers keep it open while painting.
  tilePicker_->show();
  return true;
}

bool MapEditorWindow::OpenMap(const std::string& path) {
  if (!OpenMapFile(*session_, path)) return false;
  setWindowTitle(Text(MainWindowCaption(session_->editor.Document)));
  UpdateScrollBars();
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
  help->setEnabled(false);
  actions_["Help"] = help;

  auto enable = [this](const char* caption, auto slot) {
    QAction* action = actions_.at(caption);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, slot);
    return action;
  };
  enable("&Save Map File", [this] { SaveCurrentMap(); });
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
  hexName_->setEnabled(false);
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

  Picture strip;
  if (strip.LoadBmp(session.editor.Folder.Resolve("bmp/roadsp.bmp"))) {
    roadStrip_->setPixmap(QPixmap::fromImage(strip.Image()));
  }
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

void MapEditorWindow::closeEvent(QCloseEvent* event) {
  // Nothing is saved and nothing is asked: the tool windows go with the main one.
  if (tilePicker_) tilePicker_->close();
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
