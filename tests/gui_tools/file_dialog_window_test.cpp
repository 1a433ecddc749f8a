// The file dialog "File Open" and the new-map dialog as a designer meets
// them: caption, controls, and a map loaded, saved and a nation set chosen
// through the window's own lists and buttons.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "demo_game.h"
#include "editor/map_io.h"
#include "gui/file_dialog_window.h"
#include "gui/new_map_dialog.h"
#include "platform/interaction.h"
#include "platform/random.h"
#include "support/test_folder.h"
#include "editing/map_editor.h"

namespace korv {

class FileDialogWindowTest : public QObject {
  Q_OBJECT

 private:
  test::TempFolder folder_;
  RecordingInteraction ui_;
  SeededRandom random_{5};
  std::unique_ptr<MapEditor> session_;
  std::unique_ptr<QWidget> mainWindow_;
  std::vector<FileDialogOutcome> changes_;

  FileDialogWindow* Show(int16_t mode) {
    return ShowFileDialog(
        mainWindow_.get(), *session_, mode,
        [this](const FileDialogOutcome& outcome) { changes_.push_back(outcome); });
  }
  static QListWidgetItem* Item(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
  }
  // Enters a folder the way a designer does: select it and press Enter.
  static bool EnterFolder(FileDialogWindow* window, const QString& name) {
    QListWidgetItem* item = Item(window->FolderList(), "[" + name + "]");
    if (!item) return false;
    window->FolderList()->setCurrentItem(item);
    QTest::keyClick(window->FolderList(), Qt::Key_Return);
    return true;
  }
  static bool ClickFile(FileDialogWindow* window, const QString& name) {
    QListWidgetItem* item = Item(window->FileList(), name);
    if (!item) return false;
    QListWidget* list = window->FileList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    return true;
  }
  std::string Path(const std::string& relative) const { return (folder_ / relative).string(); }

 private slots:
  void initTestCase() {
    std::string error;
    QVERIFY2(demo::WriteDemoGame(folder_.Path(), error), error.c_str());
  }
  void init() {
    changes_.clear();
    session_ = std::make_unique<MapEditor>(GameFolder(folder_.Path()), ui_, random_);
    std::string error;
    QVERIFY2(StartMapEditor(*session_, error), error.c_str());
    ui_.Clear();
    mainWindow_ = std::make_unique<QWidget>();
  }
  void cleanup() {
    mainWindow_.reset();
    session_.reset();
  }

  void captionAndControls() {
    FileDialogWindow* window = Show(kOpenMapMode);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCOMPARE(window->windowTitle(), QString("File Open"));
    QVERIFY(window->isVisible());
    QVERIFY(!window->isModal());
    QVERIFY(window->DriveList()->count() >= 1);
    QVERIFY(window->DriveList()->currentIndex() >= 0);
    QCOMPARE(window->FolderLabel()->text().toStdString(), folder_.Path().string());
    QVERIFY(Item(window->FolderList(), "[maps]"));
    QVERIFY(Item(window->FolderList(), "[default]"));
    QVERIFY(Item(window->FolderList(), "[..]"));
    QCOMPARE(window->FileList()->count(), 0);  // no map in the game folder itself
    bool labelled = false;
    for (QLabel* label : window->findChildren<QLabel*>()) {
      if (label->text() == "File Name" && label->buddy() == window->FileNameBox()) labelled = true;
    }
    QVERIFY(labelled);
    QCOMPARE(window->LoadButton()->text(), QString("Load"));
    QCOMPARE(window->SaveButton()->text(), QString("Save"));
    QCOMPARE(window->CancelButton()->text(), QString("Cancel"));
    QVERIFY(window->LoadButton()->isEnabled());
    QVERIFY(!window->SaveButton()->isEnabled());
    // The same window, and so the same remembered folder, comes back.
    QCOMPARE(Show(kSaveMapAsMode), window);
    QVERIFY(window->SaveButton()->isEnabled());
    QVERIFY(window->LoadButton()->isEnabled());
    QCOMPARE(window->FileNameBox()->text(), QString("newmap.map"));
    // The set import is served; the bitmap mode belongs to the bitmap utility.
    QVERIFY(Show(kImportSetMode));
    QCOMPARE(window->windowTitle(), QString("File Open"));
    QVERIFY(!Show(kChooseBitmapMode));
  }

