#include "platform/files.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#define KORV_RELEASES_REPLACED_FILES 1
#define KORV_POSITIONAL_READS 1
#endif

#include "platform/threads.h"

namespace korv {

namespace fs = std::filesystem;

namespace {

char LowerAscii(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::vector<std::string_view> SplitComponents(std::string_view relative) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= relative.size()) {
    size_t end = relative.find_first_of("/\\", start);
    if (end == std::string_view::npos) end = relative.size();
    std::string_view part = relative.substr(start, end - start);
    if (!part.empty() && part != ".") parts.push_back(part);
    start = end + 1;
  }
  return parts;
}

}  // namespace

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view ending) {
  return text.size() >= ending.size() &&
         EqualIgnoringCase(text.substr(text.size() - ending.size()), ending);
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  auto lower = [](char x, char y) { return LowerAscii(x) < LowerAscii(y); };
  const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), lower);
  const bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), lower);
  return less || (!greater && a < b);
}

GameFolder::GameFolder(fs::path root) : root_(std::move(root)) {}

fs::path GameFolder::Resolve(std::string_view relative) const {
  return ResolveIgnoringCase(root_, relative);
}

bool GameFolder::Exists(std::string_view relative) const {
  std::error_code ec;
  return fs::exists(Resolve(relative), ec);
}

std::optional<fs::path> FindIgnoringCase(const fs::path& folder, std::string_view name) {
  std::error_code ec;
  fs::path exact = folder / fs::path(std::string(name));
  if (fs::exists(exact, ec)) return exact;
  fs::directory_iterator it(folder, ec);
  if (ec) return std::nullopt;
  std::optional<fs::path> found;
  for (const auto& entry : it) {
    std::string candidate = entry.path().filename().string();
    if (EqualIgnoringCase(candidate, name)) {
      // Take the first in name order so the answer does not depend on the
      // order the directory happens to list its entries in.
      if (!found || candidate < found->filename().string()) found = entry.path();
    }
  }
  return found;
}

fs::path ResolveIgnoringCase(const fs::path& base, std::string_view relative) {
  fs::path current = base;
  bool stillExisting = true;
  for (std::string_view part : SplitComponents(relative)) {
    if (stillExisting) {
      if (auto found = FindIgnoringCase(current, part)) {
        current = *found;
        continue;
      }
      stillExisting = false;
    }
    current /= fs::path(std::string(part));
  }
  return current;
}

bool FileExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool FolderExists(const fs::path& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

int64_t FileLength(const fs::path& path) {
  std::error_code ec;
  auto size = fs::file_size(path, ec);
  if (ec) return -1;
  return static_cast<int64_t>(size);
}

bool EnsureFolder(const fs::path& path, std::string* error) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return true;
  fs::create_directories(path, ec);
  if (ec) {
    if (error) *error = "cannot create the folder " + path.string() + ": " + ec.message();
    return false;
  }
  return true;
}

bool DeleteFile(const fs::path& path) {
  std::error_code ec;
  return fs::remove(path, ec);
}

#ifdef KORV_RELEASES_REPLACED_FILES
namespace {

// A file replaced by a rename is let go by the system when its last name
// and its last open handle are gone: its cached pages and disk blocks are
// freed then, after any write-out of them still under way. For a large file
// that takes about as long as writing it. So the old file is held open
// across the rename and closed here, on a thread of its own, and the save
// does not wait for it.
class ReplacedFiles {
 public:
  ~ReplacedFiles() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_one();
    if (thread_.joinable()) thread_.join();
  }
  void Release(int handle) {
    {
      std::lock_guard lock(mutex_);
      handles_.push_back(handle);
      if (!thread_.joinable()) thread_ = std::thread([this] { Run(); });
    }
    wake_.notify_one();
  }
  void WaitUntilLetGo() {
    std::unique_lock lock(mutex_);
    letGo_.wait(lock, [&] { return handles_.empty() && !closing_; });
  }

 private:
  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      wake_.wait(lock, [&] { return stopping_ || !handles_.empty(); });
      if (handles_.empty()) return;  // stopping, with nothing left
      const int handle = handles_.front();
      handles_.pop_front();
      closing_ = true;
      lock.unlock();
      ::close(handle);
      lock.lock();
      closing_ = false;
      if (handles_.empty()) letGo_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable letGo_;
  std::deque<int> handles_;
  bool closing_ = false;
  bool stopping_ = false;
  std::thread thread_;
};

ReplacedFiles& Replaced() {
  static ReplacedFiles replaced;
  return replaced;
}

}  // namespace
#endif

void WaitForReplacedFiles() {
#ifdef KORV_RELEASES_REPLACED_FILES
  Replaced().WaitUntilLetGo();
#endif
}

