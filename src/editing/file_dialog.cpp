#include "editing/file_dialog.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <system_error>

#include "document/hex_names.h"
#include "editor/map_io.h"
#include "editor/set_import.h"
#include "platform/interaction.h"
#include "platform/text_fields.h"

namespace korv {

namespace fs = std::filesystem;

namespace {

constexpr const char* kNationListName = "nations.txt";

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// A folder as the lists show it: absolute, without "." and ".." parts.
std::string Normalised(const fs::path& folder) {
  std::error_code ec;
  fs::path absolute = fs::absolute(folder, ec);
  if (ec) absolute = folder;
  std::string text = absolute.lexically_normal().string();
  // "/game/maps/" and "/game/maps" are the same folder; the root keeps its separator.
  while (text.size() > 1 && IsSeparator(text.back())) text.pop_back();
  return text;
}

// `folder` / `name`, spelt as the file on disk when only the case differs
// (game folders usually come from Windows).
std::string PathInFolder(const std::string& folder, const std::string& name) {
  fs::path exact = fs::path(folder) / name;
  if (FileExists(exact)) return exact.string();
  if (auto found = FindIgnoringCase(folder, name)) return found->string();
  return exact.string();
}

// Whole decimal number with an optional sign and fraction, nothing else.
bool IsDecimalNumber(std::string_view text) {
  size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  bool digits = false;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    ++i;
    digits = true;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
      ++i;
      digits = true;
    }
  }
  return digits && i == text.size();
}

// A size box of the new-map dialog as a highest column or row number.
bool ParseMapSize(const char* what, const std::string& text, long long& value, std::string& error) {
  const std::string_view trimmed = TrimBlanks(text);
  if (!IsDecimalNumber(trimmed)) {
    error = std::string("The map ") + what + " \"" + text + "\" is not a number.";
    return false;
  }
  // Rounded to the nearest whole number, halves to even, as the boxes always were.
  const double rounded = std::nearbyint(ParseLeadingNumber(trimmed));
  value = static_cast<long long>(std::clamp(rounded, -1e9, 1e9));
  return true;
}

}  // namespace

std::string FileDialogExtensionFor(int16_t mode) {
  switch (mode) {
    case kOpenMapMode:
    case kSaveMapAsMode:
      return ".map";
    case kImportSetMode:
      return ".set";
    case kNationSetMode:
      return ".txt";
    case kChooseBitmapMode:
      return ".bmp";
    default:
      return {};
  }
}

std::string ReplaceQuestion(const std::string& mapPath) {
  return mapPath + " already exists.\rDo you want to replace it ?";
}

std::string NationSetNameFromFolder(std::string_view folder) {
  while (!folder.empty() && IsSeparator(folder.back())) folder.remove_suffix(1);
  const size_t last = folder.find_last_of("/\\");
  if (last == std::string_view::npos || last == 0) return {};
  const std::string_view parent = folder.substr(0, last);
  const size_t secondLast = parent.find_last_of("/\\");
  if (secondLast == std::string_view::npos) return std::string(parent);
  return std::string(parent.substr(secondLast + 1));
}

bool ShowsAsDrive(std::string_view fileSystemType, std::string_view rootPath) {
  static constexpr std::string_view kPseudo[] = {
      "proc",       "sysfs",    "devpts",    "devtmpfs", "cgroup",      "cgroup2",
      "securityfs", "debugfs",  "tracefs",   "pstore",   "mqueue",      "hugetlbfs",
      "configfs",   "fusectl",  "bpf",       "autofs",   "binfmt_misc", "nsfs",
      "rpc_pipefs", "efivarfs", "selinuxfs", "ramfs",    "squashfs"};
  for (std::string_view pseudo : kPseudo) {
    if (fileSystemType == pseudo) return false;
  }
  static constexpr std::string_view kSystemFolders[] = {"/proc", "/sys", "/dev", "/run"};
  for (std::string_view system : kSystemFolders) {
    if (rootPath == system ||
        (rootPath.size() > system.size() && rootPath.substr(0, system.size()) == system &&
         rootPath[system.size()] == '/')) {
      return false;
    }
  }
  return !rootPath.empty();
}

std::string FileDialog::EditorFolder() const {
  return Normalised(editor_.Folder.Root());
}

bool FileDialog::Open(int16_t mode) {
  return Open(mode, FileDialogExtensionFor(mode));
}

bool FileDialog::Open(int16_t mode, std::string extension) {
  if (mode < kOpenMapMode || mode > kNationSetMode) return false;
  state_.FileDialogMode = mode;
  state_.FileDialogExtension = std::move(extension);
  if (state_.FileDialogFolder.empty() || !FolderExists(state_.FileDialogFolder)) {
    state_.FileDialogFolder = EditorFolder();
  }
  folder_ = state_.FileDialogFolder;
  RefillFiles();
  saveEnabled_ = mode == kSaveMapAsMode;
  loadEnabled_ = true;
  if (mode == kSaveMapAsMode) fileName_ = editor_.Document.MapName;
  return true;
}

