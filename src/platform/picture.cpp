#include "platform/picture.h"

#include <QImageReader>
#include <QImageWriter>
#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"

namespace korv {

namespace {

QImage ToOpaqueRgb32(QImage image) {
  if (image.isNull()) return image;
  if (image.format() != QImage::Format_RGB32) image = image.convertToFormat(QImage::Format_RGB32);
  return image;
}

// Clips a transfer of w x h from (sx, sy) in a picture of sw x sh to (dx, dy)
// in one of dw x dh. Returns false when nothing is left.
bool ClipTransfer(int& dx, int& dy, int& sx, int& sy, int& w, int& h, int dw, int dh, int sw,
                  int sh) {
  if (sx < 0) {
    w += sx;
    dx -= sx;
    sx = 0;
  }
  if (sy < 0) {
    h += sy;
    dy -= sy;
    sy = 0;
  }
  if (dx < 0) {
    w += dx;
    sx -= dx;
    dx = 0;
  }
  if (dy < 0) {
    h += dy;
    sy -= dy;
    dy = 0;
  }
  w = std::min({w, sw - sx, dw - dx});
  h = std::min({h, sh - sy, dh - dy});
  return w > 0 && h > 0;
}

uint32_t Le(std::span<const uint8_t> bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<size_t>(i)];
  return value;
}

std::string Count(uint64_t n, const char* what) {
  return std::to_string(n) + " " + what;
}

// Walks run-length data (8 or 4 bits a pixel) from `at` for a picture of
// width x height; empty when it ends with its end mark inside the picture.
std::string RunLengthDamage(std::span<const uint8_t> bytes, size_t at, int64_t width,
                            int64_t height, int bits) {
  int64_t x = 0;
  int64_t y = 0;
  const auto paint = [&](int64_t pixels) -> std::string {
    if (y >= height) return "its run-length data paints below the last row";
    if (x + pixels > width) {
      return "its run-length data paints past the end of row " + std::to_string(y);
    }
    x += pixels;
    return {};
  };
  while (true) {
    if (at + 2 > bytes.size()) return "it is cut short in its run-length data (no end mark)";
    const uint8_t count = bytes[at];
    const uint8_t value = bytes[at + 1];
    at += 2;
    if (count > 0) {
      if (std::string damage = paint(count); !damage.empty()) return damage;
      continue;
    }
    if (value == 0) {  // end of a row
      x = 0;
      ++y;
    } else if (value == 1) {  // end of the picture
      return {};
    } else if (value == 2) {  // a move right and down
      if (at + 2 > bytes.size()) return "it is cut short in its run-length data (no end mark)";
      x += bytes[at];
      y += bytes[at + 1];
      at += 2;
      if (x > width || y > height) return "its run-length data moves outside the picture";
    } else {  // `value` pixels as they are, padded to whole 16-bit words
      const size_t length = bits == 8 ? value : (value + 1u) / 2;
      if (std::string damage = paint(value); !damage.empty()) return damage;
      at += length + (length & 1);
      if (at > bytes.size()) return "it is cut short in its run-length data (no end mark)";
    }
  }
}

// What is wrong with the bytes of a Windows bitmap file, in plain words,
// or empty when it is whole: a file cut short in its header, colour table
// or pixels, sizes or depths no bitmap has, and run-length data that is cut
// short or paints outside the picture.
// `bytes` may be the file's first bytes only (up to its pixels), when
// `size` is the whole file's and it holds no run-length data.
std::string BmpDamage(std::span<const uint8_t> bytes, uint64_t size) {
  if (size < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
    return "not a Windows bitmap (it does not begin with \"BM\")";
  }
  if (size < 18) return "it is cut short in its file header";
  const uint32_t headerSize = Le(bytes, 14, 4);
  const bool core = headerSize == 12;
  if (!core && headerSize < 40) {
    return "its header size " + std::to_string(headerSize) + " is no bitmap header's";
  }
  if (size < 14 + static_cast<uint64_t>(headerSize)) {
    return "it is cut short in its header (" + Count(size, "bytes") + ")";
  }
  // The newer headers' sizes are signed (a negative height: rows top down).
  const auto Signed = [&bytes](size_t at) {
    return int64_t{static_cast<int32_t>(Le(bytes, at, 4))};
  };
  const int64_t width = core ? int64_t{Le(bytes, 18, 2)} : Signed(18);
  const int64_t rawHeight = core ? int64_t{Le(bytes, 20, 2)} : Signed(22);
  const uint32_t bits = core ? Le(bytes, 24, 2) : Le(bytes, 28, 2);
  const uint32_t compression = core ? 0 : Le(bytes, 30, 4);
  const int64_t height = rawHeight < 0 ? -rawHeight : rawHeight;
  if (width <= 0 || height == 0) {
    return "its size " + std::to_string(width) + " x " + std::to_string(rawHeight) +
           " is no picture's";
  }
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
    return "its depth of " + Count(bits, "bits a pixel") + " is no bitmap's";
  }
  // Bit masks after a 40-byte header, then the colour table.
  uint64_t tableAt = 14 + static_cast<uint64_t>(headerSize);
  if (headerSize == 40 && (compression == 3 || compression == 6)) {
    tableAt += compression == 3 ? 12 : 16;
  }
  uint64_t colours = 0;
  if (bits <= 8) {
    const uint32_t used = core ? 0 : Le(bytes, 46, 4);
    colours = used == 0 || used > (1u << bits) ? (1u << bits) : used;
  }
  const uint64_t tableEnd = tableAt + colours * (core ? 3 : 4);
  if (size < tableEnd) {
    return "it is cut short in its colour table (" + Count(size, "bytes") + ")";
  }
  const uint64_t pixelsAt = Le(bytes, 10, 4);
  if (pixelsAt > size) {
    return "it is cut short before its pixels (they would begin at byte " +
           std::to_string(pixelsAt) + " of " + std::to_string(size) + ")";
  }
  if (compression == 1 || compression == 2) {
    if (bits != (compression == 1 ? 8u : 4u)) {
      return "its run-length data is of " + Count(compression == 1 ? 8 : 4, "bits") + " a pixel" +
             " but its depth " + Count(bits, "bits");
    }
    return RunLengthDamage(bytes, static_cast<size_t>(pixelsAt), width, height,
                           static_cast<int>(bits));
  }
  if (compression != 0 && compression != 3 && compression != 6) {
    return "its compression (" + std::to_string(compression) + ") is not one bitmaps use";
  }
  // Every row padded to four bytes (the reader takes whole rows).
  const uint64_t rowBytes = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  const uint64_t needed = rowBytes * static_cast<uint64_t>(height);
  const uint64_t held = size - pixelsAt;
  if (held < needed) {
    return "it is cut short: its pixels need " + Count(needed, "bytes") + " and the file holds " +
           std::to_string(held);
  }
  return {};
}

