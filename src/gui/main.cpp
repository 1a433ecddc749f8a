// Entry point of korvedit, the desktop editor:
//   korvedit [--folder DIR] [MAP] [--screenshot FILE.png] [--seed N]
#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <optional>

#include "gui/map_editor_window.h"
#include "platform/interaction.h"
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
      bool ok = false;
      options.seed = QString::fromStdString(text).toULongLong(&ok);
      if (!ok) {
        problem = "--seed needs a whole number";
        return false;
      }
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
  korv::ConsoleInteraction consoleUi(std::cerr);
  std::error_code ec;
  const auto folder = std::filesystem::absolute(options.folder, ec);
  korv::MapEditorWindow window(folder, options.seed.value_or(korv::SeedFromClock()),
                               unattended ? &consoleUi : nullptr);
  if (!window.Start(!unattended)) return 1;
  if (!options.map.empty()) {
    window.OpenMap(std::filesystem::absolute(options.map, ec).string());
  }
  window.show();

  if (unattended) {
    QTimer::singleShot(0, [&]() {
      window.LayOut();
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
