#include "alert/AlertSound.h"

#include <utility>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/sound.h>
#include <wx/stdpaths.h>

namespace alert_sound {

void PlayIfPresent(const wxString& path)
{
    if (!wxFileName::FileExists(path))
        return;
    // The result is of no use: a missing sound device must not bother the
    // user, and the toolkit's own complaints would raise a message box.
    wxLogNull quiet;
    wxSound::Play(path, wxSOUND_ASYNC);
}

namespace {

Player& CurrentPlayer()
{
    static Player player = PlayIfPresent;
    return player;
}

}  // namespace

wxString SoundPathBeside(const wxString& exePath)
{
    const wxFileName executable(exePath);
    wxFileName sound(executable.GetPath(wxPATH_GET_VOLUME), "alert.wav");
    sound.AppendDir("sound");
    return sound.GetFullPath();
}

wxString SoundPathFor(const wxString& exePath, const wxString& workingFolder)
{
    // An installed host keeps its program in bin/ and its assets elsewhere;
    // there the working folder, which the icons come from, has the sound.
    const wxString beside = SoundPathBeside(exePath);
    if (wxFileName::FileExists(beside))
        return beside;
    wxFileName sound(workingFolder, "alert.wav");
    sound.AppendDir("sound");
    return sound.GetFullPath();
}

wxString SoundPath()
{
    return SoundPathFor(wxStandardPaths::Get().GetExecutablePath(), wxFileName::GetCwd());
}

Player SetPlayer(Player player)
{
    Player previous = std::move(CurrentPlayer());
    CurrentPlayer() = player ? std::move(player) : Player(PlayIfPresent);
    return previous;
}

void Play()
{
    CurrentPlayer()(SoundPath());
}

}  // namespace alert_sound