bool RenameFile(const fs::path& from, const fs::path& to, std::string* error) {
  std::error_code ec;
#ifdef KORV_RELEASES_REPLACED_FILES
  const int old = ::open(to.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  fs::rename(from, to, ec);
  if (old >= 0) Replaced().Release(old);
#else
  fs::rename(from, to, ec);
#endif
  if (ec) {
    if (error)
      *error = "cannot rename " + from.string() + " to " + to.string() + ": " + ec.message();
    return false;
  }
  return true;
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  // Iterative wildcard match with one backtrack point for the last '*'.
  size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || LowerAscii(pattern[p]) == LowerAscii(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<fs::path> ListFiles(const fs::path& folder, std::string_view pattern) {
  std::vector<fs::path> files;
  std::error_code ec;
  fs::directory_iterator it(folder, ec);
  if (ec) return files;
  for (const auto& entry : it) {
    if (!entry.is_regular_file(ec)) continue;
    if (MatchesPattern(entry.path().filename().string(), pattern)) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool SameFile(const fs::path& a, const fs::path& b) {
  if (a == b) return true;
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

fs::path SpeltAsOnDisk(const fs::path& path) {
  if (FileExists(path)) return path;
  fs::path folder = path.parent_path();
  if (auto found =
          FindIgnoringCase(folder.empty() ? fs::path(".") : folder, path.filename().string())) {
    return path.parent_path() / found->filename();
  }
  return path;
}

std::optional<std::vector<uint8_t>> ReadWholeFile(const fs::path& path) {
  // A folder opens as a stream too, of a length no file has.
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0) return std::nullopt;
  in.seekg(0, std::ios::beg);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

FileReader::FileReader(const fs::path& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) return;
#ifdef KORV_POSITIONAL_READS
  handle_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (handle_ < 0) return;
  struct stat status {};
  if (::fstat(handle_, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size < 0) return;
  size_ = static_cast<uint64_t>(status.st_size);
#else
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  const std::streamoff end = in ? static_cast<std::streamoff>(in.tellg()) : -1;
  if (end < 0) return;
  size_ = static_cast<uint64_t>(end);
  path_ = path;
#endif
  open_ = true;
}

FileReader::~FileReader() {
#ifdef KORV_POSITIONAL_READS
  if (handle_ >= 0) ::close(handle_);
#endif
}

size_t FileReader::ReadAt(uint64_t offset, std::span<uint8_t> bytes) const {
  const std::span<uint8_t> pieces[] = {bytes};
  return ReadAt(offset, pieces);
}

size_t FileReader::ReadAt(uint64_t offset, std::span<const std::span<uint8_t>> pieces) const {
  size_t total = 0;
  for (std::span<uint8_t> piece : pieces) total += piece.size();
  // Below a few megabytes a second thread costs more than it saves. Above,
  // both threads take a megabyte at a time: a helper that starts late (after
  // a quiet spell a new thread can wait milliseconds for a processor) only
  // takes what is left.
  constexpr size_t kSharedFrom = size_t{4} << 20;
  constexpr size_t kShare = size_t{1} << 20;
  if (total < kSharedFrom) return ReadRun(offset, pieces, 0, total);
  const size_t shares = (total + kShare - 1) / kShare;
  std::atomic<size_t> nextShare{0};
  const auto takeShares = [&] {
    size_t read = 0;
    for (size_t share; (share = nextShare.fetch_add(1)) < shares;)
      read += ReadRun(offset, pieces, share * kShare, (share + 1) * kShare);
    return read;
  };
  // Without a second thread this one takes every share.
  size_t helped = 0;
  HelperThread helper([&] { helped = takeShares(); });
  const size_t read = takeShares();
  helper.Join();
  return read + helped;
}

size_t FileReader::ReadRun(uint64_t offset, std::span<const std::span<uint8_t>> pieces, size_t from,
                           size_t to) const {
  size_t read = 0;
#ifndef KORV_POSITIONAL_READS
  std::ifstream in;
  if (open_) in.open(path_, std::ios::binary);
#endif
  size_t start = 0;  // of the current piece in the run of all pieces
  for (std::span<uint8_t> piece : pieces) {
    const size_t end = start + piece.size();
    const size_t first = std::max(start, from);
    const size_t last = std::min(end, to);
    for (size_t at = first; at < last;) {
      uint8_t* out = piece.data() + (at - start);
      const size_t wanted = last - at;
      const uint64_t position = offset + at;
      size_t got = 0;
      if (open_ && position < size_) {
#ifdef KORV_POSITIONAL_READS
        const ssize_t n = ::pread(handle_, out, wanted, static_cast<off_t>(position));
        if (n < 0 && errno == EINTR) continue;
        got = n > 0 ? static_cast<size_t>(n) : 0;
#else
        in.clear();
        in.seekg(static_cast<std::streamoff>(position));
        in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(wanted));
        got = static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0));
#endif
      }
      if (got == 0) {
        // The end of the file, or a read that failed: zeros from here.
        std::fill(out, out + wanted, uint8_t{0});
        at = last;
      } else {
        at += got;
        read += got;
      }
    }
    start = end;
  }
  return read;
}

namespace {

WriteFaultHook& FaultHook() {
  static WriteFaultHook hook;
  return hook;
}

bool FaultAt(const fs::path& path, WriteStage stage) {
  static std::mutex calling;
  std::lock_guard lock(calling);
  return FaultHook() && FaultHook()(path, stage);
}

// Writes `pieces` to a temporary file beside `path`; its name, or nothing
// (with the temporary removed) when it cannot be written whole.
std::optional<fs::path> WriteTemporary(const fs::path& path, size_t total, const PieceSource& next,
                                       std::string* error) {
  fs::path temporary = path;
  temporary += ".korv-tmp";
  std::ofstream out;
  if (!FaultAt(path, WriteStage::kOpen)) out.open(temporary, std::ios::binary | std::ios::trunc);
  if (!out.is_open()) {
    if (error) *error = "cannot write " + path.string() + " (is the folder writable?)";
    return std::nullopt;
  }
  // The fault point lies half-way through the bytes, inside whichever piece
  // holds that byte.
  const size_t half = total / 2;
  size_t written = 0;
  bool checked = false;
  auto put = [&](std::span<const uint8_t> bytes) {
    if (bytes.empty()) return;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    written += bytes.size();
  };
  while (std::optional<std::span<const uint8_t>> nextPiece = next()) {
    std::span<const uint8_t> piece = *nextPiece;
    if (!checked && written + piece.size() >= half) {
      const size_t head = half - written;
      put(piece.first(head));
      out.flush();
      checked = true;
      if (FaultAt(path, WriteStage::kMiddle)) out.setstate(std::ios::badbit);
      if (!out) break;
      piece = piece.subspan(head);
    }
    put(piece);
  }
  out.flush();
  if (!out) {
    out.close();
    DeleteFile(temporary);
    if (error) *error = "cannot write " + path.string() + " (is the disk full?)";
    return std::nullopt;
  }
  return temporary;
}

}  // namespace

void SetWriteFaultHook(WriteFaultHook hook) {
  FaultHook() = std::move(hook);
}

bool CanWriteIn(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return false;
  const fs::path probe = folder / ".korv-write-probe";
  if (FaultAt(probe, WriteStage::kOpen)) return false;
  bool written = false;
  {
    std::ofstream out(probe, std::ios::binary | std::ios::trunc);
    written = out.is_open() && out.put('\0') && out.flush();
  }
  DeleteFile(probe);
  return written;
}

bool WriteFileAtomically(const fs::path& path, std::span<const std::span<const uint8_t>> pieces,
                         std::string* error) {
  FileSetWriter writer;
  return writer.Add(path, pieces, error) && writer.Commit(error);
}

FileSetWriter::~FileSetWriter() {
  for (const Staged& file : staged_) DeleteFile(file.temporary);
}

FileSetWriter::Piecewise FileSetWriter::Piecewise::Of(
    fs::path path, std::span<const std::span<const uint8_t>> pieces) {
  size_t total = 0;
  for (std::span<const uint8_t> piece : pieces) total += piece.size();
  return {std::move(path), total,
          [pieces, given = size_t{0}]() mutable -> std::optional<std::span<const uint8_t>> {
            if (given == pieces.size()) return std::nullopt;
            return pieces[given++];
          }};
}

FileSetWriter::Piecewise FileSetWriter::Piecewise::Of(fs::path path,
                                                      std::span<const uint8_t> bytes) {
  return {std::move(path), bytes.size(),
          [bytes, given = false]() mutable -> std::optional<std::span<const uint8_t>> {
            if (given) return std::nullopt;
            given = true;
            return bytes;
          }};
}

bool FileSetWriter::Add(const fs::path& path, std::span<const std::span<const uint8_t>> pieces,
                        std::string* error) {
  const Piecewise file = Piecewise::Of(path, pieces);
  return Add(file.path, file.total, file.next, error);
}

bool FileSetWriter::Add(const fs::path& path, size_t total, const PieceSource& next,
                        std::string* error) {
  auto temporary = WriteTemporary(path, total, next, error);
  if (!temporary) return false;
  staged_.push_back({*temporary, path});
  return true;
}

bool FileSetWriter::AddTogether(std::span<const Piecewise> files, std::string* error) {
  std::vector<std::optional<fs::path>> made(files.size());
  std::vector<std::string> errors(files.size());
  std::atomic<size_t> nextFile{0};
  std::atomic<bool> failed{false};
  const auto takeFiles = [&] {
    for (size_t i; !failed && (i = nextFile.fetch_add(1)) < files.size();) {
      made[i] = WriteTemporary(files[i].path, files[i].total, files[i].next, &errors[i]);
      if (!made[i]) failed = true;
    }
  };
  // Without a second thread this one takes every file.
  HelperThread helper(takeFiles);
  takeFiles();
  helper.Join();
  // Files are taken in order, so the first not made failed; the temporaries
  // of a failed set are staged too, for the writer to remove.
  bool all = true;
  for (size_t i = 0; i < files.size(); ++i) {
    if (made[i]) {
      staged_.push_back({*made[i], files[i].path});
    } else if (all) {
      all = false;
      if (error) *error = errors[i];
    }
  }
  return all;
}

bool FileSetWriter::Add(const fs::path& path, std::span<const uint8_t> bytes, std::string* error) {
  const std::span<const uint8_t> pieces[] = {bytes};
  return Add(path, pieces, error);
}

bool FileSetWriter::Commit(std::string* error) {
  bool ok = true;
  for (const Staged& file : staged_) {
    if (ok && !RenameFile(file.temporary, file.path, error)) ok = false;
    if (!ok) DeleteFile(file.temporary);
  }
  staged_.clear();
  return ok;
}

bool WriteFileAtomically(const fs::path& path, std::span<const uint8_t> bytes, std::string* error) {
  const std::span<const uint8_t> pieces[] = {bytes};
  return WriteFileAtomically(path, pieces, error);
}

bool WriteFileAtomically(const fs::path& path, std::string_view text, std::string* error) {
  return WriteFileAtomically(
      path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), error);
}

bool ByteFile::Open(const fs::path& path) {
  Close();
  if (!FileExists(path)) {
    std::ofstream create(path, std::ios::binary);
    if (!create) return false;
  }
  stream_.open(path, std::ios::binary | std::ios::in | std::ios::out);
  return stream_.is_open();
}

void ByteFile::Close() {
  if (stream_.is_open()) stream_.close();
  stream_.clear();
}

int64_t ByteFile::Length() {
  if (!stream_.is_open()) return 0;
  stream_.clear();
  stream_.seekg(0, std::ios::end);
  return static_cast<int64_t>(stream_.tellg());
}

void ByteFile::Read(int64_t position, std::span<uint8_t> out) {
  std::fill(out.begin(), out.end(), uint8_t{0});
  if (!stream_.is_open() || position < 1) return;
  int64_t length = Length();
  int64_t start = position - 1;
  if (start >= length) return;
  auto available =
      static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(out.size()), length - start));
  stream_.seekg(start);
  stream_.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(available));
  stream_.clear();
}