// The bitmaps written by this program and most others, read without Qt: a
// 40-byte header, one plane, rows bottom up, uncompressed, 24 bits a pixel
// or 8 through a colour table, the pixels right after the table and a
// stated resolution.
struct PlainBmp {
  int width = 0;
  int height = 0;
  uint32_t bits = 0;
  uint32_t colours = 0;
  std::array<uint32_t, 256> table{};
  int32_t dotsX = 0;
  int32_t dotsY = 0;
  size_t pixelsAt = 0;
  size_t rowBytes = 0;
};

// The layout of a plain bitmap from its first bytes (at least its header
// and colour table), or empty for any other bitmap.
std::optional<PlainBmp> PlainLayout(std::span<const uint8_t> bytes) {
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  PlainBmp plain;
  const auto width = static_cast<int32_t>(Le(bytes, 18, 4));
  const auto height = static_cast<int32_t>(Le(bytes, 22, 4));
  plain.bits = Le(bytes, 28, 2);
  plain.dotsX = static_cast<int32_t>(Le(bytes, 38, 4));
  plain.dotsY = static_cast<int32_t>(Le(bytes, 42, 4));
  if (Le(bytes, 14, 4) != 40 || Le(bytes, 26, 2) != 1 || Le(bytes, 30, 4) != 0 ||
      (plain.bits != 24 && plain.bits != 8) || width <= 0 || width > INT_MAX / 4 || height <= 0 ||
      plain.dotsX <= 0 || plain.dotsY <= 0) {
    return std::nullopt;
  }
  plain.width = width;
  plain.height = height;
  if (plain.bits == 8) {
    plain.colours = Le(bytes, 46, 4);
    if (plain.colours == 0 || plain.colours > 256) plain.colours = 256;
  }
  plain.pixelsAt = 54 + size_t{plain.colours} * 4;
  if (Le(bytes, 10, 4) != plain.pixelsAt || bytes.size() < plain.pixelsAt) return std::nullopt;
  for (uint32_t i = 0; i < plain.colours; ++i)
    plain.table[i] = 0xff000000u | Le(bytes, 54 + size_t{i} * 4, 3);
  plain.rowBytes = (static_cast<size_t>(width) * plain.bits + 31) / 32 * 4;
  return plain;
}

