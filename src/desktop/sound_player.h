// Sound port: plays a WAVE image held in memory, asynchronously.
#pragma once

#include <cstdint>
#include <vector>

namespace vantrope {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts playing and returns at once; a sound still playing is cut off.
  virtual void Play(const std::vector<uint8_t>& wave) = 0;
};

}  // namespace vantrope
