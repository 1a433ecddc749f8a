// The control window and the two help windows as a designer meets them:
// captions, the nation lists in alphabetical order, clicks on buttons,
// lists and labels, and the keys the control window takes before its
// controls.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/control_window.h"
#include "gui/help_windows.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"
#include "editing/control.h"
#include "editing/help_texts.h"
#include "editing/map_editor.h"

namespace korv {

namespace {

QStringList Entries(const QListWidget* list) {
  QStringList entries;
  for (int row = 0; row < list->count(); ++row) entries << list->item(row)->text();
  return entries;
}

void ClickRow(QListWidget* list, int row) {
  QListWidgetItem* item = list->item(row);
  QVERIFY(item);
  list->scrollToItem(item);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

QStringList LabelTexts(const QWidget* window) {
  QStringList texts;
  for (const QLabel* label : window->findChildren<QLabel*>()) texts << label->text();
  return texts;
}

}  // namespace

class ControlWindowsTest : public QObject {
  Q_OBJECT

 private:
  test::TempFolder folder_;
  RecordingInteraction ui_;
  SeededRandom random_;
  std::unique_ptr<MapEditor> session_;
  QPointer<ControlWindow> window_;
  int jumpMapShown_ = 0;
  int tilePickerShown_ = 0;
  int hexControlModeCalls_ = 0;

  // Reads the nation list of `set` into the session, as loading a map does.
  void LoadNations(const std::string& set) {
    std::string name = set;
    std::string error;
    QVERIFY2(LoadNationList(session_->editor.Nations, name, session_->editor.Folder, error),
             error.c_str());
  }
  ControlWindow* Show() {
    ControlWindow* window =
        ShowControlWindow(window_, *session_, nullptr, [this](ControlWindow& created) {
          created.onShowJumpMap = [this] { ++jumpMapShown_; };
          created.onShowTilePicker = [this] { ++tilePickerShown_; };
          created.onHexControlMode = [this] { ++hexControlModeCalls_; };
        });
    if (!QTest::qWaitForWindowExposed(window)) return nullptr;
    return window;
  }

 private slots:
  void initTestCase() {
    folder_.WriteText("default/nations/nations.txt",
                      "3\r\n\"Zeta\",4\r\n\"alpha\",1\r\n\"Beta\",7\r\n");
    folder_.WriteText("other/nations/nations.txt", "2\r\n\"Rome\",1\r\n\"Carthage\",2\r\n");
  }
  void init() {
    session_ = std::make_unique<MapEditor>(folder_.Game(), ui_, random_);
    LoadNations("default");
    jumpMapShown_ = tilePickerShown_ = hexControlModeCalls_ = 0;
  }
  void cleanup() {
    CloseControlWindow(window_);
    QVERIFY(!window_);
    session_.reset();
  }

  void captionControlsAndListsInAlphabeticalOrder() {
    ControlWindow* window = Show();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Control (F3)"));
    const QStringList labels = LabelTexts(window);
    for (const char* text :
         {"Objective Type", "Current Control", "Original Owner", "Area Mode", "Hex Mode"}) {
      QVERIFY2(labels.contains(text), text);
    }
    for (const char* caption : {"Primary", "Secondary", "Oil Resource", "Road/None"}) {
      QVERIFY2(window->ObjectiveButton(caption), caption);
    }
    const QStringList expected = {"-None-", "Beta", "Zeta", "alpha"};
    QCOMPARE(Entries(window->OwnerList()), expected);
    QCOMPARE(Entries(window->OriginalOwnerList()), expected);
    // Opening the window selects nothing and leaves the edit mode alone.
    QCOMPARE(session_->switches.EditMode, int16_t{0});
    QCOMPARE(window->OwnerList()->currentRow(), 0);  // nation 0 is selected
  }

  void objectiveButtons_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("mark");
    QTest::newRow("Primary") << "Primary" << 2;
    QTest::newRow("Secondary") << "Secondary" << 1;
    QTest::newRow("Oil Resource") << "Oil Resource" << 3;
    QTest::newRow("Road/None") << "Road/None" << 0;
  }
  void objectiveButtons() {
    QFETCH(QString, caption);
    QFETCH(int, mark);
    ControlWindow* window = Show();
    QVERIFY(window);
    session_->control.SelectedObjectiveMark = 7;
    QTest::mouseClick(window->ObjectiveButton(caption.toStdString()), Qt::LeftButton);
    QCOMPARE(int(session_->control.SelectedObjectiveMark), mark);
    QCOMPARE(session_->switches.EditMode, int16_t{2});
    QCOMPARE(hexControlModeCalls_, 1);
    QTest::mouseClick(window->ObjectiveButton(caption.toStdString()), Qt::LeftButton);
    QCOMPARE(hexControlModeCalls_, 1);  // already in hex control mode
  }

