// The main editing window ("Main: editing ..."): menus, the status line, the
// tool strip, the map view with its scroll bars, the road-side strip and the
// hex name box, placed by the layout rules of the view. It owns the editing
// session and forwards every event to the session's commands.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <string>

#include "editing/commands.h"
#include "editing/control.h"
#include "editing/map_editor.h"
#include "gui/bitmap_utility_window.h"
#include "gui/control_window.h"
#include "gui/gui_interaction.h"
#include "gui/help_windows.h"
#include "gui/jump_map_window.h"
#include "gui/tile_picker_window.h"
#include "platform/random.h"
#include "view/window_layout.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace korv {

class MapViewWidget;

class MapEditorWindow : public QMainWindow {
 public:
  // `ui` answers the core's messages: normally this window's message boxes.
  MapEditorWindow(const std::filesystem::path& folder, uint64_t seed,
                  UserInteraction* ui = nullptr);
  ~MapEditorWindow() override;

  // The start-up sequence. False (the user has been told why) when the
  // editor cannot run; the caller then ends the program.
  bool Start(bool fullScreenSize = true);
  // Opens a map file as the open map; false when it was refused.
  bool OpenMap(const std::string& path);

  MapEditor& Session() { return *session_; }
  // The menu entry with this caption (as first given), for tests.
  QAction* Action(const std::string& caption) const;
  QMenu* Menu(const std::string& title) const;
  MapViewWidget* MapView() const { return mapView_; }
  QScrollBar* HorizontalBar() const { return horizontal_; }
  QScrollBar* VerticalBar() const { return vertical_; }
  QLineEdit* StatusLine() const { return statusLine_; }
  QLineEdit* HexNameBox() const { return hexName_; }
  QLabel* RoadStrip() const { return roadStrip_; }
  TilePickerWindow* TilePicker() const { return tilePicker_; }
  QPushButton* Button(const std::string& name) const;
  const std::optional<WindowLayout>& Layout() const { return layout_; }
  ControlWindow* Control() const { return control_; }
  HelpWindow* Help() const { return help_; }
  JumpMapWindow* JumpMap() const { return jumpMap_; }
  BitmapUtilityWindow* BitmapUtility() const { return bitmapUtility_; }

  // Keeps unsaved work from here on: the caption marks a map with unsaved
  // changes, a recovery copy is written every few minutes while there are
  // some and at exit. A copy left by an earlier session is offered first.
  void KeepUnsavedWork();

  // Where a scripted session clicks: each shown part's screen position, one
  // line each ("map-view X Y", "hex WIDTH HEIGHT COLUMN_STEP ROW_STEP",
  // "view LEFT TOP", "tile-sheet X Y", "tile-picker X Y WIDTH HEIGHT"; once
  // the control window shows, "control X Y WIDTH HEIGHT" and "owner-list X Y
  // ROW_HEIGHT"), told to `onPositions`.
  std::function<void(const std::string& lines)> onPositions;
  void ReportPositions();

  // The "Recent Maps" submenu of the File menu; choosing one opens it.
  void SetRecentMaps(const std::vector<std::string>& paths);
  // A map file was opened or saved under a name: the recent list follows.
  std::function<void(const std::string& path)> onMapNamed;

  // "Fit Neighbours" as the user left it last time (the menu's check follows).
  void SetFitNeighbours(bool on);

  // Lays out the controls and the view for the current inner size.
  void LayOut();
  void SetZoom(double zoom);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // The window sees keys before its controls, except while the hex name
  // box has the focus; it also takes presses on the road-side strip and the
  // road labels.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildControls();
  void RunCommand(const Command& command);
  void UpdateScrollBars();
  void ShowTilePicker();
  void ShowJumpMap();
  void ShowBitmapUtility();
  void MapToBitmap();
  void SetGridDimensions();
  void RefreshCaptions();
  void HandleKey(QKeyEvent* event);
  void MapPressed(double vx, double vy, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void MapMoved(double vx, double vy);
  void ChooseRoadKind(int kind);
  void ShowStripPicture(const char* file);
  std::string HexNameAt(int x, int y);
  void MapChanged(bool mapReplaced, bool nationSetChanged);
  void ShowControl();
  void ShowHelp();
  void UpdateCaption();
  void CheckUnsaved();

  GuiInteraction windowUi_;
  UserInteraction* ui_;
  SeededRandom random_;
  std::unique_ptr<MapEditor> session_;
  std::optional<WindowLayout> layout_;
  bool started_ = false;
  bool updatingBars_ = false;
  bool shownOnce_ = false;
  bool keepingWork_ = false;
  bool inputSeen_ = false;  // input since the last check for unsaved changes
  std::unique_ptr<QObject> inputWatcher_;
  QSize laidOutSize_;  // the inner size of the last layout

  QWidget* canvas_ = nullptr;
  MapViewWidget* mapView_ = nullptr;
  QScrollBar* horizontal_ = nullptr;
  QScrollBar* vertical_ = nullptr;
  QLineEdit* statusLine_ = nullptr;
  QLabel* progress_ = nullptr;
  QLabel* roadStrip_ = nullptr;
  QLabel* roadsLabel_ = nullptr;
  QLabel* railRoadsLabel_ = nullptr;
  QLineEdit* hexName_ = nullptr;
  std::map<std::string, QPushButton*> buttons_;
  std::map<std::string, QAction*> actions_;
  std::map<std::string, QMenu*> menus_;
  std::vector<std::pair<const Command*, QAction*>> commandActions_;
  QMenu* recentMaps_ = nullptr;
  void NoteMapNamed();
  QPointer<TilePickerWindow> tilePicker_;
  QPointer<ControlWindow> control_;
  QPointer<HelpWindow> help_;
  QPointer<TileCommandsWindow> tileCommands_;
  QPointer<JumpMapWindow> jumpMap_;
  QPointer<BitmapUtilityWindow> bitmapUtility_;
};

}  // namespace korv
