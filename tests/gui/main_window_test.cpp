// The main window and the tile picker as a designer meets them: captions,
// menus, layout, scrolling, zoom and picking tiles.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <map>

#include "demo_game.h"
#include "gui/grid_dimensions_dialog.h"
#include "gui/map_editor_window.h"
#include "editing/commands.h"
#include "gui/map_view_widget.h"
#include "platform/interaction.h"
#include "support/test_folder.h"
#include "view/hex_drawing.h"
#include "view/viewport.h"

namespace korv {

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  test::TempFolder folder_;
  RecordingInteraction ui_;

  std::unique_ptr<MapEditorWindow> StartWindow() {
    auto window = std::make_unique<MapEditorWindow>(folder_.Path(), 17, &ui_);
    if (!window->Start(false)) return nullptr;
    window->show();
    QTest::qWait(1);
    window->LayOut();
    return window;
  }
  std::string SamplePath() const { return (folder_ / "maps/sample.map").string(); }

 private slots:
  void initTestCase() {
    std::string error;
    QVERIFY2(demo::WriteDemoGame(folder_.Path(), error), error.c_str());
  }
  void init() { ui_.Clear(); }

  void captionNamesTheMap() {
    auto window = StartWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Main: editing newmap.map"));
    QVERIFY(window->OpenMap(SamplePath()));
    QCOMPARE(window->windowTitle(), QString("Main: editing sample.map"));
    QVERIFY(ui_.Messages().empty());
  }

  void menusAreTheCommandTable() {
    // Every entry of the command table, in its menu, in order, enabled when
    // it can run; triggering one runs the table's procedure.
    auto window = StartWindow();
    QVERIFY(window);
    std::map<std::string, std::vector<QAction*>> shown;
    for (QAction* menuAction : window->menuBar()->actions()) {
      if (!menuAction->menu()) continue;
      for (QAction* entry : menuAction->menu()->actions()) {
        if (!entry->isSeparator()) shown[menuAction->text().toStdString()].push_back(entry);
      }
    }
    std::map<std::string, size_t> next;
    for (const Command& command : CommandTable()) {
      const std::vector<QAction*>& entries = shown[command.menu];
      const size_t at = next[command.menu]++;
      QVERIFY2(at < entries.size(), command.id);
      QCOMPARE(entries[at]->text().toStdString(), std::string(command.caption));
      QCOMPARE(entries[at]->isEnabled(), command.Available());
      QCOMPARE(entries[at]->isCheckable(), command.checkable);
    }
    for (const auto& [menu, entries] : shown) QCOMPARE(next[menu], entries.size());
    window->Action("Random Tiles OFF")->trigger();
    QVERIFY(window->Session().editor.Settings.RandomTiles);
    QCOMPARE(window->Action("Random Tiles OFF")->text(), QString("Random Tiles ON"));
  }

  void toolStripCaptionsAndTips() {
    auto window = StartWindow();
    QVERIFY(window);
    QCOMPARE(window->Button("Block Fill")->toolTip(),
             QString("Fill a 10x10 block with selected tile."));
    QCOMPARE(window->Button("Map Tiles")->toolTip(), QString("Show Map Tile to select."));
    QCOMPARE(window->Button("clear hex sides")->toolTip(),
             QString("Clear Hexsides of roads or railroads."));
    QCOMPARE(window->Button("deployment hexes on/off")->toolTip(),
             QString("Set Brak/Loth style deployment hexes."));
    QCOMPARE(window->Button("auto-tile")->text(), QString("AutoTile Off"));
    QTest::mouseClick(window->Button("auto-tile"), Qt::LeftButton);
    QCOMPARE(window->Button("auto-tile")->text(), QString("Auto-Tile On"));
    QTest::mouseClick(window->Button("deployment hexes on/off"), Qt::LeftButton);
    QCOMPARE(window->Button("deployment hexes on/off")->text(), QString("Deployment Mode On"));
    QCOMPARE(window->Session().switches.EditMode, int16_t{1});
    QTest::mouseClick(window->Button("deployment hexes on/off"), Qt::LeftButton);
    QCOMPARE(window->Button("deployment hexes on/off")->text(), QString("Deployment Mode Off"));
  }