  void listClicks() {
    ControlWindow* window = Show();
    QVERIFY(window);
    QListWidget* owners = window->OwnerList();
    QListWidget* originals = window->OriginalOwnerList();
    ControlSelection& control = session_->control;
    control.SelectedObjectiveMark = 2;

    ClickRow(owners, 2);  // Zeta, nation 1
    QCOMPARE(int(control.SelectedNation), 1);
    QCOMPARE(originals->currentRow(), 2);
    QCOMPARE(int(control.SelectedOriginalOwner), 1);
    QCOMPARE(session_->switches.EditMode, int16_t{2});
    QCOMPARE(hexControlModeCalls_, 1);

    ClickRow(originals, 3);  // alpha, nation 2
    QCOMPARE(int(control.SelectedOriginalOwner), 2);
    QCOMPARE(int(control.SelectedNation), 1);
    // The same nation again keeps the different original owner.
    session_->switches.EditMode = 0;
    ClickRow(owners, 2);
    QCOMPARE(int(control.SelectedOriginalOwner), 2);
    QCOMPARE(originals->currentRow(), 3);
    QCOMPARE(session_->switches.EditMode, int16_t{2});

    ClickRow(owners, 1);  // Beta, nation 3
    QCOMPARE(int(control.SelectedNation), 3);
    QCOMPARE(int(control.SelectedOriginalOwner), 3);
    QCOMPARE(int(control.SelectedObjectiveMark), 2);

    ClickRow(owners, 0);  // -None- also resets the objective type
    QCOMPARE(int(control.SelectedNation), 0);
    QCOMPARE(int(control.SelectedOriginalOwner), 0);
    QCOMPARE(int(control.SelectedObjectiveMark), 0);

    // A choice with the arrow keys counts as a click.
    owners->setFocus();
    QTest::keyClick(owners, Qt::Key_Down);
    QCOMPARE(int(control.SelectedNation), 3);
    QCOMPARE(int(control.SelectedOriginalOwner), 3);
  }

  void modeLabelsToggleBold() {
    ControlWindow* window = Show();
    QVERIFY(window);
    QVERIFY(window->HexModeLabel()->font().bold());
    QVERIFY(!window->AreaModeLabel()->font().bold());
    QTest::mouseClick(window->AreaModeLabel(), Qt::LeftButton);
    QVERIFY(window->AreaModeLabel()->font().bold());
    QVERIFY(!window->HexModeLabel()->font().bold());
    QTest::mouseClick(window->HexModeLabel(), Qt::LeftButton);
    QVERIFY(window->HexModeLabel()->font().bold());
    QVERIFY(!window->AreaModeLabel()->font().bold());
    QCOMPARE(session_->switches.EditMode, int16_t{0});  // nothing else depends on it
  }

  void keysComeBeforeTheControls() {
    ControlWindow* window = Show();
    QVERIFY(window);
    QListWidget* owners = window->OwnerList();
    owners->setFocus();
    QTest::keyClick(owners, Qt::Key_F1);
    QCOMPARE(jumpMapShown_, 1);
    QTest::keyClick(window->ObjectiveButton("Primary"), Qt::Key_F2);
    QCOMPARE(tilePickerShown_, 1);
    window->hide();
    QTest::keyClick(window, Qt::Key_F3);
    QVERIFY(window->isVisible());
    // Other keys do nothing of the window's own ...
    QTest::keyClick(owners, Qt::Key_F4);
    QTest::keyClick(owners, Qt::Key_F5);
    QCOMPARE(jumpMapShown_, 1);
    QCOMPARE(tilePickerShown_, 1);
    QCOMPARE(session_->switches.EditMode, int16_t{0});
    QCOMPARE(int(session_->control.SelectedNation), 0);
    // ... and reach the controls: typing a letter in a list finds the nation.
    QTest::keyClick(owners, Qt::Key_A);
    QCOMPARE(owners->currentRow(), 3);
    QCOMPARE(int(session_->control.SelectedNation), 2);
    QCOMPARE(jumpMapShown_, 1);
  }

  void aNewNationSetRebuildsTheLists() {
    ControlWindow* window = Show();
    QVERIFY(window);
    ClickRow(window->OwnerList(), 3);  // alpha, nation 2
    QCOMPARE(int(session_->control.SelectedNation), 2);

    CloseControlWindow(window_);
    QVERIFY(!window_);
    LoadNations("other");
    window = Show();
    QVERIFY(window);
    QCOMPARE(Entries(window->OwnerList()), QStringList({"-None-", "Carthage", "Rome"}));
    // The selection keeps its values and the lists show them.
    QCOMPARE(int(session_->control.SelectedNation), 2);
    QCOMPARE(window->OwnerList()->currentRow(), 1);
    QCOMPARE(window->OriginalOwnerList()->currentRow(), 1);
    // Showing again does not build another window.
    QCOMPARE(Show(), window);
  }

  void keyboardHelpWindow() {
    QPointer<HelpWindow> help;
    HelpWindow* window = ShowHelpWindow(help, 569, nullptr);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Korv Map editor Help"));
    const QStringList lines = window->TextLabel()->text().split('\n');
    QCOMPARE(lines.size(), 14);
    QCOMPARE(lines.first(), QString("Korv Map Editor version 569"));
    QCOMPARE(lines[5], QString("F4 Select current Map Tile to hightlight in BlUE. ON/OFF"));
    QCOMPARE(lines.last(), QString("Right Mouse Button (Tile screen) - Set Tile Info."));
    QCOMPARE(ShowHelpWindow(help, 569, nullptr), window);
    delete window;
  }

  void tileCommandsWindow() {
    QPointer<TileCommandsWindow> commands;
    TileCommandsWindow* window = ShowTileCommandsWindow(commands, folder_.Game(), nullptr);
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QString("Tile Screen Commands"));
    QCOMPARE(window->Label(0)->text(), QString("F1 - Display this screen"));
    QCOMPARE(window->Label(8)->text(), QString("For more info see \\korv_info\\patterns."));
    QVERIFY(!window->Label(9));
    delete window;

    test::TempFolder other;
    other.WriteText("korv_info/s2_help.txt", "\"Eins\",\"Zwei\"\r\n");
    TileCommandsWindow own(other.Game());
    QCOMPARE(own.Label(0)->text(), QString("Eins"));
    QCOMPARE(own.Label(1)->text(), QString("Zwei"));
    QCOMPARE(own.Label(2)->text(), QString("F3 - Set Tile Road Connections"));
  }
};

}  // namespace korv

QTEST_MAIN(korv::ControlWindowsTest)
#include "control_windows_test.moc"