// One row of a plain bitmap into opaque RGB32; false for an 8-bit pixel
// naming no colour of the table. `from` may be read a byte past the row.
bool DecodePlainRow(const PlainBmp& plain, const uint8_t* from, uint32_t* to) {
  if (plain.bits == 24) {
    for (int x = 0; x < plain.width; ++x, from += 3) {
      uint32_t pixel;
      std::memcpy(&pixel, from, 4);
      to[x] = 0xff000000u | pixel;
    }
    return true;
  }
  for (int x = 0; x < plain.width; ++x) {
    if (from[x] >= plain.colours) return false;
    to[x] = plain.table[from[x]];
  }
  return true;
}

enum class PlainRead { kNotPlain, kLoaded, kRefused };

// Reads a plain bitmap a block of rows at a time, without the whole file
// in memory; a damaged one is refused with what is wrong, as any bitmap is.
PlainRead ReadPlainBmp(const std::filesystem::path& path, QImage& image, std::string* error) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return PlainRead::kNotPlain;
  std::ifstream in(path, std::ios::binary);
  if (!in) return PlainRead::kNotPlain;
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  in.seekg(0, std::ios::beg);
  if (size < 54) return PlainRead::kNotPlain;
  std::vector<uint8_t> head(static_cast<size_t>(std::min<std::streamoff>(size, 54 + 1024)));
  if (!in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size()))) {
    return PlainRead::kNotPlain;
  }
  const std::optional<PlainBmp> plain = PlainLayout(head);
  if (!plain) return PlainRead::kNotPlain;
  if (std::string damage = BmpDamage(head, static_cast<uint64_t>(size)); !damage.empty()) {
    if (error) *error = std::move(damage);
    return PlainRead::kRefused;
  }
  QImage read(plain->width, plain->height, QImage::Format_RGB32);
  if (read.isNull()) return PlainRead::kNotPlain;
  in.seekg(static_cast<std::streamoff>(plain->pixelsAt), std::ios::beg);
  const int rowsAtOnce = std::max(1, static_cast<int>((size_t{1} << 20) / plain->rowBytes));
  std::vector<uint8_t> block(plain->rowBytes * static_cast<size_t>(rowsAtOnce) + 1);
  for (int done = 0; done < plain->height;) {
    const int rows = std::min(rowsAtOnce, plain->height - done);
    if (!in.read(reinterpret_cast<char*>(block.data()),
                 static_cast<std::streamsize>(plain->rowBytes * static_cast<size_t>(rows)))) {
      if (error) *error = "the file cannot be read";
      return PlainRead::kRefused;
    }
    for (int r = 0; r < rows; ++r) {
      const int y = plain->height - 1 - done - r;  // the file's rows run bottom up
      if (!DecodePlainRow(*plain, block.data() + plain->rowBytes * static_cast<size_t>(r),
                          reinterpret_cast<uint32_t*>(read.scanLine(y)))) {
        return PlainRead::kNotPlain;
      }
    }
    done += rows;
  }
  read.setDotsPerMeterX(plain->dotsX);
  read.setDotsPerMeterY(plain->dotsY);
  image = std::move(read);
  return PlainRead::kLoaded;
}

}  // namespace

