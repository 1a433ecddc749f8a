// The shared demo game folder of the tests (see demo_folder.h).
#include "demo_folder.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "demo_game.h"
#include "platform/files.h"

namespace korv::demo::test {

namespace {

std::vector<std::unique_ptr<QTemporaryDir>>& Folders() {
  static std::vector<std::unique_ptr<QTemporaryDir>> folders;
  return folders;
}

}  // namespace

std::filesystem::path NewTemporaryFolder() {
  auto folder = std::make_unique<QTemporaryDir>();
  EXPECT_TRUE(folder->isValid());
  std::filesystem::path path = folder->path().toStdString();
  Folders().push_back(std::move(folder));
  return path;
}

const std::filesystem::path& DemoFolder() {
  static const std::filesystem::path folder = [] {
#ifdef KORV_DEMO_FOLDER
    // Written by korv-demo-game when the tests were built.
    const std::filesystem::path built = KORV_DEMO_FOLDER;
    if (FileExists(built / "maps" / "sample.map")) return built;
#endif
    std::filesystem::path path = NewTemporaryFolder();
    std::string error;
    const bool written = WriteDemoGame(path, error);
    if (!written) ADD_FAILURE() << "the demo game cannot be written: " << error;
    return path;
  }();
  return folder;
}

std::vector<uint8_t> ReadDemoFile(const std::string& relative) {
  auto bytes = ReadWholeFile(DemoFolder() / relative);
  EXPECT_TRUE(bytes.has_value()) << relative;
  return bytes.value_or(std::vector<uint8_t>{});
}

std::string ReadDemoText(const std::string& relative) {
  const std::vector<uint8_t> bytes = ReadDemoFile(relative);
  return std::string(bytes.begin(), bytes.end());
}

Picture LoadDemoBitmap(const std::string& relative) {
  Picture picture;
  std::string error;
  EXPECT_TRUE(picture.LoadBmp(DemoFolder() / relative, &error)) << relative << ": " << error;
  return picture;
}

const TileCatalogue& Catalogue() {
  static const TileCatalogue catalogue = BuildCatalogue();
  return catalogue;
}

std::vector<std::string> ListFilesBelow(const std::filesystem::path& folder) {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files.push_back(std::filesystem::relative(entry.path(), folder).generic_string());
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace korv::demo::test
