#pragma once

#include <Qt>

namespace leafreader {

// The keyboard's media and volume keys as the reader reads them, in book
// mode and in list mode alike, whatever modifiers are held. Keyboards send
// the play/pause key as play, as pause or as the toggle.
enum class MediaKey { None, Next, Previous, Stop, PlayPause, Volume };

constexpr MediaKey mediaKey(int key)
{
    switch (key) {
    case Qt::Key_MediaNext: return MediaKey::Next;
    case Qt::Key_MediaPrevious: return MediaKey::Previous;
    case Qt::Key_MediaStop: return MediaKey::Stop;
    case Qt::Key_MediaPlay:
    case Qt::Key_MediaPause:
    case Qt::Key_MediaTogglePlayPause: return MediaKey::PlayPause;
    case Qt::Key_VolumeMute:
    case Qt::Key_VolumeDown:
    case Qt::Key_VolumeUp: return MediaKey::Volume;
    default: return MediaKey::None;
    }
}

} // namespace leafreader