Picture::Picture(int width, int height)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32) {
  image_.fill(0xff000000u);
  // Qt gives a new image the screen's resolution, which would make a saved
  // picture's header depend on the display; 96 dots per inch always.
  image_.setDotsPerMeterX(kNewPictureDotsPerMeter);
  image_.setDotsPerMeterY(kNewPictureDotsPerMeter);
}

void Picture::ResizeForRedraw(int width, int height) {
  if (image_.width() != width || image_.height() != height ||
      image_.format() != QImage::Format_RGB32 || !image_.isDetached()) {
    *this = Picture(width, height);
    return;
  }
  image_.setDotsPerMeterX(kNewPictureDotsPerMeter);
  image_.setDotsPerMeterY(kNewPictureDotsPerMeter);
}

Picture::Picture(QImage image) : image_(ToOpaqueRgb32(std::move(image))) {}

Picture Picture::Window(const std::shared_ptr<uint32_t[]>& pixels, size_t count, size_t first,
                        int width, int height, int rowPixels) {
  if (!pixels || width <= 0 || height <= 0 || rowPixels < width) return {};
  const size_t last = first + static_cast<size_t>(height - 1) * static_cast<size_t>(rowPixels) +
                      static_cast<size_t>(width);
  if (first >= count || last > count) return {};
  using Kept = std::shared_ptr<uint32_t[]>;
  auto* kept = new Kept(pixels);
  QImage image(
      reinterpret_cast<uchar*>(pixels.get() + first), width, height,
      static_cast<qsizetype>(rowPixels) * static_cast<qsizetype>(sizeof(uint32_t)),
      QImage::Format_RGB32, [](void* info) { delete static_cast<Kept*>(info); }, kept);
  if (image.isNull()) {
    delete kept;
    return {};
  }
  image.setDotsPerMeterX(kNewPictureDotsPerMeter);
  image.setDotsPerMeterY(kNewPictureDotsPerMeter);
  Picture picture;
  picture.image_ = std::move(image);
  return picture;
}

Picture Picture::Detached() const {
  Picture picture;
  picture.image_ = image_.copy();
  return picture;
}

bool Picture::LoadBmp(const std::filesystem::path& path, std::string* error) {
  QImage plain;
  switch (ReadPlainBmp(path, plain, error)) {
    case PlainRead::kLoaded:
      image_ = ToOpaqueRgb32(std::move(plain));
      return true;
    case PlainRead::kRefused:
      return false;
    case PlainRead::kNotPlain:
      break;
  }
  const std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path);
  if (!bytes) {
    if (error) *error = FileExists(path) ? "the file cannot be read" : "the file does not exist";
    return false;
  }
  return DecodeBmp(*bytes, error);
}

bool Picture::DecodeBmp(std::span<const uint8_t> bytes, std::string* error) {
  // Qt reads a damaged bitmap as far as it goes and leaves the rest black:
  // it is refused here.
  if (std::string damage = BmpDamage(bytes, bytes.size()); !damage.empty()) {
    if (error) *error = std::move(damage);
    return false;
  }
  QImage loaded;
  if (!loaded.loadFromData(bytes.data(), static_cast<int>(std::min<size_t>(bytes.size(), INT_MAX)),
                           "bmp")) {
    if (error) *error = "not a readable Windows bitmap";
    return false;
  }
  image_ = ToOpaqueRgb32(std::move(loaded));
  return true;
}

