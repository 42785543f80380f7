// The sound port on Qt Multimedia. Each distinct WAVE image is written once
// to a temporary file, since a sound effect plays from a URL.
#pragma once

#include <QByteArray>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <map>
#include <memory>

#include "desktop/sound_player.h"

namespace vantrope {

class QtSoundPlayer : public SoundPlayer {
 public:
  void Play(const std::vector<uint8_t>& wave) override;

 private:
  struct Sound {
    std::unique_ptr<QTemporaryFile> file;
    std::unique_ptr<QSoundEffect> effect;
  };
  // Null when the image could not be stored; it then stays silent.
  QSoundEffect* EffectFor(const std::vector<uint8_t>& wave);

  std::map<QByteArray, Sound> sounds_;
  QSoundEffect* playing_ = nullptr;
};

}  // namespace vantrope
