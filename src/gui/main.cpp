// Entry point of korvedit, the desktop editor:
//   korvedit [--folder DIR] [MAP] [--screenshot FILE.png] [--seed N] [--print-positions]
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "editor/startup.h"
#include "gui/korvedit_usage.h"
#include "gui/map_editor_window.h"
#include "platform/interaction.h"
#include "platform/random.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kLastFolderKey = "gameFolder";
constexpr const char* kRecentMapsKey = "recentMaps";
constexpr const char* kGeometryKey = "windowGeometry";
constexpr const char* kFitNeighboursKey = "fitNeighbours";

struct Options {
  std::optional<std::string> folder;
  std::string map;
  std::string screenshot;
  std::optional<uint64_t> seed;
  bool printPositions = false;
  bool help = false;
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
    if (word == "--help" || word == "-h") {
      options.help = true;
    } else if (word == "--folder") {
      std::string folder;
      if (!value(folder)) return false;
      options.folder = folder;
    } else if (word == "--print-positions") {
      options.printPositions = true;
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

fs::path Absolute(const fs::path& path) {
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  return ec ? path : absolute.lexically_normal();
}

// Where the game folder is looked for: the folder given with --folder
// alone when there is one; else the current folder, the folder used last
// time and the program's own folder.
std::vector<fs::path> FolderCandidates(const Options& options, const QSettings& settings) {
  if (options.folder) return {Absolute(*options.folder)};
  std::vector<fs::path> candidates = {fs::current_path()};
  const QString last = settings.value(kLastFolderKey).toString();
  if (!last.isEmpty()) candidates.push_back(last.toStdString());
  candidates.push_back(QCoreApplication::applicationDirPath().toStdString());
  return candidates;
}

// An installed editor opens the user's own copy of the demo game, which
// lies in the user's data folder (korv/demo-game there) and is made from
// the demo folder installed beside the programs at the first start.
std::optional<fs::path> UserDemoCopy(std::string& error) {
  const fs::path program = QCoreApplication::applicationDirPath().toStdString();
  const fs::path installed = (program / ".." / "share" / "korv" / "demo-game").lexically_normal();
  if (!fs::exists(installed)) return std::nullopt;
  const fs::path dataHome =
      QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString();
  if (dataHome.empty()) return std::nullopt;
  return korv::UserDemoFolder(installed, dataHome / "korv" / "demo-game", error);
}

// Asks for a game folder until one is chosen or the user gives up.
std::optional<fs::path> AskForGameFolder(const std::vector<fs::path>& lookedIn) {
  QString where;
  for (const fs::path& folder : lookedIn) where += "\n  " + QString::fromStdString(folder.string());
  QString text = "The editor works inside a game folder, and none was found in:" + where + "\n\n" +
                 QString::fromStdString(korv::GameFolderNeeds()) + "\n\nChoose the game folder.";
  while (true) {
    if (QMessageBox::information(nullptr, "Korv Map Editor", text,
                                 QMessageBox::Ok | QMessageBox::Cancel) != QMessageBox::Ok) {
      return std::nullopt;
    }
    const QString chosen = QFileDialog::getExistingDirectory(nullptr, "Choose the game folder");
    if (chosen.isEmpty()) return std::nullopt;
    if (korv::HoldsTileSheet(chosen.toStdString())) return fs::path(chosen.toStdString());
    text = chosen + " holds no tile sheet bmp/mapl.bmp.\n\n" +
           QString::fromStdString(korv::GameFolderNeeds()) + "\n\nChoose the game folder.";
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The usage is printed before Qt starts, so that it needs no display.
  for (int i = 1; i < argc; ++i) {
    const std::string_view word = argv[i];
    if (word == "--help" || word == "-h") {
      std::cout << korv::kKorveditUsage;
      return 0;
    }
  }
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Korv");
  QApplication::setApplicationName("Korv Map Editor");
  Options options;
  std::string problem;
  if (!ParseOptions(QApplication::arguments(), options, problem)) {
    std::cerr << "korvedit: " << problem << "\n" << korv::kKorveditUsage;
    return 2;
  }
  if (options.help) {
    std::cout << korv::kKorveditUsage;
    return 0;
  }

  // A screenshot run must never wait for a click, so it reports on stderr.
  const bool unattended = !options.screenshot.empty();
  korv::ConsoleInteraction consoleUi(std::cerr);
  QSettings settings;
  const std::vector<fs::path> candidates = FolderCandidates(options, settings);
  std::optional<fs::path> folder = korv::FindGameFolder(candidates);
  if (!folder && !options.folder) {
    std::string error;
    folder = UserDemoCopy(error);
    if (!error.empty()) {
      if (unattended) {
        std::cerr << "korvedit: " << error << "\n";
      } else {
        QMessageBox::warning(nullptr, "Korv Map Editor", QString::fromStdString(error));
      }
    }
  }
  if (!folder) {
    if (unattended) {
      std::cerr << "korvedit: no game folder: " << candidates.front().string()
                << " holds no tile sheet bmp/mapl.bmp. " << korv::GameFolderNeeds() << "\n";
      return 1;
    }
    folder = AskForGameFolder(candidates);
    if (!folder) return 1;
  }
  korv::MapEditorWindow window(*folder, options.seed.value_or(korv::SeedFromClock()),
                               unattended ? &consoleUi : nullptr);
  if (!window.Start(!unattended)) return 1;
  if (!unattended) {
    // A new user starts with "Fit Neighbours" on.
    window.SetFitNeighbours(settings.value(kFitNeighboursKey, true).toBool());
    settings.setValue(kLastFolderKey, QString::fromStdString(folder->string()));
    // The maps opened last and the window's place come back at the next start.
    const auto recent = [&settings] {
      std::vector<std::string> paths;
      for (const QString& path : settings.value(kRecentMapsKey).toStringList()) {
        paths.push_back(path.toStdString());
      }
      return paths;
    };
    window.SetRecentMaps(recent());
    window.onMapNamed = [&settings, &window, recent](const std::string& path) {
      const std::vector<std::string> remembered = korv::RememberRecentMap(recent(), path);
      QStringList paths;
      for (const std::string& entry : remembered) paths.push_back(QString::fromStdString(entry));
      settings.setValue(kRecentMapsKey, paths);
      window.SetRecentMaps(remembered);
    };
    const QByteArray geometry = settings.value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty()) window.restoreGeometry(geometry);
  }
  if (!options.map.empty()) window.OpenMap(Absolute(options.map).string());
  window.show();
  if (!unattended) window.KeepUnsavedWork();
  if (options.printPositions) {
    window.onPositions = [](const std::string& lines) { std::cout << lines << std::flush; };
    // Once the window system has placed the windows.
    QTimer::singleShot(500, &window, [&window] { window.ReportPositions(); });
  }

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
  const int code = QApplication::exec();
  if (!unattended) {
    settings.setValue(kGeometryKey, window.saveGeometry());
    settings.setValue(kFitNeighboursKey, window.Session().editor.Settings.FitNeighbours);
  }
  return code;
}