  void menuCaptionsToggle() {
    auto window = StartWindow();
    QVERIFY(window);
    QAction* outlines = window->Action("Hex Outlines OFF");
    outlines->trigger();
    QCOMPARE(outlines->text(), QString("Hex Outlines ON"));
    QVERIFY(outlines->isChecked());
    QVERIFY(window->Session().editor.Settings.HexOutlines);
    outlines->trigger();
    QCOMPARE(outlines->text(), QString("Hex Outlines OFF"));
    QVERIFY(!outlines->isChecked());

    QAction* random = window->Action("Random Tiles OFF");
    random->trigger();
    QCOMPARE(random->text(), QString("Random Tiles ON"));
    QVERIFY(random->isChecked());
    random->trigger();
    QCOMPARE(random->text(), QString("Random Tiles OFF"));

    QAction* grid = window->Action("Grid Lines");
    grid->trigger();
    QVERIFY(grid->isChecked());
    QVERIFY(window->Session().switches.GridLines);

    QAction* roadControl = window->Action("Show Road Control = TRUE");
    roadControl->trigger();
    QCOMPARE(roadControl->text(), QString("Show Road Control = False"));
    roadControl->trigger();
    QCOMPARE(roadControl->text(), QString("Show Road Control = True"));
  }

  void layoutFollowsTheRules() {
    auto window = StartWindow();
    QVERIFY(window);
    QVERIFY(window->Layout().has_value());
    const WindowLayout& layout = *window->Layout();
    const HexGeometry& g = window->Session().editor.Geometry;
    const QRect view = window->MapView()->geometry();
    QCOMPARE(view.x(), int(g.ColumnStep));
    QCOMPARE(view.y(), window->StatusLine()->height());
    // Whole columns plus the last slant, and the border.
    QCOMPARE((view.width() - 5 - g.HexSlant) % g.ColumnStep, 0);
    QCOMPARE((view.height() - 4) % g.RowStep, 0);
    const ViewState& state = window->Session().view;
    QCOMPARE(state.ViewColumns, view.width() / g.ColumnStep - 1);
    QCOMPARE(state.ViewRows, view.height() / g.RowStep - 1);
    QCOMPARE(window->HorizontalBar()->geometry().top(), view.bottom() + 1);
    QCOMPARE(window->VerticalBar()->geometry().left(), view.right() + 1);
    QCOMPARE(layout.ViewColumns, state.ViewColumns);
    // A bigger window gets a bigger buffer and more columns.
    const int before = state.ViewColumns;
    window->resize(window->width() + 200, window->height());
    QTest::qWait(1);
    window->LayOut();
    QVERIFY(state.ViewColumns > before);
    QCOMPARE(state.ViewBufferWidth,
             state.ViewColumns * g.ColumnStep + 2 * g.ColumnStep + g.HexPixelWidth);
  }

