// The program's own two small pictures need no image library: the binary
// pixmap form is a short text header and the raw pixels.
#include "app/pixmap_reader.h"

#include <cctype>
#include <string>

namespace vantrope {
namespace {

class HeaderReader {
 public:
  explicit HeaderReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  bool Magic() {
    if (bytes_.size() < 2 || bytes_[0] != 'P' || bytes_[1] != '6') return false;
    at_ = 2;
    return true;
  }

  // The next decimal number after blanks and comments; -1 when there is none.
  long Number() {
    SkipBlanksAndComments();
    long value = -1;
    while (at_ < bytes_.size() && std::isdigit(bytes_[at_]) && value < 100000)
      value = (value < 0 ? 0 : value * 10) + (bytes_[at_++] - '0');
    return value;
  }

  // One blank ends the header; the pixels follow.
  bool EndOfHeader() { return at_ < bytes_.size() && std::isspace(bytes_[at_++]); }
  size_t Position() const { return at_; }

 private:
  void SkipBlanksAndComments() {
    while (at_ < bytes_.size()) {
      if (std::isspace(bytes_[at_])) {
        ++at_;
      } else if (bytes_[at_] == '#') {
        while (at_ < bytes_.size() && bytes_[at_] != '\n') ++at_;
      } else {
        return;
      }
    }
  }

  const std::vector<uint8_t>& bytes_;
  size_t at_ = 0;
};

}  // namespace

std::optional<Bitmap> ReadPixmap(const std::vector<uint8_t>& bytes) {
  HeaderReader header(bytes);
  if (!header.Magic()) return std::nullopt;
  const long width = header.Number();
  const long height = header.Number();
  const long max_value = header.Number();
  if (width <= 0 || height <= 0 || max_value != 255 || !header.EndOfHeader()) return std::nullopt;
  const size_t start = header.Position();
  if (bytes.size() - start < static_cast<size_t>(width * height * 3)) return std::nullopt;

  Bitmap picture;
  picture.Resize(static_cast<int>(width), static_cast<int>(height));
  const uint8_t* pixel = bytes.data() + start;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x, pixel += 3)
      picture.SetPixel(x, y, static_cast<uint32_t>(pixel[0] | (pixel[1] << 8) | (pixel[2] << 16)));
  return picture;
}

}  // namespace vantrope