  void loadThroughTheButtons() {
    FileDialogWindow* window = Show(kOpenMapMode);
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QVERIFY(EnterFolder(window, "maps"));
    QCOMPARE(window->FolderLabel()->text().toStdString(), Path("maps"));
    QVERIFY(ClickFile(window, "sample.map"));
    QCOMPARE(window->FileNameBox()->text(), QString("sample.map"));
    QTest::mouseClick(window->LoadButton(), Qt::LeftButton);

    const MapDocument& d = session_->editor.Document;
    QCOMPARE(d.MapWidth, int16_t{40});
    QCOMPARE(d.MapPath, Path("maps/sample.map"));
    QCOMPARE(MainWindowCaption(session_->editor), std::string("Main: editing sample.map"));
    QVERIFY(!window->isVisible());
    QCOMPARE(changes_.size(), size_t{1});
    QVERIFY(changes_[0].MapReplaced);
    QVERIFY(changes_[0].CaptionChanged);
    QCOMPARE(session_->view.ViewLeft, 1);
    // The sample has no names yet: empty files are made beside it.
    QCOMPARE(FileLength(folder_ / "maps/sample.ndx"), int64_t{4 * 41 * (d.MapHeight + 1)});
    QCOMPARE(FileLength(folder_ / "maps/sample.str"), int64_t{0});
    QVERIFY(ui_.Messages().empty());
  }

  // "Open Brak set file" then "Save Map File As": the scenario's texts go
  // beside the map at the first save only.
  void importASetAndSaveItWithItsScenario() {
    FileDialogWindow* window = Show(kImportSetMode);
    QVERIFY(window);
    QVERIFY(EnterFolder(window, "brak_files"));
    QVERIFY(ClickFile(window, "game001.set"));
    QTest::mouseClick(window->LoadButton(), Qt::LeftButton);
    const MapDocument& d = session_->editor.Document;
    QCOMPARE(d.MapWidth, int16_t{40});
    QCOMPARE(d.MapName, std::string());
    QVERIFY(!window->isVisible());

    window = Show(kSaveMapAsMode);
    QVERIFY(window);
    QCOMPARE(window->FolderLabel()->text().toStdString(), Path("brak_files"));  // remembered
    QVERIFY(EnterFolder(window, ".."));
    QVERIFY(EnterFolder(window, "maps"));
    window->FileNameBox()->setText("abc");
    QTest::mouseClick(window->SaveButton(), Qt::LeftButton);
    for (const char* file : {"maps/abc.map", "maps/abc.ctl", "maps/abc.bmp", "maps/abc.oob",
                             "maps/abc.scn", "maps/abc.str", "maps/abc.ndx"}) {
      QVERIFY2(FileExists(folder_ / file), file);
    }
    const std::string scenario = folder_.ReadText("maps/abc.scn");
    QVERIFY2(scenario.find("abc") != std::string::npos, scenario.c_str());

    // A second save of the same map writes no scenario text again.
    DeleteFile(folder_ / "maps/abc.scn");
    window = Show(kSaveMapAsMode);
    window->FileNameBox()->setText("abc");
    ui_.answers = {true};  // replace the map
    QTest::mouseClick(window->SaveButton(), Qt::LeftButton);
    QVERIFY(FileExists(folder_ / "maps/abc.map"));
    QVERIFY(!FileExists(folder_ / "maps/abc.scn"));
  }