  void scrollBarsMoveTheView_data() {
    QTest::addColumn<int>("steps");
    QTest::newRow("none") << 0;
    QTest::newRow("one") << 1;
    QTest::newRow("several") << 4;
  }
  void scrollBarsMoveTheView() {
    QFETCH(int, steps);
    auto window = StartWindow();
    QVERIFY(window);
    QVERIFY(window->OpenMap(SamplePath()));
    MapEditor& session = window->Session();
    QScrollBar* bar = window->HorizontalBar();
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), std::max(session.view.ScrollMaxX, 1));
    bar->setValue(1 + steps);
    QCOMPARE(session.view.ViewLeft, 1 + steps);
    window->VerticalBar()->setValue(1 + steps);
    QCOMPARE(session.view.ViewTop, 1 + steps);
    // What the shifts left on screen is what a full redraw draws there.
    const QImage shown = session.view.ViewScreen.Image().copy();
    RedrawBuffers(session.editor, session.resources, session.switches, session.view);
    QCOMPARE(shown, session.view.ViewScreen.Image());
  }

  void zoomKeepsTheViewInMapPixels() {
    auto window = StartWindow();
    QVERIFY(window);
    const int columns = window->Session().view.ViewColumns;
    window->SetZoom(2.0);
    const int zoomed = window->Session().view.ViewColumns;
    QVERIFY2(zoomed < columns && zoomed >= columns / 2 - 1, qPrintable(QString::number(zoomed)));
    window->Action("Actual Size")->trigger();
    QCOMPARE(window->Session().view.ViewColumns, columns);
    window->Action("Zoom Out")->trigger();
    QVERIFY(window->Session().view.ViewColumns > columns);
    QCOMPARE(window->Session().zoom, 0.75);
  }

  void tilePickerChoosesTiles() {
    auto window = StartWindow();
    QVERIFY(window);
    TilePickerWindow* picker = window->TilePicker();
    QVERIFY(picker);
    picker->resize(1000, 600);
    QTest::qWait(1);
    QWidget* sheet = picker->Sheet()->viewport();
    QTest::mouseMove(sheet, QPoint(130, 60));
    const Editor& editor = window->Session().editor;
    const std::string name = editor.Tiles.TerrainName(editor.Tiles.TerrainOf(18));
    QCOMPARE(picker->windowTitle(), QString::fromStdString("Tiles F2  18(x12) " + name));

    QTest::mouseClick(window->Button("auto-tile"), Qt::LeftButton);
    window->Action("Random Tiles OFF")->trigger();
    window->Session().switches.RoadMode = 2;
    QTest::mouseClick(sheet, Qt::LeftButton, {}, QPoint(130, 60));
    QCOMPARE(editor.CurrentTile, int16_t{18});
    QCOMPARE(window->Button("auto-tile")->text(), QString("Auto-Tile Off"));
    QCOMPARE(window->Action("Random Tiles OFF")->text(), QString("Random Tiles OFF"));
    QVERIFY(!window->Action("Random Tiles OFF")->isChecked());
    QCOMPARE(window->Session().switches.RoadMode, int16_t{0});

    // Any button makes the tile current; only the left one leaves the tools.
    QTest::mouseClick(window->Button("auto-tile"), Qt::LeftButton);
    QTest::mouseClick(sheet, Qt::MiddleButton, {}, QPoint(10, 60));
    QCOMPARE(editor.CurrentTile, int16_t{16});
    QVERIFY(editor.Settings.AutoDraw);
    // A new layout starts the sheet at its first tile.
    picker->resize(400, 300);
    QTest::qWait(1);
    picker->Sheet()->verticalScrollBar()->setValue(100);
    picker->Sheet()->horizontalScrollBar()->setValue(120);
    picker->resize(420, 320);
    QTest::qWait(1);
    QCOMPARE(picker->Sheet()->verticalScrollBar()->value(), 0);
    QCOMPARE(picker->Sheet()->horizontalScrollBar()->value(), 0);

    QTest::keyClick(picker, Qt::Key_F2);
    QTest::keyClick(picker, Qt::Key_F2);
    QVERIFY(!picker->Routing().TerrainDialogActive);
    QTest::keyClick(picker, Qt::Key_F3);
    QVERIFY(picker->Routing().RoadDialogActive);
  }

  void keysReachTheWindowBeforeItsControls() {
    auto window = StartWindow();
    QVERIFY(window);
    QPushButton* autoTile = window->Button("auto-tile");
    // Focus on the map view, then on a scroll bar: A still toggles automatic choice.
    window->MapView()->setFocus();
    QTest::keyClick(window->MapView(), Qt::Key_A);
    QCOMPARE(autoTile->text(), QString("Auto-Tile On"));
    QTest::keyClick(window->HorizontalBar(), Qt::Key_A);
    QCOMPARE(autoTile->text(), QString("Auto-Tile Off"));
    const int before = window->HorizontalBar()->value();
    QTest::keyClick(window->VerticalBar(), Qt::Key_Right);
    QCOMPARE(window->HorizontalBar()->value(), before + 1);
    QCOMPARE(window->Session().view.ViewLeft, before + 1);
  }

  void theNameBoxKeepsItsKeys() {
    auto window = StartWindow();
    QVERIFY(window);
    QList<QLineEdit*> boxes = window->findChildren<QLineEdit*>();
    QLineEdit* names = nullptr;
    for (QLineEdit* box : boxes) {
      if (box != window->StatusLine()) names = box;
    }
    QVERIFY(names == window->HexNameBox());
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    names->setFocus();
    QTest::keyClicks(names, "Barn");
    QCOMPARE(names->text(), QString("Barn"));
    QVERIFY(!window->Session().editor.Settings.AutoDraw);  // the a of Barn did nothing else
    QCOMPARE(window->Button("auto-tile")->text(), QString("AutoTile Off"));
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

  void modifiedKeysSetTheModifierStateAndTheOutline() {
    auto window = StartWindow();
    QVERIFY(window);
    MapEditor& session = window->Session();
    QVERIFY(session.editor.JumpMap.Shown.IsNull());
    QTest::keyPress(window->MapView(), Qt::Key_H, Qt::ControlModifier);
    QCOMPARE(session.interaction.ModifierKeys, 2);
    QVERIFY(!session.editor.JumpMap.Shown.IsNull());
    QTest::keyRelease(window->MapView(), Qt::Key_H, Qt::NoModifier);
    QCOMPARE(session.interaction.ModifierKeys, 0);
  }

  void theRoadStripStartsWithTheRoadPicture() {
    auto window = StartWindow();
    QVERIFY(window);
    QImage roads;
    QVERIFY(roads.load(QString::fromStdString((folder_ / "bmp/roads.bmp").string())));
    const QImage shown = window->RoadStrip()->pixmap().toImage();
    QCOMPARE(shown.convertToFormat(QImage::Format_RGB32),
             roads.convertToFormat(QImage::Format_RGB32));
  }

  void aZoomedClickPaintsTheHexUnderThePointer() {
    auto window = StartWindow();
    QVERIFY(window);
    QVERIFY(window->OpenMap(SamplePath()));
    MapEditor& session = window->Session();
    session.editor.CurrentTile = 20;
    for (double zoom : {2.0, 0.5}) {
      window->SetZoom(zoom);
      const HexGeometry& g = session.editor.Geometry;
      // The middle of hex (3, 2) in map pixels of the view, then on the screen.
      const PixelPoint origin = HexToPixel(g, 3, 2);
      const QPointF inView(origin.left - g.ColumnStep + 20, origin.top - g.RowStep + 25);
      const QPoint at =
          (inView * zoom).toPoint() + QPoint(MapViewWidget::kFrame, MapViewWidget::kFrame);
      session.editor.Document.Tile(3, 2) = 4;
      QTest::mouseClick(window->MapView(), Qt::LeftButton, {}, at);
      QCOMPARE(session.interaction.CurrentHexX, int16_t{3});
      QCOMPARE(session.interaction.CurrentHexY, int16_t{2});
      QCOMPARE(session.editor.Document.Tile(3, 2), int16_t{20});
    }
  }

  void aClickPaintsAndTheNameBoxNamesTheHex() {
    auto window = StartWindow();
    QVERIFY(window);
    QVERIFY(window->OpenMap(SamplePath()));
    MapEditor& session = window->Session();
    session.editor.CurrentTile = 20;
    const HexGeometry& g = session.editor.Geometry;
    // The middle of hex (3, 2) with the view at column 1, row 1.
    const PixelPoint origin = HexToPixel(g, 3, 2);
    const QPoint at(origin.left - g.ColumnStep + 20 + MapViewWidget::kFrame,
                    origin.top - g.RowStep + 25 + MapViewWidget::kFrame);
    QTest::mouseClick(window->MapView(), Qt::LeftButton, {}, at);
    QCOMPARE(session.interaction.CurrentHexX, int16_t{3});
    QCOMPARE(session.interaction.CurrentHexY, int16_t{2});
    QCOMPARE(session.editor.Document.Tile(3, 2), int16_t{20});
    const QPointF moved = at + QPoint(3, 2);
    QMouseEvent move(QEvent::MouseMove, moved, window->MapView()->mapToGlobal(moved), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(window->MapView(), &move);
    const QString status = window->StatusLine()->text();
    QVERIFY2(status.startsWith("Hex: ( 3,  2) "), qPrintable(status));
    QVERIFY2(status.contains("Tile # ( 20)"), qPrintable(status));
  }

  void gridDimensionsRefuseZero() {
    EditorSettings settings;
    RecordingInteraction ui;
    GridDimensionsDialog dialog(settings, ui);
    QCOMPARE(dialog.WidthBox()->text(), QString("15"));
    dialog.WidthBox()->setText("0");
    dialog.Done();
    QCOMPARE(settings.GridWidth, int16_t{15});
    QCOMPARE(ui.Messages().size(), size_t{1});
    dialog.WidthBox()->setText("8");
    dialog.HeightBox()->setText("12.4");
    dialog.Done();
    QCOMPARE(settings.GridWidth, int16_t{8});
    QCOMPARE(settings.GridHeight, int16_t{12});
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void aMissingTileSheetEndsTheStartWithItsName() {
    test::TempFolder empty;
    RecordingInteraction ui;
    MapEditorWindow window(empty.Path(), 1, &ui);
    QVERIFY(!window.Start(false));
    QCOMPARE(ui.Messages().size(), size_t{1});
    QVERIFY(ui.Messages()[0].find("mapl.bmp") != std::string::npos);
  }

  void aRefusedMapKeepsTheOpenOne() {
    auto window = StartWindow();
    QVERIFY(window);
    QVERIFY(window->OpenMap(SamplePath()));
    folder_.WriteBytes("maps/broken.map",
                       {'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', 0x39, 2, 0xff, 0xff, 3, 0});
    QVERIFY(!window->OpenMap((folder_ / "maps/broken.map").string()));
    QCOMPARE(window->windowTitle(), QString("Main: editing sample.map"));
    QCOMPARE(window->Session().editor.Document.MapWidth, int16_t{40});
    QCOMPARE(ui_.Messages().size(), size_t{1});
    QVERIFY(ui_.Messages()[0].find("broken.map") != std::string::npos);
  }
};

}  // namespace korv

QTEST_MAIN(korv::MainWindowTest)
#include "main_window_test.moc"
