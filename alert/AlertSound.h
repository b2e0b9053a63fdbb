#pragma once
// The alert chime, played from the sound folder beside the running program,
// else from the one in the working folder (an installed host's assets).

#include <functional>

#include <wx/string.h>

namespace alert_sound {

/// "<folder of exePath>/sound/alert.wav" with the platform's separators.
wxString SoundPathBeside(const wxString& exePath);
/// The chime beside `exePath` when it is there, else under `workingFolder`.
wxString SoundPathFor(const wxString& exePath, const wxString& workingFolder);
/// SoundPathFor the running executable and the current folder.
wxString SoundPath();

/// Plays a sound file; the default one plays asynchronously and skips a
/// missing file without a message.
using Player = std::function<void(const wxString& path)>;
/// Installs `player` (an empty one restores the default) and returns the
/// previous one, so tests and silent setups can listen instead.
Player SetPlayer(Player player);

/// The default player: plays `path` asynchronously when it exists; a
/// missing file or an unusable sound device passes without a message.
void PlayIfPresent(const wxString& path);

/// Plays the chime once; returns at once.
void Play();

}  // namespace alert_sound