std::array<uint8_t, kBmpHeaderBytes> BmpHeader(int width, int height, int dotsPerMeterX,
                                               int dotsPerMeterY) {
  // What Qt's own writer makes.
  const size_t pixelBytes = BmpRowBytes(width) * static_cast<size_t>(height);
  std::array<uint8_t, kBmpHeaderBytes> bytes{};
  const auto put = [&bytes](size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes[at + static_cast<size_t>(i)] = (value >> (8 * i)) & 0xff;
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put(2, static_cast<uint32_t>(kBmpHeaderBytes + pixelBytes), 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, static_cast<uint32_t>(width), 4);
  put(22, static_cast<uint32_t>(height), 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, static_cast<uint32_t>(pixelBytes), 4);
  put(38, static_cast<uint32_t>(dotsPerMeterX), 4);
  put(42, static_cast<uint32_t>(dotsPerMeterY), 4);
  return bytes;
}

void PackBmpRow(const uint32_t* pixels, int width, uint8_t* out) {
  int x = 0;
  if constexpr (std::endian::native == std::endian::little) {
    // Four pixels make three words: BGRB GRBG RBGR.
    for (; x + 4 <= width; x += 4, pixels += 4, out += 12) {
      const uint32_t first = (pixels[0] & 0xffffffu) | pixels[1] << 24;
      const uint32_t second = ((pixels[1] >> 8) & 0xffffu) | pixels[2] << 16;
      const uint32_t third = ((pixels[2] >> 16) & 0xffu) | pixels[3] << 8;
      std::memcpy(out, &first, 4);
      std::memcpy(out + 4, &second, 4);
      std::memcpy(out + 8, &third, 4);
    }
  }
  for (; x < width; ++x, ++pixels, out += 3) {
    out[0] = *pixels & 0xff;
    out[1] = (*pixels >> 8) & 0xff;
    out[2] = (*pixels >> 16) & 0xff;
  }
}

std::vector<uint8_t> Picture::EncodeBmp() const {
  // Without the copies of Qt's writer.
  const int width = Width();
  const int height = Height();
  const size_t rowBytes = BmpRowBytes(width);
  std::vector<uint8_t> bytes(kBmpHeaderBytes + rowBytes * static_cast<size_t>(height), 0);
  const auto header = BmpHeader(width, height, image_.dotsPerMeterX(), image_.dotsPerMeterY());
  std::copy(header.begin(), header.end(), bytes.begin());
  for (int y = 0; y < height; ++y) {
    PackBmpRow(reinterpret_cast<const uint32_t*>(image_.constScanLine(height - 1 - y)), width,
               bytes.data() + kBmpHeaderBytes + rowBytes * static_cast<size_t>(y));
  }
  return bytes;
}

bool Picture::SaveBmp(const std::filesystem::path& path, std::string* error) const {
  return WriteFileAtomically(path, EncodeBmp(), error);
}

bool Picture::SavePng(const std::filesystem::path& path, std::string* error) const {
  QImageWriter writer(QString::fromStdString(path.string()), "png");
  if (!writer.write(image_)) {
    if (error) *error = "cannot write " + path.string() + ": " + writer.errorString().toStdString();
    return false;
  }
  return true;
}

uint32_t Picture::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return 0;
  return reinterpret_cast<const uint32_t*>(image_.constScanLine(y))[x] & 0x00ffffffu;
}

void Picture::SetPixel(int x, int y, uint32_t rgb) {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) return;
  reinterpret_cast<uint32_t*>(image_.scanLine(y))[x] = 0xff000000u | rgb;
}

void Picture::Fill(uint32_t rgb) {
  if (!IsNull()) image_.fill(0xff000000u | rgb);
}

void Picture::FillRect(const PixelRect& rect, uint32_t rgb) {
  int x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
  int x1 = std::min(rect.x + rect.width, Width()), y1 = std::min(rect.y + rect.height, Height());
  for (int y = y0; y < y1; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image_.scanLine(y));
    std::fill(row + x0, row + std::max(x0, x1), 0xff000000u | rgb);
  }
}

void Picture::DrawRectOutline(const PixelRect& rect, uint32_t rgb) {
  if (rect.width <= 0 || rect.height <= 0) return;
  int right = rect.x + rect.width - 1, bottom = rect.y + rect.height - 1;
  for (int x = rect.x; x <= right; ++x) {
    SetPixel(x, rect.y, rgb);
    SetPixel(x, bottom, rgb);
  }
  for (int y = rect.y; y <= bottom; ++y) {
    SetPixel(rect.x, y, rgb);
    SetPixel(right, y, rgb);
  }
}

