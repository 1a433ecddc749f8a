#include "scenario/nations.h"

#include "platform/text_fields.h"

namespace korv {

namespace {

bool StartsWithNumber(const std::string& field) {
  std::string_view text = TrimBlanks(field);
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  return !text.empty() && text.front() >= '0' && text.front() <= '9';
}

}  // namespace

std::filesystem::path NationListPath(const GameFolder& folder, const std::string& nationSetName) {
  return folder.Resolve(nationSetName + "/nations/nations.txt");
}

bool LoadNationList(NationTables& nations, std::string& nationSetName, const GameFolder& folder,
                    std::string& error) {
  if (nationSetName.empty()) nationSetName = "default";
  nations = NationTables{};
  const std::filesystem::path path = NationListPath(folder, nationSetName);
  const auto bytes = ReadWholeFile(path);
  if (!bytes) {
    error = "The nation list " + path.string() + " of the nation set \"" + nationSetName +
            "\" does not exist. No nation can be given hexes until a nation set is opened.";
    return false;
  }
  return ParseNationList(nations, AsText(*bytes), path.string(), error);
}

bool ParseNationList(NationTables& nations, std::string_view text, const std::string& fileName,
                     std::string& error) {
  nations = NationTables{};
  TextFieldReader reader{std::string(text)};
  std::string countField;
  if (!reader.Next(countField) || !StartsWithNumber(countField)) {
    error = "The nation list " + fileName + " should begin with the number of nations, but " +
            (countField.empty() ? std::string("it is empty")
                                : "it begins with \"" + countField + "\"") +
            ".";
    return false;
  }
  const int16_t count = RoundToI16(ParseLeadingNumber(countField));
  if (count < 0) {
    error = "The nation list " + fileName + " gives a negative number of nations (" +
            std::to_string(count) + ").";
    return false;
  }
  NationTables read;
  read.NationCount = count;
  // The tables grow with the records read, not with the count announced: a
  // short file that claims 32767 nations costs no more than its own length.
  read.NationNames.assign(1, "");
  read.NationTileId.assign(1, 0);
  for (int i = 1; i <= count; ++i) {
    std::string name, tile;
    if (!reader.Next(name) || !reader.Next(tile)) {
      error = "The nation list " + fileName + " announces " + std::to_string(count) +
              " nations but lists only " + std::to_string(i - 1) + ".";
      return false;
    }
    read.NationNames.push_back(std::move(name));
    read.NationTileId.push_back(RoundToI16(ParseLeadingNumber(tile) - 1));
  }
  BuildNationOrder(read);
  nations = std::move(read);
  return true;
}

void BuildNationOrder(NationTables& nations) {
  const int count = nations.NationCount;
  nations.NationOrder.assign(static_cast<size_t>(count) + 1, 0);
  std::vector<bool> placed(static_cast<size_t>(count) + 1, false);
  for (int k = 1; k <= count; ++k) {
    int best = 0;
    for (int i = 1; i <= count; ++i) {
      if (placed[static_cast<size_t>(i)]) continue;
      // std::string compares bytes as unsigned characters: ordinal order.
      if (best == 0 || nations.NationNames[static_cast<size_t>(i)] <
                           nations.NationNames[static_cast<size_t>(best)]) {
        best = i;
      }
    }
    nations.NationOrder[static_cast<size_t>(k)] = static_cast<int16_t>(best);
    placed[static_cast<size_t>(best)] = true;
  }
}

}  // namespace korv
