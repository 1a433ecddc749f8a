#include "editing/clipboard.h"

#include <algorithm>
#include <fstream>

#include "editor/map_io.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/interaction.h"
#include "view/viewport.h"

namespace korv {

namespace {

int16_t LittleEndianI16(const uint8_t* bytes) {
  return static_cast<int16_t>(static_cast<uint16_t>(bytes[0]) |
                              static_cast<uint16_t>(static_cast<uint16_t>(bytes[1]) << 8));
}

// The paste itself, from a clipboard file of `size` bytes whose bytes
// `readAt(offset, destination, count)` fetches (false when it cannot).
template <typename ReadAt>
bool PasteBlock(MapDocument& document, int64_t size, const ReadAt& readAt, int targetX, int targetY,
                std::string& error) {
  if (size < static_cast<int64_t>(kClipboardHeaderBytes)) {
    error = "it holds " + std::to_string(size) + " bytes, fewer than its 4-byte header";
    return false;
  }
  uint8_t header[kClipboardHeaderBytes];
  if (!readAt(0, header, sizeof header)) {
    error = "it cannot be read";
    return false;
  }
  const int w = LittleEndianI16(header);
  const int h = LittleEndianI16(header + 2);
  if (w < 0 || h < 0) {
    error = "its block size (" + std::to_string(w) + ", " + std::to_string(h) + ") is negative";
    return false;
  }
  const int64_t columns = static_cast<int64_t>(w) + 1;
  const int64_t needed = static_cast<int64_t>(kClipboardHeaderBytes) + 2 * columns * (h + 1);
  if (size < needed) {
    error = "it holds " + std::to_string(size) + " bytes, but its block of " +
            std::to_string(w + 1) + " x " + std::to_string(h + 1) + " tiles needs " +
            std::to_string(needed);
    return false;
  }

  // The entries whose target hex lies on the map.
  const int firstI = std::max(0, -targetX);
  const int lastI = std::min(w, document.MapWidth - targetX);
  const int firstJ = std::max(0, -targetY);
  const int lastJ = std::min(h, document.MapHeight - targetY);
  if (lastI < firstI || lastJ < firstJ) return true;

  // Everything is read before any hex changes, so a read error leaves the map alone.
  const size_t across = static_cast<size_t>(lastI - firstI + 1);
  const size_t down = static_cast<size_t>(lastJ - firstJ + 1);
  std::vector<uint8_t> raw(2 * across * down);
  for (size_t row = 0; row < down; ++row) {
    const int64_t j = firstJ + static_cast<int64_t>(row);
    if (!readAt(static_cast<int64_t>(kClipboardHeaderBytes) + 2 * (j * columns + firstI),
                raw.data() + 2 * across * row, 2 * across)) {
      error = "it cannot be read";
      return false;
    }
  }
  for (size_t i = 0; i < across; ++i) {
    for (size_t row = 0; row < down; ++row) {
      document.Tile(targetX + firstI + static_cast<int>(i),
                    targetY + firstJ + static_cast<int>(row)) =
          LittleEndianI16(raw.data() + 2 * (across * row + i));
    }
  }
  return true;
}

}  // namespace

std::optional<HexRange> CopyRange(const DrawSwitches& switches, const MapDocument& document) {
  HexRange range;
  range.firstX = std::max<int>(switches.SelectionLeft, 0);
  range.lastX = std::min<int>(switches.SelectionRight, document.MapWidth);
  range.firstY = std::max<int>(switches.SelectionTop, 0);
  range.lastY = std::min<int>(switches.SelectionBottom, document.MapHeight);
  if (range.lastX < range.firstX || range.lastY < range.firstY) return std::nullopt;
  return range;
}

std::vector<uint8_t> EncodeClipboard(const MapDocument& document, const HexRange& range) {
  ByteWriter writer;
  const int w = range.lastX - range.firstX;
  const int h = range.lastY - range.firstY;
  writer.Reserve(kClipboardHeaderBytes +
                 2 * static_cast<size_t>(w + 1) * static_cast<size_t>(h + 1));
  writer.WriteI16(static_cast<int16_t>(w));
  writer.WriteI16(static_cast<int16_t>(h));
  // Row by row: i (the column) varies fastest.
  for (int y = range.firstY; y <= range.lastY; ++y) {
    for (int x = range.firstX; x <= range.lastX; ++x) writer.WriteI16(document.Tile(x, y));
  }
  return writer.Take();
}

bool Copy_Click(MapEditor& session) {
  Editor& editor = session.editor;
  const std::optional<HexRange> range = CopyRange(session.switches, editor.Document);
  if (!range) {
    editor.Ui.Message("The selection lies outside the map; nothing was copied.");
    return false;
  }
  // Written whole and renamed over the old file, so a failed copy keeps the
  // previous clipboard intact.
  const std::filesystem::path path = editor.Folder.Resolve(kClipboardFile);
  std::string error;
  if (!WriteFileAtomically(path, EncodeClipboard(editor.Document, *range), &error)) {
    editor.Ui.Message("The clipboard file " + path.string() + " was not written: " + error + ".");
    return false;
  }
  return true;
}

bool PasteClipboardFile(MapDocument& document, const std::filesystem::path& path, int targetX,
                        int targetY, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  const int64_t size = FileLength(path);
  if (!in || size < 0) {
    error = "it cannot be opened";
    return false;
  }
  const auto readAt = [&in](int64_t offset, uint8_t* destination, size_t count) {
    in.seekg(static_cast<std::streamoff>(offset));
    return static_cast<bool>(
        in.read(reinterpret_cast<char*>(destination), static_cast<std::streamsize>(count)));
  };
  return PasteBlock(document, size, readAt, targetX, targetY, error);
}

bool PasteClipboardBytes(MapDocument& document, std::span<const uint8_t> bytes, int targetX,
                         int targetY, std::string& error) {
  const auto readAt = [bytes](int64_t offset, uint8_t* destination, size_t count) {
    if (offset < 0 || static_cast<uint64_t>(offset) > bytes.size() ||
        count > bytes.size() - static_cast<size_t>(offset)) {
      return false;
    }
    std::copy_n(bytes.begin() + offset, count, destination);
    return true;
  };
  return PasteBlock(document, static_cast<int64_t>(bytes.size()), readAt, targetX, targetY, error);
}

void PasteSelection(MapDocument& document, const DrawSwitches& switches, int targetX, int targetY) {
  const std::optional<HexRange> range = CopyRange(switches, document);
  if (!range) return;
  const int dx = targetX - range->firstX;
  const int dy = targetY - range->firstY;
  std::vector<int16_t> block;
  block.reserve(static_cast<size_t>(range->lastX - range->firstX + 1) *
                static_cast<size_t>(range->lastY - range->firstY + 1));
  ForEachHex(*range, [&](int x, int y) { block.push_back(document.Tile(x, y)); });
  size_t next = 0;
  ForEachHex(*range, [&](int x, int y) {
    const int16_t tile = block[next++];
    if (document.Contains(x + dx, y + dy)) document.Tile(x + dx, y + dy) = tile;
  });
}

PasteOutcome Paste_Click(MapEditor& session) {
  Editor& editor = session.editor;
  const int targetX = session.interaction.CurrentHexX;
  const int targetY = session.interaction.CurrentHexY;
  const std::filesystem::path path = editor.Folder.Resolve(kClipboardFile);
  std::error_code ec;
  PasteOutcome outcome = PasteOutcome::kFromSelection;
  if (std::filesystem::exists(path, ec)) {
    std::string error;
    if (!PasteClipboardFile(editor.Document, path, targetX, targetY, error)) {
      editor.Ui.Message("The clipboard file " + path.string() + " cannot be pasted: " + error +
                        ". The map is unchanged.");
      return PasteOutcome::kRefused;
    }
    outcome = PasteOutcome::kFromClipboardFile;
  } else {
    PasteSelection(editor.Document, session.switches, targetX, targetY);
  }
  RedrawIfDrawn(session);
  return outcome;
}

UndoOutcome Undo_Click(MapEditor& session) {
  MapDocument& document = session.editor.Document;
  const int16_t width = document.MapWidth;
  const int16_t height = document.MapHeight;
  UndoOutcome outcome;
  if (!ReadSnapshot(session.editor)) return outcome;
  outcome.restored = true;
  outcome.sizeChanged = width != document.MapWidth || height != document.MapHeight;
  if (outcome.sizeChanged) {
    MapReplaced(session, false);
  } else {
    RedrawIfDrawn(session);
  }
  return outcome;
}

}  // namespace korv
