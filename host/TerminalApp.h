#pragma once
// The terminal program: locale, working folder, command line, then a Terminal.

#include <memory>
#include <optional>

#include <wx/app.h>

class StallProbe;
class Terminal;

/// wxApp of tickerdeck-terminal.
class TerminalApp : public wxApp
{
public:
    TerminalApp();
    ~TerminalApp() override;

    bool Initialize(int& argc, wxChar** argv) override;
    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

private:
    /// Ends the program with `code` before any window opens.
    bool EndEarly(int code);
    void ReportStartupError(const wxString& message, bool interactive);
    /// Closes the main frame, saving, without asking the user anything.
    void QuitUnasked();

    std::unique_ptr<Terminal> m_terminal;
    std::unique_ptr<StallProbe> m_stallProbe;
    std::optional<int> m_earlyExitCode;
};
