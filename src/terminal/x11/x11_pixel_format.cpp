#include "terminal/x11/x11_pixel_format.h"

namespace vantrope {

namespace {
constexpr int kPixelBits = sizeof(unsigned long) * 8;
}  // namespace

X11PixelFormat::Channel::Channel(unsigned long channel_mask) : mask(channel_mask) {
  if (mask == 0) return;
  while (((mask >> shift) & 1) == 0) ++shift;
  while (shift + bits < kPixelBits && ((mask >> (shift + bits)) & 1) != 0) ++bits;
}

// Components of other widths are scaled to and from 8 bits.
unsigned int X11PixelFormat::Channel::Read(unsigned long pixel) const {
  const unsigned long value = (pixel & mask) >> shift;
  if (bits >= 8) return static_cast<unsigned int>(value >> (bits - 8));
  const unsigned long top = (1ul << bits) - 1;
  return static_cast<unsigned int>((value * 255 + top / 2) / top);
}

unsigned long X11PixelFormat::Channel::Write(unsigned int component) const {
  unsigned long value = 0;
  if (bits >= 8) {
    value = static_cast<unsigned long>(component) << (bits - 8);
  } else {
    const unsigned long top = (1ul << bits) - 1;
    value = (component * top + 127) / 255;
  }
  return (value << shift) & mask;
}

X11PixelFormat::X11PixelFormat(unsigned long red_mask, unsigned long green_mask, unsigned long blue_mask)
    : red_(red_mask), green_(green_mask), blue_(blue_mask) {}

bool X11PixelFormat::Usable() const { return red_.bits > 0 && green_.bits > 0 && blue_.bits > 0; }

ui::Color X11PixelFormat::ToColor(unsigned long pixel) const {
  return ui::Rgb(static_cast<uint8_t>(red_.Read(pixel)), static_cast<uint8_t>(green_.Read(pixel)),
                 static_cast<uint8_t>(blue_.Read(pixel)));
}

unsigned long X11PixelFormat::ToPixel(ui::Color color) const {
  return red_.Write(color & 0xFF) | green_.Write((color >> 8) & 0xFF) | blue_.Write((color >> 16) & 0xFF);
}

}  // namespace vantrope