  void aRefusedMapKeepsTheDialogOpen() {
    folder_.WriteBytes("maps/bad.map", {'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', 0x39, 2, 0xff});
    FileDialogWindow* window = Show(kOpenMapMode);
    QVERIFY(window);
    QVERIFY(EnterFolder(window, "maps"));
    window->FileNameBox()->clear();
    QTest::keyClicks(window->FileNameBox(), "bad");
    QTest::mouseClick(window->LoadButton(), Qt::LeftButton);
    QVERIFY(window->isVisible());
    QCOMPARE(ui_.Messages().size(), size_t{1});
    QVERIFY(ui_.Messages()[0].find("bad.map") != std::string::npos);
    QCOMPARE(session_->editor.Document.MapName, std::string("newmap.map"));
    QVERIFY(changes_.empty());
    QTest::mouseClick(window->CancelButton(), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QVERIFY(changes_.empty());
  }

  void saveAsThroughTheButtons() {
    QVERIFY(SetHexName(session_->editor, 5, 5, "Crossing"));
    FileDialogWindow* window = Show(kSaveMapAsMode);
    QVERIFY(window);
    QVERIFY(EnterFolder(window, "maps"));
    window->FileNameBox()->clear();
    QTest::keyClicks(window->FileNameBox(), "copy");
    QTest::mouseClick(window->SaveButton(), Qt::LeftButton);
    QVERIFY(!window->isVisible());
    QVERIFY(FileExists(folder_ / "maps/copy.map"));
    QCOMPARE(folder_.ReadText("maps/copy.str"), std::string("Crossing            "));
    QCOMPARE(session_->editor.Document.MapName, std::string("copy"));
    QCOMPARE(changes_.size(), size_t{1});
    QVERIFY(changes_[0].CaptionChanged);
    QVERIFY(!changes_[0].MapReplaced);
  }

  void nationSetThroughTheButtons() {
    MapDocument& d = session_->editor.Document;
    d.Owner(3, 3) = 2;
    ui_.answers = {true};
    FileDialogWindow* window = Show(kNationSetMode);
    QVERIFY(window);
    QVERIFY(EnterFolder(window, "default"));
    QVERIFY(EnterFolder(window, "nations"));
    QCOMPARE(window->FileList()->count(), 1);
    QVERIFY(ClickFile(window, "nations.txt"));
    QTest::mouseClick(window->LoadButton(), Qt::LeftButton);
    QCOMPARE(ui_.events.front().text, std::string("This will erase all control flags. Continue ?"));
    QCOMPARE(d.Owner(3, 3), uint8_t{0});
    QCOMPARE(d.NationSetName, std::string("default"));
    QCOMPARE(session_->editor.Nations.NationCount, int16_t{6});
    QCOMPARE(changes_.size(), size_t{1});
    QVERIFY(changes_[0].NationSetChanged);
    QVERIFY(!window->isVisible());
  }

  void newMapDialogRefusesSizesItCannotMake() {
    NewMapDialog dialog(*session_);
    QCOMPARE(dialog.WidthBox()->text(), QString("32"));
    QCOMPARE(dialog.HeightBox()->text(), QString("32"));
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>()) labels << label->text();
    QVERIFY(labels.contains("Map Width"));
    QVERIFY(labels.contains("Map Height"));
    QStringList buttons;
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) buttons << button->text();
    QCOMPARE(buttons, QStringList({"OK", "Cancel"}));

    const std::pair<const char*, const char*> refused[] = {
        {"0", "32"}, {"-1", "32"}, {"32", "70000"}, {"wide", "32"}};
    for (auto [width, height] : refused) {
      ui_.Clear();
      dialog.WidthBox()->setText(width);
      dialog.HeightBox()->setText(height);
      dialog.Ok();
      QCOMPARE(ui_.Messages().size(), size_t{1});
      QVERIFY(dialog.result() != QDialog::Accepted);
      QCOMPARE(session_->editor.Document.MapWidth, int16_t{32});
      QCOMPARE(session_->editor.Document.MapHeight, int16_t{30});
    }
    dialog.WidthBox()->setText("20");
    dialog.HeightBox()->setText("10");
    dialog.Ok();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(session_->editor.Document.MapWidth, int16_t{20});
    QCOMPARE(session_->editor.Document.MapHeight, int16_t{10});
    QCOMPARE(session_->editor.Document.MapPath, Path("newmap.map"));
  }
};

}  // namespace korv

QTEST_MAIN(korv::FileDialogWindowTest)
#include "file_dialog_window_test.moc"