uint8_t ByteFile::ReadU8(int64_t position) {
  uint8_t value = 0;
  Read(position, std::span(&value, 1));
  return value;
}

int16_t ByteFile::ReadI16(int64_t position) {
  uint8_t b[2];
  Read(position, b);
  return static_cast<int16_t>(b[0] | (b[1] << 8));
}

int32_t ByteFile::ReadI32(int64_t position) {
  uint8_t b[4];
  Read(position, b);
  return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                              (static_cast<uint32_t>(b[2]) << 16) |
                              (static_cast<uint32_t>(b[3]) << 24));
}

void ByteFile::Write(int64_t position, std::span<const uint8_t> bytes) {
  if (!stream_.is_open() || position < 1) return;
  int64_t start = position - 1;
  int64_t length = Length();
  if (start > length) {
    // Fill the gap so the file has no undefined bytes.
    std::vector<char> zeros(static_cast<size_t>(start - length), 0);
    stream_.seekp(length);
    stream_.write(zeros.data(), static_cast<std::streamsize>(zeros.size()));
  }
  stream_.seekp(start);
  stream_.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
  stream_.flush();
  stream_.clear();
}

void ByteFile::WriteU8(int64_t position, uint8_t value) {
  Write(position, std::span(&value, 1));
}

void ByteFile::WriteI16(int64_t position, int16_t value) {
  auto bits = static_cast<uint16_t>(value);
  uint8_t b[2] = {static_cast<uint8_t>(bits & 0xff), static_cast<uint8_t>(bits >> 8)};
  Write(position, b);
}

void ByteFile::WriteI32(int64_t position, int32_t value) {
  auto bits = static_cast<uint32_t>(value);
  uint8_t b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<uint8_t>((bits >> (8 * i)) & 0xff);
  Write(position, b);
}

}  // namespace korv
