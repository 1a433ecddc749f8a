// The windows driven offscreen on one demo folder, for what the session's
// own tests cannot see: events reaching the right handler, the keys a window
// takes before its controls, the focus of the hex name box, zoom, and the
// wiring of the tile picker, the control window and the file dialogs.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <map>
#include <memory>

#include "demo_game.h"
#include "editing/commands.h"
#include "editor/recovery.h"
#include "gui/control_window.h"
#include "gui/file_dialog_window.h"
#include "gui/grid_dimensions_dialog.h"
#include "gui/jump_map_window.h"
#include "gui/map_editor_window.h"
#include "gui/map_view_widget.h"
#include "gui/tile_dialogs.h"
#include "platform/interaction.h"
#include "scenario/nations.h"
#include "support/test_folder.h"
#include "view/viewport.h"

namespace korv {

class WindowsTest : public QObject {
  Q_OBJECT

 private:
  test::TempFolder folder_;
  RecordingInteraction ui_;
  std::vector<FileDialogOutcome> changes_;
  std::unique_ptr<MapEditorWindow> window;

  std::string Path(const std::string& relative) const { return (folder_ / relative).string(); }
  std::unique_ptr<MapEditorWindow> StartWindow() {
    auto started = std::make_unique<MapEditorWindow>(folder_.Path(), 17, &ui_);
    if (!started->Start(false)) return nullptr;
    started->show();
    QTest::qWait(1);
    started->LayOut();
    return started;
  }
  // The point of the map view over the middle of hex (x, y), the view at
  // column 1, row 1 and shown at `zoom`.
  static QPoint HexCentre(const HexGeometry& g, int x, int y, double zoom) {
    const PixelPoint origin = HexToPixel(g, x, y);
    const QPointF inView(origin.left - g.ColumnStep + 20, origin.top - g.RowStep + 25);
    return (inView * zoom).toPoint() + QPoint(MapViewWidget::kFrame, MapViewWidget::kFrame);
  }
  static void ClickItem(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->scrollToItem(found.front());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.front()).center());
  }
  // Enters a folder of the file dialog as a designer does: select it, press Enter.
  static void EnterFolder(FileDialogWindow* window, const QString& name) {
    const auto found = window->FolderList()->findItems("[" + name + "]", Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(name));
    window->FolderList()->setCurrentItem(found.front());
    QTest::keyClick(window->FolderList(), Qt::Key_Return);
  }
  FileDialogWindow* ShowDialog(QWidget* parent, MapEditor& session, int16_t mode) {
    return ShowFileDialog(parent, session, mode, [this](const FileDialogOutcome& outcome) {
      changes_.push_back(outcome);
    });
  }

 private slots:
  void initTestCase() {
    std::string error;
    QVERIFY2(demo::WriteDemoGame(folder_.Path(), error), error.c_str());
    folder_.WriteText("other/nations/nations.txt",
                      "3\r\n\"Zeta\",4\r\n\"alpha\",1\r\n\"Beta\",7\r\n");
  }
  // Every test starts with a main window on the demo folder.
  void init() {
    ui_.Clear();
    ui_.answers.clear();
    changes_.clear();
    window = StartWindow();
    QVERIFY(window);
  }
  void cleanup() { window.reset(); }

  void theControlsFollowTheWindowsSize() {
    const HexGeometry& g = window->Session().editor.Geometry;
    const ViewState& view = window->Session().view;
    const QRect frame = window->MapView()->geometry();
    QCOMPARE(frame.x(), int(g.ColumnStep));
    QCOMPARE(frame.y(), window->StatusLine()->height());
    QCOMPARE(window->HorizontalBar()->geometry().top(), frame.bottom() + 1);
    QCOMPARE(window->VerticalBar()->geometry().left(), frame.right() + 1);
    QCOMPARE(view.ViewScreen.Width(), frame.width() - 2 * MapViewWidget::kFrame);
    // The road-side strip starts with the road picture; a new size shows the
    // side picker's picture.
    const auto strip = [&] {
      return window->RoadStrip()->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const auto bitmap = [&](const char* file) {
      return QImage(QString::fromStdString(Path(file))).convertToFormat(QImage::Format_RGB32);
    };
    QCOMPARE(strip(), bitmap("bmp/roads.bmp"));
    const int columns = view.ViewColumns;
    window->resize(window->width() + 200, window->height());
    QTest::qWait(1);
    window->LayOut();
    QVERIFY(view.ViewColumns > columns);
    QCOMPARE(strip(), bitmap("bmp/roadsp.bmp"));
    QCOMPARE(view.ViewScreen.Width(), window->MapView()->width() - 2 * MapViewWidget::kFrame);
  }

  void zoomAndAClickPaintsTheHexUnderThePointer() {
    QVERIFY(window->OpenMap(Path("maps/sample.map")));
    MapEditor& session = window->Session();
    session.editor.CurrentTile = 20;
    const int columns = session.view.ViewColumns;
    for (double zoom : {2.0, 0.5, 1.0}) {
      window->SetZoom(zoom);
      // Zoomed in the view shows fewer hexes, zoomed out more.
      QCOMPARE(session.view.ViewColumns<columns, zoom> 1.0);
      QCOMPARE(session.view.ViewColumns > columns, zoom < 1.0);
      const QPoint at = HexCentre(session.editor.Geometry, 3, 2, zoom);
      session.editor.Document.Tile(3, 2) = 4;
      QTest::mouseClick(window->MapView(), Qt::LeftButton, {}, at);
      QCOMPARE(session.interaction.CurrentHexX, int16_t{3});
      QCOMPARE(session.interaction.CurrentHexY, int16_t{2});
      QCOMPARE(session.editor.Document.Tile(3, 2), int16_t{20});
      // Moving over the hex names it in the status line.
      const QPointF moved = at + QPoint(2, 1);
      QMouseEvent move(QEvent::MouseMove, moved, window->MapView()->mapToGlobal(moved),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(window->MapView(), &move);
      const QString status = window->StatusLine()->text();
      QVERIFY2(status.startsWith("Hex: ( 3,  2) "), qPrintable(status));
    }
  }

  void keysReachTheWindowBeforeItsControls() {
    const Editor& editor = window->Session().editor;
    window->MapView()->setFocus();
    QTest::keyClick(window->MapView(), Qt::Key_A);
    QVERIFY(editor.Settings.AutoDraw);
    QTest::keyClick(window->HorizontalBar(), Qt::Key_A);
    QVERIFY(!editor.Settings.AutoDraw);
    const int before = window->HorizontalBar()->value();
    QTest::keyClick(window->VerticalBar(), Qt::Key_Right);
    QCOMPARE(window->HorizontalBar()->value(), before + 1);
    QCOMPARE(window->Session().view.ViewLeft, before + 1);
    // Qt's modifiers reach the session as its modifier state, and the key still runs.
    const MapEditor& session = window->Session();
    QTest::keyPress(window->MapView(), Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(session.interaction.ModifierKeys, 3);
    QVERIFY(editor.Settings.AutoDraw);
    QTest::keyRelease(window->MapView(), Qt::Key_A, Qt::NoModifier);
    QCOMPARE(session.interaction.ModifierKeys, 0);
  }

  void theHexNameBoxKeepsItsKeys() {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QLineEdit* names = window->HexNameBox();
    names->setFocus();
    QTest::keyClicks(names, "Barn");
    QCOMPARE(names->text(), QString("Barn"));
    QVERIFY(!window->Session().editor.Settings.AutoDraw);  // the a of Barn did nothing else
    // Keys the box does not use go nowhere either: no undo copy, no scrolling.
    std::filesystem::remove(folder_ / "autosave.map");
    const int top = window->VerticalBar()->value();
    for (Qt::Key key : {Qt::Key_F5, Qt::Key_F7, Qt::Key_Down}) QTest::keyClick(names, key);
    QVERIFY(!std::filesystem::exists(folder_ / "autosave.map"));
    QCOMPARE(window->VerticalBar()->value(), top);
    window->MapView()->setFocus();
    QTest::keyClick(window->MapView(), Qt::Key_F5);
    QVERIFY(std::filesystem::exists(folder_ / "autosave.map"));
  }

  void menusAreTheCommandTable() {
    // Every entry of the command table, in its menu, in order, enabled when
    // it can run; triggering one runs the table's procedure.
    std::map<std::string, std::vector<QAction*>> shown;
    for (QAction* menuAction : window->menuBar()->actions()) {
      if (!menuAction->menu()) continue;
      for (QAction* entry : menuAction->menu()->actions()) {
        // Submenus (the recent maps) are the window's own.
        if (!entry->isSeparator() && !entry->menu()) {
          shown[menuAction->text().toStdString()].push_back(entry);
        }
      }
    }
    std::map<std::string, size_t> next;
    for (const Command& command : CommandTable()) {
      const std::vector<QAction*>& entries = shown[command.menu];
      const size_t at = next[command.menu]++;
      QVERIFY2(at < entries.size(), command.id);
      QCOMPARE(entries[at]->text().toStdString(), std::string(command.caption));
      QCOMPARE(entries[at]->isEnabled(),
               command.Available() && CommandState(command, window->Session()).Enabled);
      QCOMPARE(entries[at]->isCheckable(), command.checkable);
    }
    for (const auto& [menu, entries] : shown) QCOMPARE(next[menu], entries.size());
    window->Action("Random Tiles OFF")->trigger();
    QVERIFY(window->Session().editor.Settings.RandomTiles);
    QCOMPARE(window->Action("Random Tiles OFF")->text(), QString("Random Tiles ON"));
    // A command that turns automatic choice on shows it on the button.
    window->Action("auto redraw Forests")->trigger();
    QCOMPARE(window->Button("auto-tile")->text().toStdString(), AutoTileButtonCaption(true));
    // A block fill changes the map: Edit > Undo names it, Ctrl+Z takes it
    // back and Ctrl+Y makes it again.
    QAction* undo = window->Action("Undo Change");
    window->Session().editor.CurrentTile = 3;
    QTest::mouseClick(window->Button("Block Fill"), Qt::LeftButton);
    QVERIFY(undo->isEnabled());
    QCOMPARE(undo->text(), QString("Undo Block Fill"));
    const std::vector<int16_t> changed = window->Session().editor.Document.HexTile;
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!undo->isEnabled());
    QVERIFY(window->Action("Redo Change")->isEnabled());
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(window->Session().editor.Document.HexTile, changed);
    // A recent map opens from its submenu, and names itself to the list.
    std::vector<std::string> named;
    window->onMapNamed = [&named](const std::string& path) { named.push_back(path); };
    window->SetRecentMaps({Path("maps/sample.map")});
    QMenu* recent = nullptr;
    for (QAction* entry : window->Menu("&File")->actions()) {
      if (entry->menu()) recent = entry->menu();
    }
    QVERIFY(recent);
    QCOMPARE(recent->actions().size(), 1);
    recent->actions()[0]->trigger();
    QCOMPARE(window->Session().editor.Document.MapWidth, int16_t{40});
    QCOMPARE(named, std::vector<std::string>{Path("maps/sample.map")});
  }

  void tileSheetPressesChooseTilesForTheWindowOrTheRoutedDialog() {
    TilePickerWindow* picker = window->TilePicker();
    QVERIFY(picker);
    picker->resize(1000, 600);
    QTest::qWait(1);
    QWidget* sheet = picker->Sheet()->viewport();
    Editor& editor = window->Session().editor;
    QTest::mouseMove(sheet, QPoint(130, 60));
    QCOMPARE(picker->windowTitle().toStdString(), TilePickerCaption(18, editor.Tiles));
    // The left button leaves automatic choice, and the button shows it.
    QTest::mouseClick(window->Button("auto-tile"), Qt::LeftButton);
    QVERIFY(editor.Settings.AutoDraw);
    QTest::mouseClick(sheet, Qt::LeftButton, {}, QPoint(130, 60));
    QCOMPARE(editor.CurrentTile, int16_t{18});
    QVERIFY(!editor.Settings.AutoDraw);
    QCOMPARE(window->Button("auto-tile")->text().toStdString(), AutoTileButtonCaption(false));
    // With the road dialog open a tile clicked goes to it; B and N browse.
    editor.CurrentTile = 5;
    QTest::keyClick(picker, Qt::Key_F3);
    auto* roads = static_cast<RoadConnectionsDialog*>(picker->Dialog(PickerKey::kF3));
    QVERIFY(roads && roads->isVisible());
    QVERIFY(picker->Routing().RoadDialogActive);
    QTest::mouseClick(sheet, Qt::LeftButton, {}, QPoint(130, 60));
    QCOMPARE(editor.CurrentTile, int16_t{18});
    QTest::keyClick(roads, Qt::Key_N);
    QCOMPARE(editor.CurrentTile, int16_t{19});
    QTest::mouseClick(roads->BackButton(), Qt::LeftButton);
    QCOMPARE(editor.CurrentTile, int16_t{18});
    // Closing the dialog ends the routing.
    roads->close();
    QVERIFY(!picker->Routing().RoadDialogActive);
    // The "Options" entries open the others.
    const QList<QAction*> options = picker->Options()->actions();
    QCOMPARE(options.size(), 3);
    for (QAction* entry : options) QVERIFY(entry->isEnabled());
    options[0]->trigger();
    auto* terrain = static_cast<TileTerrainTypeDialog*>(picker->Dialog(PickerKey::kF2));
    QVERIFY(terrain && terrain->isVisible());
    QCOMPARE(terrain->TerrainList()->currentRow(), editor.Tiles.TerrainOf(18));
    // Its keys reach it while its list has the focus, as a designer's do.
    terrain->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(terrain));
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus && terrain->isAncestorOf(focus));
    QTest::keyClick(focus, Qt::Key_N);
    QCOMPARE(editor.CurrentTile, int16_t{19});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B);
    QCOMPARE(editor.CurrentTile, int16_t{18});
    const int terrainBefore = editor.Tiles.TerrainOf(18);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);  // the list's own key
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S);
    QCOMPARE(int{editor.Tiles.TerrainOf(18)}, terrainBefore + 1);
    // A new layout starts the sheet at its first tile.
    picker->resize(400, 300);
    QTest::qWait(1);
    picker->Sheet()->verticalScrollBar()->setValue(100);
    picker->Sheet()->horizontalScrollBar()->setValue(120);
    picker->resize(420, 320);
    QTest::qWait(1);
    QCOMPARE(picker->Sheet()->verticalScrollBar()->value(), 0);
    QCOMPARE(picker->Sheet()->horizontalScrollBar()->value(), 0);
  }

  void theJumpMapCentresTheViewAndFollowsIt() {
    QVERIFY(window->OpenMap(Path("maps/sample.map")));
    MapEditor& session = window->Session();
    QTest::keyClick(window->MapView(), Qt::Key_F1);
    JumpMapWindow* jump = window->JumpMap();
    QVERIFY(jump && jump->isVisible());
    QVERIFY(session.editor.JumpMap.JumpShown);
    // A click centres the main view there; the scroll bars follow. Small
    // maps are shown magnified: hex (30, 20) is a square of Scale() pixels.
    const int scale = jump->View()->Scale();
    QVERIFY(scale > 1);
    QTest::mouseClick(jump->View()->viewport(), Qt::LeftButton, {},
                      QPoint(30 * scale + scale / 2, 20 * scale + scale / 2));
    const ViewCorner expected =
        JumpMapClick(30, 20, session.view.ViewColumns, session.view.ViewRows,
                     std::max(session.view.ScrollMaxX, 1), std::max(session.view.ScrollMaxY, 1));
    QCOMPARE(session.view.ViewLeft, expected.left);
    QCOMPARE(window->HorizontalBar()->value(), expected.left);
    // Activated, a window too small for the picture brings the outline into
    // sight: its bars count magnified pixels.
    jump->resize(180, 140);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    jump->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(jump));
    const QSize shown = jump->View()->viewport()->size();
    const QScrollBar* across = jump->View()->horizontalScrollBar();
    const QScrollBar* down = jump->View()->verticalScrollBar();
    const int right = (session.view.ViewLeft + session.view.ViewColumns) * scale;
    const int bottom = (session.view.ViewTop + session.view.ViewRows) * scale;
    QVERIFY(across->maximum() > 0 && down->maximum() > 0);
    QTRY_VERIFY(right >= across->value() && right <= across->value() + shown.width());
    QVERIFY(bottom >= down->value() && bottom <= down->value() + shown.height());
    // A scroll step of the main window moves its view, and the outline follows.
    const int top = session.view.ViewTop;
    QTest::keyClick(window->MapView(), Qt::Key_Down);
    QCOMPARE(session.view.ViewTop, top + 1);
    QCOMPARE(session.editor.JumpMap.Outline->y, session.view.ViewTop);
    window->Action("Hide")->trigger();
    QVERIFY(!jump->isVisible());
    QVERIFY(!session.editor.JumpMap.JumpShown);
  }

  void theBitmapUtilityMakesAMapOfAPicture() {
    Picture picture(6, 4);
    picture.Fill(0x808080);
    picture.SetPixel(2, 1, 0x0000f0);
    QVERIFY(picture.SaveBmp(folder_ / "pic.bmp"));
    window->Action("Bitmap Utilities")->trigger();
    BitmapUtilityWindow* utility = window->BitmapUtility();
    QVERIFY(utility && utility->isVisible());
    QVERIFY(utility->LoadBitmap(Path("pic.bmp")));
    // Its menu converts the picture into a map of its size (presses: the
    // core tests).
    for (QAction* action : utility->menuBar()->actions()) {
      if (action->text() != "Utilities") continue;
      action->menu()->actions()[0]->trigger();
    }
    MapEditor& session = window->Session();
    QCOMPARE(session.editor.Document.MapWidth, int16_t{6});
    QCOMPARE(session.editor.Document.MapHeight, int16_t{4});
  }

  void gridDimensionsRefuseZero() {
    EditorSettings settings;
    RecordingInteraction ui;
    GridDimensionsDialog dialog(settings, ui);
    dialog.WidthBox()->setText("0");
    dialog.Done();
    QCOMPARE(settings.GridWidth, int16_t{15});
    QCOMPARE(ui.Messages().size(), size_t{1});
    dialog.WidthBox()->setText("1");
    dialog.HeightBox()->setText("1.4");
    dialog.Done();
    QCOMPARE(settings.GridWidth, int16_t{1});
    QCOMPARE(settings.GridHeight, int16_t{1});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  // The lists show the nations sorted by name: -None-, Beta (3), Zeta (1), alpha (2).
  void controlWindowButtonsListsAndKeys() {
    MapEditor& session = window->Session();
    std::string set = "other", error;
    QVERIFY2(LoadNationList(session.editor.Nations, set, session.editor.Folder, error),
             error.c_str());
    QPointer<ControlWindow> control;
    int jumpMap = 0, tilePicker = 0, hexControlMode = 0;
    ShowControlWindow(control, session, nullptr, [&](ControlWindow& created) {
      created.onShowJumpMap = [&] { ++jumpMap; };
      created.onShowTilePicker = [&] { ++tilePicker; };
      created.onHexControlMode = [&] { ++hexControlMode; };
    });
    QVERIFY(QTest::qWaitForWindowExposed(control));
    ControlSelection& selected = session.control;
    QTest::mouseClick(control->ObjectiveButton("Oil Resource"), Qt::LeftButton);
    QCOMPARE(int(selected.SelectedObjectiveMark), int(kOilResource));
    QCOMPARE(session.switches.EditMode, int16_t{2});
    QCOMPARE(hexControlMode, 1);
    ClickItem(control->OwnerList(), "Zeta");
    QCOMPARE(int(selected.SelectedNation), 1);
    QCOMPARE(control->OriginalOwnerList()->currentRow(), 2);  // moved along
    QCOMPARE(int(selected.SelectedOriginalOwner), 1);
    // A choice with the arrow keys counts as a click.
    control->OwnerList()->setFocus();
    QTest::keyClick(control->OwnerList(), Qt::Key_Down);
    QCOMPARE(int(selected.SelectedNation), 2);
    // F1 and F2 belong to the window whatever has the focus; other keys reach the controls.
    QTest::keyClick(control->OwnerList(), Qt::Key_F1);
    QTest::keyClick(control->ObjectiveButton("Primary"), Qt::Key_F2);
    QCOMPARE(jumpMap, 1);
    QCOMPARE(tilePicker, 1);
    QTest::keyClick(control->OwnerList(), Qt::Key_B);
    QCOMPARE(control->OwnerList()->currentRow(), 1);
    QCOMPARE(int(selected.SelectedNation), 3);
    control->hide();
    QTest::keyClick(control, Qt::Key_F3);
    QVERIFY(control->isVisible());
    // Showing it again brings back the same window.
    QCOMPARE(ShowControlWindow(control, session, nullptr), control.data());
    CloseControlWindow(control);
  }

  void fileDialogLoadsAMapThroughItsListsAndStaysOpenOnARefusedOne() {
    MapEditor& session = window->Session();
    folder_.WriteBytes("maps/bad.map", {'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', 0x39, 2, 0xff});
    QWidget main;
    FileDialogWindow* dialog = ShowDialog(&main, session, kOpenMapMode);
    QVERIFY(dialog);
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QVERIFY(!dialog->SaveButton()->isEnabled());
    EnterFolder(dialog, "maps");
    QCOMPARE(dialog->FolderLabel()->text().toStdString(), Path("maps"));
    dialog->FileNameBox()->clear();
    QTest::keyClicks(dialog->FileNameBox(), "bad");
    QTest::mouseClick(dialog->LoadButton(), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(ui_.Messages().size(), size_t{1});
    QVERIFY(changes_.empty());
    ClickItem(dialog->FileList(), "sample.map");
    QCOMPARE(dialog->FileNameBox()->text(), QString("sample.map"));
    QTest::mouseClick(dialog->LoadButton(), Qt::LeftButton);
    QCOMPARE(session.editor.Document.MapPath, Path("maps/sample.map"));
    QVERIFY(!dialog->isVisible());
    QCOMPARE(changes_.size(), size_t{1});
    QVERIFY(changes_[0].MapReplaced);
    // The same dialog, and so the same folder, comes back; Save works in the save mode.
    QCOMPARE(ShowDialog(&main, session, kSaveMapAsMode), dialog);
    QCOMPARE(dialog->FolderLabel()->text().toStdString(), Path("maps"));
    QVERIFY(dialog->SaveButton()->isEnabled());
    QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
  }

  void unsavedWorkIsMarkedKeptAtExitAndOfferedAtTheNextStart() {
    const GameFolder game(folder_.Path());
    window->KeepUnsavedWork();
    QVERIFY(!window->isWindowModified());
    // A paint with another tile marks the caption once the check has run.
    MapEditor& session = window->Session();
    session.editor.CurrentTile = static_cast<int16_t>(session.editor.Document.Tile(3, 3) ^ 1);
    session.editor.Settings.RandomTiles = false;
    QTest::mouseClick(window->MapView(), Qt::LeftButton, {},
                      HexCentre(session.editor.Geometry, 3, 3, session.zoom));
    QTRY_VERIFY_WITH_TIMEOUT(window->isWindowModified(), 3000);
    QVERIFY(!FindRecoveryCopy(game));
    window->close();
    window.reset();
    auto recovery = FindRecoveryCopy(game);
    QVERIFY(recovery);
    // The next start restores it on "Yes" and drops the copy.
    ui_.answers = {true};
    window = StartWindow();
    const int16_t defaultTile = window->Session().editor.Document.Tile(3, 3);
    window->KeepUnsavedWork();
    QCOMPARE(
        std::count_if(ui_.events.begin(), ui_.events.end(),
                      [](const auto& e) { return e.kind == RecordingInteraction::Event::kYesNo; }),
        1);
    QCOMPARE(window->Session().editor.Document.Tile(3, 3), static_cast<int16_t>(defaultTile ^ 1));
    QVERIFY(window->isWindowModified());
    QVERIFY(!FindRecoveryCopy(game));
    // Once the map is saved, the next check after input drops the copy kept
    // before, so a crash cannot offer older work; closing keeps none.
    Editor& editor = window->Session().editor;
    QVERIFY(WriteRecoveryCopy(editor));
    NoteMapSaved(editor);
    QTest::mouseClick(window->MapView(), Qt::RightButton, {},
                      HexCentre(editor.Geometry, 5, 5, window->Session().zoom));
    QTRY_VERIFY_WITH_TIMEOUT(!FindRecoveryCopy(game), 3000);
    QVERIFY(!window->isWindowModified());
    window->close();
    QVERIFY(!FindRecoveryCopy(game));
  }
};
}  // namespace korv

QTEST_MAIN(korv::WindowsTest)
#include "windows_test.moc"
