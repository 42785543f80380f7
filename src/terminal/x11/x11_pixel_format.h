// Pixel values of a true-colour visual, to and from the controls' colours.
#pragma once

#include "ui/color.h"

namespace vantrope {

class X11PixelFormat {
 public:
  X11PixelFormat(unsigned long red_mask, unsigned long green_mask, unsigned long blue_mask);

  // False for visuals without colour masks (colour maps of indexed colours).
  bool Usable() const;
  ui::Color ToColor(unsigned long pixel) const;
  unsigned long ToPixel(ui::Color color) const;

 private:
  struct Channel {
    explicit Channel(unsigned long mask);
    unsigned int Read(unsigned long pixel) const;
    unsigned long Write(unsigned int component) const;

    unsigned long mask;
    int shift = 0;
    int bits = 0;
  };

  Channel red_;
  Channel green_;
  Channel blue_;
};

}  // namespace vantrope
