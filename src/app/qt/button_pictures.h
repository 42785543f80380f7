// The pictures of the picture-only buttons: the pause buttons and the mute switch.
#pragma once

#include <QIcon>

namespace vantrope {

// Pause once the running bet has its result.
QIcon PauseAfterResultPicture();
// Pause once a bet is won.
QIcon PauseAfterWinPicture();
// Cancel the pause request, or go on after a pause.
QIcon ContinuePicture();
// A loudspeaker; crossed out in the switch's pressed (muted) state.
QIcon MutePicture();

}  // namespace vantrope
