// Picture service: an off-screen picture kept as opaque 32-bit RGB, with
// Windows bitmap load and save and the rectangle transfers the hex drawing
// is built from (copy, AND, OR, fill black, stretch). Bitwise AND and OR are
// exact only on opaque 32-bit pixels, so every picture is kept in that form.
#pragma once

#include <QImage>
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

namespace korv {

struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// The resolution a new picture has (and its BMP header states): 96 dots per inch.
constexpr int kNewPictureDotsPerMeter = 3780;

// A 24-bit bitmap file: its 54 header bytes (the 40-byte header), then
// rows bottom up, each padded to four bytes.
constexpr size_t kBmpHeaderBytes = 54;
constexpr size_t BmpRowBytes(int width) {
  return (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
}
std::array<uint8_t, kBmpHeaderBytes> BmpHeader(int width, int height, int dotsPerMeterX,
                                               int dotsPerMeterY);
// `width` pixels (0x..RRGGBB words) as the start of a bitmap file's row:
// blue, green and red of each, 3 * width bytes; the padding is not touched.
void PackBmpRow(const uint32_t* pixels, int width, uint8_t* out);

class Picture {
 public:
  Picture() = default;
  Picture(int width, int height);  // filled black
  explicit Picture(QImage image);  // converted to opaque RGB32
  // A width x height picture over `pixels`, its first pixel at element
  // `first` and its rows `rowPixels` apart, which keeps `pixels` alive.
  // Drawing on it draws there; a copy of it drawn on gets its own pixels, as
  // for any picture. Null when the size is empty or reaches past `count`.
  static Picture Window(const std::shared_ptr<uint32_t[]>& pixels, size_t count, size_t first,
                        int width, int height, int rowPixels);
  // A picture with its own copy of the pixels.
  Picture Detached() const;
  // Makes this a width x height picture with a new picture's resolution,
  // every pixel of which the caller sets next: the pixels it has are kept,
  // unchanged, when it has that size already and shares them with no other
  // picture; otherwise it is made anew.
  void ResizeForRedraw(int width, int height);

  // Loads a Windows bitmap (1/4/8/16/24/32 bits per pixel). On failure the
  // picture is left unchanged and `error` says why.
  bool LoadBmp(const std::filesystem::path& path, std::string* error = nullptr);
  // The same for the bytes of a bitmap file in memory.
  bool DecodeBmp(std::span<const uint8_t> bytes, std::string* error = nullptr);
  // The picture as the bytes of a 24-bit BMP file.
  std::vector<uint8_t> EncodeBmp() const;
  // Saves as a 24-bit Windows bitmap through a temporary file renamed into place.
  bool SaveBmp(const std::filesystem::path& path, std::string* error = nullptr) const;
  bool SavePng(const std::filesystem::path& path, std::string* error = nullptr) const;

  bool IsNull() const { return image_.isNull(); }
  int Width() const { return image_.width(); }
  int Height() const { return image_.height(); }
  int BytesPerRow() const { return static_cast<int>(image_.bytesPerLine()); }
  int BitsPerPixel() const { return image_.depth(); }

  // 0x00RRGGBB; outside the picture 0.
  uint32_t PixelAt(int x, int y) const;
  void SetPixel(int x, int y, uint32_t rgb);
  void Fill(uint32_t rgb);
  void FillRect(const PixelRect& rect, uint32_t rgb);
  void DrawRectOutline(const PixelRect& rect, uint32_t rgb);

  // Rectangle transfers of `source` (at sx, sy, size w x h) to (dx, dy) of
  // this picture. The source may be this picture itself, also overlapping.
  // Parts outside either picture are clipped.
  void Copy(int dx, int dy, const Picture& source, int sx, int sy, int w, int h);
  void And(int dx, int dy, const Picture& source, int sx, int sy, int w, int h);
  void Or(int dx, int dy, const Picture& source, int sx, int sy, int w, int h);
  void FillBlack(int dx, int dy, int w, int h);
  // Stretches the source rectangle over the destination rectangle (nearest pixel).
  void Stretch(const PixelRect& destination, const Picture& source, const PixelRect& sourceRect);

  // The pixel bytes as one block, rows top first: blue, green, red and a
  // fourth byte per pixel, BytesPerRow() bytes a row.
  std::span<const uint8_t> Bytes() const;
  std::span<uint8_t> MutableBytes();

  const QImage& Image() const { return image_; }

 private:
  enum class Transfer { kCopy, kAnd, kOr };
  void Blend(Transfer transfer, int dx, int dy, const Picture& source, int sx, int sy, int w,
             int h);

  QImage image_;
};

}  // namespace korv
