#include "app/qt/qt_sound_player.h"

#include <QDir>
#include <QUrl>

namespace vantrope {

QSoundEffect* QtSoundPlayer::EffectFor(const std::vector<uint8_t>& wave) {
  QByteArray bytes(reinterpret_cast<const char*>(wave.data()), qsizetype(wave.size()));
  if (auto found = sounds_.find(bytes); found != sounds_.end()) return found->second.effect.get();

  auto file = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/vantrope-XXXXXX.wav"));
  if (!file->open() || file->write(bytes) != bytes.size() || !file->flush()) return nullptr;
  auto effect = std::make_unique<QSoundEffect>();
  effect->setSource(QUrl::fromLocalFile(file->fileName()));
  QSoundEffect* result = effect.get();
  sounds_.emplace(std::move(bytes), Sound{std::move(file), std::move(effect)});
  return result;
}

void QtSoundPlayer::Play(const std::vector<uint8_t>& wave) {
  if (wave.empty()) return;
  if (playing_) playing_->stop();
  playing_ = EffectFor(wave);
  // Without an audio device the effect reports an error and stays silent.
  if (playing_) playing_->play();
}

}  // namespace vantrope