std::vector<std::string> FileDialog::Subfolders() const {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(folder_, ec);
  if (ec) return names;
  for (const auto& entry : it) {
    std::error_code typeError;
    if (!entry.is_directory(typeError)) continue;
    std::string name = entry.path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), LessIgnoringCase);
  return names;
}

bool FileDialog::ChangeFolder(const std::string& folder) {
  if (!FolderExists(folder)) return false;
  folder_ = Normalised(folder);
  state_.FileDialogFolder = folder_;
  RefillFiles();
  return true;
}

bool FileDialog::EnterSubfolder(const std::string& name) {
  if (name == "..") return ChangeFolder(fs::path(folder_).parent_path().string());
  return ChangeFolder((fs::path(folder_) / name).string());
}

bool FileDialog::ChooseDrive(const std::string& rootPath) {
  return ChangeFolder(rootPath);
}

void FileDialog::RefillFiles() {
  files_.clear();
  const std::string pattern = state_.FileDialogMode == kNationSetMode
                                  ? std::string(kNationListName)
                                  : "*" + state_.FileDialogExtension;
  for (const fs::path& file : ListFiles(folder_, pattern)) {
    files_.push_back(file.filename().string());
  }
  std::sort(files_.begin(), files_.end(), LessIgnoringCase);
}

FileDialogOutcome FileDialog::Load() {
  if (!loadEnabled_) return {};
  const std::string typed = fileName_;
  if (typed.empty()) return {};
  editor_.BitmapPath = (fs::path(folder_) / typed).string();
  switch (state_.FileDialogMode) {
    case kOpenMapMode:
      return LoadMapFile(typed);
    case kImportSetMode:
      // A refused set leaves the map untouched; the user has been told why.
      if (!ImportSetFile(editor_, PathInFolder(folder_, typed))) return {};
      state_.FileDialogFolder = folder_;
      return {.Closes = true, .MapReplaced = true, .CaptionChanged = true};
    case kNationSetMode:
      return ChooseNationSet(typed);
    case kChooseBitmapMode: {
      // "abc" is abc.bmp; a name ending in "bmp" stands as typed.
      std::string name = typed;
      if (!EndsWithIgnoringCase(name, "bmp")) name += ".bmp";
      state_.BitmapFileName = name;
      editor_.BitmapPath = PathInFolder(folder_, name);
      state_.FileDialogFolder = folder_;
      FileDialogOutcome outcome{.Closes = true};
      outcome.ChosenBitmap = editor_.BitmapPath;
      return outcome;
    }
    case kSaveMapAsMode:
      // Nothing to load in the save mode: the dialog closes. The hex-name
      // files keep their paths, or names typed later would go to files
      // that no longer belong to the map.
      return {.Closes = true};
    default:
      return {};
  }
}

FileDialogOutcome FileDialog::LoadMapFile(const std::string& typed) {
  std::string name = typed;
  // "abc" opens abc.map; a name ending in "map" is taken as it stands.
  if (!EndsWithIgnoringCase(name, "map")) name += ".map";
  MapDocument& document = editor_.Document;
  const std::string oldName = document.MapName;
  const std::string oldPath = document.MapPath;
  document.MapName = name;
  document.MapPath = PathInFolder(folder_, name);
  bool nationSetChanged = false;
  if (!LoadMap(editor_, &nationSetChanged)) {
    // The open map, its names and its hex-name files stay as they were.
    document.MapName = oldName;
    document.MapPath = oldPath;
    return {};
  }
  state_.FileDialogFolder = folder_;
  editor_.CaptionName = name;
  // The names of abc.map are abc.str and abc.ndx, made empty when missing.
  OpenHexNamesOfMap(editor_);
  return {.Closes = true,
          .MapReplaced = true,
          .NationSetChanged = nationSetChanged,
          .CaptionChanged = true};
}

FileDialogOutcome FileDialog::ChooseNationSet(const std::string& typed) {
  const bool nationList = EqualIgnoringCase(typed, kNationListName);
  NationTables nations;
  std::string setName;
  if (nationList) {
    // The set is named by its folder; its list is read from the editor's
    // folder, whatever folder the file was chosen in. A set that cannot be
    // read is refused before anything is erased.
    setName = NationSetNameFromFolder(folder_);
    if (setName.empty()) {
      editor_.Ui.Message("The folder " + folder_ +
                         " is not the \"nations\" folder of a nation set. The nation set and "
                         "the control flags stay as they were.");
      return {};
    }
    std::string error;
    if (!LoadNationList(nations, setName, editor_.Folder, error)) {
      editor_.Ui.Message(error + " The nation set and the control flags stay as they were.");
      return {};
    }
  }
  if (!editor_.Ui.AskYesNo(kEraseControlQuestion)) return {.Closes = true};

  MapDocument& document = editor_.Document;
  document.HexControl.assign(document.HexCount() * MapDocument::kControlPlanes, 0);
  FileDialogOutcome outcome{.Closes = true, .MapReplaced = true};
  if (nationList) {
    editor_.Nations = std::move(nations);
    document.NationSetName = setName;
    outcome.NationSetChanged = true;
  }
  // The folder list goes back to the editor's folder; FileDialogFolder stays.
  folder_ = EditorFolder();
  RefillFiles();
  return outcome;
}

