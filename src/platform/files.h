// File-system service: the game folder with case-insensitive lookup, whole-file
// reads, writes through a temporary file renamed into place, positional byte
// access for the small tables the editor patches in place, and listing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korv {

// The editor's folder: the game's installation folder holding data/, bmp/,
// flags/, mapedit/ and the nation sets. Game folders usually come from
// Windows, so a name such as "BMP/MAPL.BMP" must find bmp/mapl.bmp.
class GameFolder {
 public:
  explicit GameFolder(std::filesystem::path root);

  const std::filesystem::path& Root() const { return root_; }

  // The path of `relative` ("data/hex_info.txt", '/' or '\\' separated) inside
  // the folder. Each existing component is matched case-insensitively; the
  // components that do not exist yet keep the spelling given, so the result
  // can also be used to create a file.
  std::filesystem::path Resolve(std::string_view relative) const;
  bool Exists(std::string_view relative) const;

 private:
  std::filesystem::path root_;
};

// Finds `name` in `folder` ignoring case; an exact match wins.
std::optional<std::filesystem::path> FindIgnoringCase(const std::filesystem::path& folder,
                                                      std::string_view name);
// Resolves every component of `path` below `base` ignoring case (see GameFolder::Resolve).
std::filesystem::path ResolveIgnoringCase(const std::filesystem::path& base,
                                          std::string_view relative);

// File names compared as Windows does: letters without regard to case.
bool EqualIgnoringCase(std::string_view a, std::string_view b);
bool EndsWithIgnoringCase(std::string_view text, std::string_view ending);
// Order ignoring case; names equal but for case keep their byte order.
bool LessIgnoringCase(const std::string& a, const std::string& b);

bool FileExists(const std::filesystem::path& path);
bool FolderExists(const std::filesystem::path& path);
// Length in bytes, or -1 when there is no such file.
int64_t FileLength(const std::filesystem::path& path);
bool EnsureFolder(const std::filesystem::path& path, std::string* error = nullptr);
bool DeleteFile(const std::filesystem::path& path);
bool RenameFile(const std::filesystem::path& from, const std::filesystem::path& to,
                std::string* error = nullptr);
// A file replaced by a rename is let go (its cached pages and disk blocks
// freed) on a thread of its own, after the rename returns. This returns once
// every file replaced so far has been let go.
void WaitForReplacedFiles();
// Files of `folder` whose names match `pattern` ('*' and '?', case ignored), sorted by name.
std::vector<std::filesystem::path> ListFiles(const std::filesystem::path& folder,
                                             std::string_view pattern);
bool MatchesPattern(std::string_view name, std::string_view pattern);

// Whether two paths name the same file (equal, or the same file on disk).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);
// `path` as spelt on disk when a file of that name exists in another case
// (game folders usually come from Windows); `path` itself otherwise.
std::filesystem::path SpeltAsOnDisk(const std::filesystem::path& path);

// Faults a test can inject into the writes below: before a temporary file is
// opened (as in an unwritable folder) or half-way through its bytes (as on a
// full disk, or where a process is killed). The hook is told the file meant
// and the stage, and returns true to make that write fail. An empty hook
// (the default) injects nothing. It is called by one thread at a time, also
// when files are written at once.
enum class WriteStage { kOpen, kMiddle };
using WriteFaultHook = std::function<bool(const std::filesystem::path& target, WriteStage stage)>;
void SetWriteFaultHook(WriteFaultHook hook);

// Whether a file can be made in `folder`: a small probe file is written
// (through the same fault point as the writes below) and removed again.
bool CanWriteIn(const std::filesystem::path& folder);

// The whole file, or nothing when it cannot be opened.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path);
// A file opened for reading at byte offsets, kept open until it goes: what
// is read from it comes from the one file even where its name is given to
// another meanwhile. A large read is shared between two threads.
class FileReader {
 public:
  // Not open when there is no such file, it is not a regular file (a
  // folder) or it cannot be opened.
  explicit FileReader(const std::filesystem::path& path);
  FileReader(const FileReader&) = delete;
  FileReader& operator=(const FileReader&) = delete;
  ~FileReader();