void Picture::Blend(Transfer transfer, int dx, int dy, const Picture& source, int sx, int sy, int w,
                    int h) {
  if (IsNull() || source.IsNull()) return;
  if (!ClipTransfer(dx, dy, sx, sy, w, h, Width(), Height(), source.Width(), source.Height())) {
    return;
  }
  const bool same = &source == this;
  // Within one picture, walk rows in the direction that never reads a row
  // already overwritten; memmove handles the overlap inside a row.
  const bool upwards = same && dy > sy;
  std::vector<uint32_t> rowCopy;
  for (int i = 0; i < h; ++i) {
    int row = upwards ? h - 1 - i : i;
    const auto* from =
        reinterpret_cast<const uint32_t*>(source.image_.constScanLine(sy + row)) + sx;
    auto* to = reinterpret_cast<uint32_t*>(image_.scanLine(dy + row)) + dx;
    if (same && transfer != Transfer::kCopy) {
      rowCopy.assign(from, from + w);
      from = rowCopy.data();
    }
    switch (transfer) {
      case Transfer::kCopy:
        std::memmove(to, from, static_cast<size_t>(w) * sizeof(uint32_t));
        break;
      case Transfer::kAnd:
        for (int x = 0; x < w; ++x) to[x] = (to[x] & from[x]) | 0xff000000u;
        break;
      case Transfer::kOr:
        for (int x = 0; x < w; ++x) to[x] = (to[x] | from[x]) | 0xff000000u;
        break;
    }
  }
}

void Picture::Copy(int dx, int dy, const Picture& source, int sx, int sy, int w, int h) {
  Blend(Transfer::kCopy, dx, dy, source, sx, sy, w, h);
}

void Picture::And(int dx, int dy, const Picture& source, int sx, int sy, int w, int h) {
  Blend(Transfer::kAnd, dx, dy, source, sx, sy, w, h);
}

void Picture::Or(int dx, int dy, const Picture& source, int sx, int sy, int w, int h) {
  Blend(Transfer::kOr, dx, dy, source, sx, sy, w, h);
}

void Picture::FillBlack(int dx, int dy, int w, int h) {
  FillRect({dx, dy, w, h}, 0);
}

void Picture::Stretch(const PixelRect& destination, const Picture& source,
                      const PixelRect& sourceRect) {
  if (IsNull() || source.IsNull() || destination.width <= 0 || destination.height <= 0 ||
      sourceRect.width <= 0 || sourceRect.height <= 0) {
    return;
  }
  // Sample from a private copy so a stretch within one picture reads the old pixels.
  Picture from = &source == this ? Picture(image_.copy()) : Picture();
  const Picture& src = &source == this ? from : source;
  for (int y = 0; y < destination.height; ++y) {
    int ty = destination.y + y;
    if (ty < 0 || ty >= Height()) continue;
    int syy = sourceRect.y +
              static_cast<int>(static_cast<int64_t>(y) * sourceRect.height / destination.height);
    for (int x = 0; x < destination.width; ++x) {
      int tx = destination.x + x;
      if (tx < 0 || tx >= Width()) continue;
      int sxx = sourceRect.x +
                static_cast<int>(static_cast<int64_t>(x) * sourceRect.width / destination.width);
      if (sxx < 0 || syy < 0 || sxx >= src.Width() || syy >= src.Height()) continue;
      SetPixel(tx, ty, src.PixelAt(sxx, syy));
    }
  }
}

std::span<const uint8_t> Picture::Bytes() const {
  if (IsNull()) return {};
  return {image_.constBits(), static_cast<size_t>(image_.sizeInBytes())};
}

std::span<uint8_t> Picture::MutableBytes() {
  if (IsNull()) return {};
  return {image_.bits(), static_cast<size_t>(image_.sizeInBytes())};
}

}  // namespace korv
