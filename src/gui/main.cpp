// Entry point of korvedit, the desktop editor:
//   korvedit [--folder DIR] [MAP] [--screenshot FILE.png] [--seed N]
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QScrollArea>
#include <QStatusBar>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <memory>

#include "document/map_files.h"
#include "document/startup.h"
#include "gui/gui_interaction.h"
#include "gui/map_preview.h"
#include "platform/random.h"

namespace {

struct Options {
  std::string folder = ".";
  std::string map;
  std::string screenshot;
  std::optional<uint64_t> seed;
};

bool ParseOptions(const QStringList& arguments, Options& options, std::string& problem) {
  for (int i = 1; i < arguments.size(); ++i) {
    const QString& word = arguments[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= arguments.size()) {
        problem = word.toStdString() + " needs a value";
        return false;
      }
      target = arguments[++i].toStdString();
      return true;
    };
    if (word == "--folder") {
      if (!value(options.folder)) return false;
    } else if (word == "--screenshot") {
      if (!value(options.screenshot)) return false;
    } else if (word == "--seed") {
      std::string text;
      if (!value(text)) return false;
      options.seed = std::stoull(text);
    } else if (word.startsWith("--")) {
      problem = "unknown option " + word.toStdString();
      return false;
    } else if (options.map.empty()) {
      options.map = word.toStdString();
    } else {
      problem = "only one map file can be opened";
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Korv Map Editor");
  Options options;
  std::string problem;
  if (!ParseOptions(QApplication::arguments(), options, problem)) {
    std::cerr << "korvedit: " << problem << "\n"
              << "usage: korvedit [--folder DIR] [MAP] [--screenshot FILE.png] [--seed N]\n";
    return 2;
  }

  // A screenshot run must never wait for a click, so it reports on stderr.
  const bool unattended = !options.screenshot.empty();
  korv::GuiInteraction windowUi;
  korv::ConsoleInteraction consoleUi(std::cerr);
  korv::UserInteraction& ui = unattended ? static_cast<korv::UserInteraction&>(consoleUi)
                                         : static_cast<korv::UserInteraction&>(windowUi);
  korv::SeededRandom random(options.seed.value_or(korv::SeedFromClock()));
  std::error_code ec;
  auto folder = std::filesystem::absolute(options.folder, ec);
  korv::Editor editor(korv::GameFolder(folder), ui, random);

  std::string error;
  if (!korv::StartUp(editor, error)) {
    ui.Message(error + "\nThe editor cannot run without it and will close.");
    return 1;
  }

  QMainWindow window;
  auto* statusText = new QLabel(&window);
  window.statusBar()->addWidget(statusText, 1);
  windowUi.SetParent(&window);
  windowUi.SetProgressSink(
      [statusText](const std::string& text) { statusText->setText(QString::fromStdString(text)); });

  if (!options.map.empty()) {
    auto mapPath = std::filesystem::absolute(options.map, ec);
    editor.Document.MapPath = mapPath.string();
    editor.Document.MapName = mapPath.filename().string();
    if (!korv::LoadMap(editor)) {
      editor.Document.MapPath.clear();
      editor.Document.MapName = "newmap.map";
    }
  }

  auto* scroll = new QScrollArea(&window);
  scroll->setBackgroundRole(QPalette::Dark);
  auto* preview = new korv::MapPreviewWidget;
  preview->SetPicture(korv::RenderMapPreview(editor));
  scroll->setWidget(preview);
  window.setCentralWidget(scroll);
  window.setWindowTitle(QString::fromStdString("Main: editing " + editor.Document.MapName));
  statusText->setText(QString::fromStdString(
      "Map " + std::to_string(editor.Document.MapWidth) + " x " +
      std::to_string(editor.Document.MapHeight) + "   nation set " + editor.Document.NationSetName +
      "   tiles 0 to " + std::to_string(editor.Tiles.TileCount)));
  window.resize(1280, 800);
  window.show();

  if (unattended) {
    QTimer::singleShot(0, [&]() {
      QImage shot = window.grab().toImage();
      if (!shot.save(QString::fromStdString(options.screenshot), "PNG")) {
        std::cerr << "korvedit: cannot write " << options.screenshot << "\n";
        QApplication::exit(1);
        return;
      }
      QApplication::exit(0);
    });
  }
  return QApplication::exec();
}