FileDialogOutcome FileDialog::Save() {
  if (!saveEnabled_ || state_.FileDialogMode != kSaveMapAsMode) return {};
  const std::string typed = fileName_;
  MapDocument& document = editor_.Document;
  const std::string oldName = document.MapName;
  const std::string oldCaption = editor_.CaptionName;
  // MapName keeps the text as typed; the file gets ".map" when it lacks it.
  // An empty name only empties MapName ("&Save Map File" then saves the map
  // as "newmap.map" at its path).
  document.MapName = typed;
  if (typed.empty()) return {.Closes = true};
  editor_.CaptionName = typed;
  std::string name = typed;
  if (!EndsWithIgnoringCase(name, ".map")) name += ".map";
  const std::string base = name.substr(0, name.size() - 3);
  const std::string mapPath = PathInFolder(folder_, name);
  const std::string indexPath = PathInFolder(folder_, base + kHexNamesIndexExtension);
  const std::string textPath = PathInFolder(folder_, base + kHexNamesExtension);

  if (FileExists(mapPath) && !editor_.Ui.AskOkCancel(ReplaceQuestion(mapPath))) {
    // Nothing is written; only the name shows what was typed.
    return {.Closes = true, .CaptionChanged = true};
  }
  const std::string oldPath = document.MapPath;
  document.MapPath = mapPath;
  if (!SaveMap(editor_)) {
    // The user has been told; the map stays what it was called.
    document.MapPath = oldPath;
    document.MapName = oldName;
    editor_.CaptionName = oldCaption;
    return {};
  }
  MoveHexNameFiles(indexPath, textPath);
  // After an import the order of battle and the scenario text go beside the map.
  WriteScenarioFiles(editor_, PathInFolder(folder_, base + "oob"),
                     PathInFolder(folder_, base + "scn"));
  return {.Closes = true, .CaptionChanged = true};
}

bool FileDialog::MoveHexNameFiles(const std::string& indexPath, const std::string& textPath) {
  MapDocument& document = editor_.Document;
  if (document.HexNamesIndexPath.empty()) document.HexNamesIndexPath = indexPath;
  if (document.HexNamesPath.empty()) document.HexNamesPath = textPath;
  const bool copyIndex = !SameFile(document.HexNamesIndexPath, indexPath);
  const bool copyText = !SameFile(document.HexNamesPath, textPath);
  if (copyIndex || copyText) {
    // Both files move together or not at all, so the index never pairs with
    // another map's text file.
    CloseHexNameFiles(editor_.HexNames);
    std::string error;
    auto copy = [&error](const std::string& from, const std::string& to) {
      auto bytes = ReadWholeFile(from);
      if (!bytes) {
        error = "the hex-name file " + from + " cannot be read";
        return false;
      }
      return WriteFileAtomically(to, *bytes, &error);
    };
    if ((copyIndex && !copy(document.HexNamesIndexPath, indexPath)) ||
        (copyText && !copy(document.HexNamesPath, textPath))) {
      editor_.Ui.Message("The map was saved, but its hex names were not copied to " + textPath +
                         " and " + indexPath + ": " + error +
                         ". The names stay in the files of the previous name.");
      OpenHexNameFiles(editor_.HexNames, document, nullptr);
      return false;
    }
    document.HexNamesIndexPath = indexPath;
    document.HexNamesPath = textPath;
  }
  if (editor_.HexNames.Index.IsOpen() && editor_.HexNames.Text.IsOpen() && !copyIndex &&
      !copyText) {
    return true;
  }
  if (!FileExists(document.HexNamesPath)) return CreateHexNameFiles(editor_);
  std::string error;
  if (OpenHexNameFiles(editor_.HexNames, document, &error)) return true;
  editor_.Ui.Message("The hex names of " + document.MapName + " cannot be edited: " + error + ".");
  return false;
}

bool NewMapDialog_OK(Editor& editor, const std::string& widthText, const std::string& heightText,
                     std::string& error) {
  long long width = 0;
  long long height = 0;
  if (!ParseMapSize("width", widthText, width, error) ||
      !ParseMapSize("height", heightText, height, error)) {
    return false;
  }
  std::string problem = CheckMapSize(width, height);
  if (problem.empty() && (width == 0 || height == 0)) {
    // Column 0 and row 0 are never shown: such a map has nothing to edit.
    problem = std::string("the ") + (width == 0 ? "width" : "height") +
              " 0 leaves no column or row to edit; the smallest map is 1 x 1";
  }
  if (!problem.empty()) {
    error = "A map of " + std::to_string(width) + " x " + std::to_string(height) +
            " cannot be made: " + problem + ".";
    return false;
  }
  MapDocument& document = editor.Document;
  document.MapWidth = static_cast<int16_t>(width);
  document.MapHeight = static_cast<int16_t>(height);
  document.MapName = "newmap.map";
  editor.CaptionName = document.MapName;
  document.MapPath = editor.Folder.Resolve(document.MapName).string();
  NewMap(editor);
  return true;
}

}  // namespace korv