  bool IsOpen() const { return open_; }
  uint64_t Size() const { return size_; }
  // Fills `pieces`, one after the other, with the file's bytes from `offset`
  // on. What lies past the end of the file, or could not be read, is
  // zeroed. Returns the number of bytes read.
  size_t ReadAt(uint64_t offset, std::span<const std::span<uint8_t>> pieces) const;
  size_t ReadAt(uint64_t offset, std::span<uint8_t> bytes) const;

 private:
  // Bytes [from, to) of `pieces` taken as one run, read from offset + from.
  size_t ReadRun(uint64_t offset, std::span<const std::span<uint8_t>> pieces, size_t from,
                 size_t to) const;

  bool open_ = false;
  uint64_t size_ = 0;
  int handle_ = -1;             // where the system has positional reads
  std::filesystem::path path_;  // where it has not: each read opens the file
};

// A file's bytes seen as the text the readers of text files take.
inline std::string_view AsText(std::span<const uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}
// Writes `bytes` to a temporary file beside `path` and renames it over `path`,
// so an interrupted write never destroys the previous file.
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                         std::string* error = nullptr);
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text,
                         std::string* error = nullptr);
// The same for a file made of several blocks written one after the other.
bool WriteFileAtomically(const std::filesystem::path& path,
                         std::span<const std::span<const uint8_t>> pieces,
                         std::string* error = nullptr);

// The pieces of a file one after the other, then nothing; each piece stays
// valid until the next call.
using PieceSource = std::function<std::optional<std::span<const uint8_t>>()>;

// Files that are saved together (a map, its control file and its picture):
// each is written whole to a temporary file beside it, and only when every
// one is written are they renamed into place, so a failure on any of them
// leaves all the old files as they were. Temporaries not committed are
// removed when the set goes.
class FileSetWriter {
 public:
  FileSetWriter() = default;
  FileSetWriter(const FileSetWriter&) = delete;
  FileSetWriter& operator=(const FileSetWriter&) = delete;
  ~FileSetWriter();

  bool Add(const std::filesystem::path& path, std::span<const std::span<const uint8_t>> pieces,
           std::string* error = nullptr);
  bool Add(const std::filesystem::path& path, std::span<const uint8_t> bytes,
           std::string* error = nullptr);
  // A file of `total` bytes made a piece at a time, so that a large file
  // needs no copy of it in memory: `next` gives the pieces in order, then
  // nothing.
  bool Add(const std::filesystem::path& path, size_t total, const PieceSource& next,
           std::string* error = nullptr);
  // A file of `total` bytes whose pieces come from `next`, as for Add.
  struct Piecewise {
    std::filesystem::path path;
    size_t total = 0;
    PieceSource next;
    // A file of blocks held in memory, which must stay until it is written.
    static Piecewise Of(std::filesystem::path path,
                        std::span<const std::span<const uint8_t>> pieces);
    static Piecewise Of(std::filesystem::path path, std::span<const uint8_t> bytes);
  };
  // Writes `files` on two threads, each taking the next file not yet taken:
  // a file whose pieces take work to make (a picture drawn as it is written)
  // runs beside one that is only copied out, and whichever thread is free
  // first takes the next. The files are staged, and renamed, in the order
  // given. Their sources must not share anything they change. On a failure
  // `error` tells of the first file in that order that could not be written.
  bool AddTogether(std::span<const Piecewise> files, std::string* error = nullptr);
  // Renames every temporary over its file.
  bool Commit(std::string* error = nullptr);

 private:
  struct Staged {
    std::filesystem::path temporary;
    std::filesystem::path path;
  };
  std::vector<Staged> staged_;
};

// A file read and written at 1-based byte positions. Reads past the end give
// zeros; writes past the end extend the file (with zeros in any gap).
class ByteFile {
 public:
  // Opens `path` for reading and writing, creating it when missing.
  bool Open(const std::filesystem::path& path);
  bool IsOpen() const { return stream_.is_open(); }
  void Close();
  int64_t Length();

  uint8_t ReadU8(int64_t position);
  int16_t ReadI16(int64_t position);
  int32_t ReadI32(int64_t position);
  // Fills `out` from `position` on; zeros beyond the end.
  void Read(int64_t position, std::span<uint8_t> out);

  void WriteU8(int64_t position, uint8_t value);
  void WriteI16(int64_t position, int16_t value);
  void WriteI32(int64_t position, int32_t value);
  void Write(int64_t position, std::span<const uint8_t> bytes);

 private:
  std::fstream stream_;
};

}  // namespace korv
