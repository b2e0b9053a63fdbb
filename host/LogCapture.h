#pragma once
// Collects what the toolkit logs or prints inside a scope instead of showing
// it in message boxes, so callers can report it their own way.

#include <wx/log.h>
#include <wx/msgout.h>

/// While alive, gathers wxLog messages and wxMessageOutput texts into one text.
class LogCapture : public wxLog
{
public:
    LogCapture()
        : m_output(*this),
          m_previousLog(wxLog::SetActiveTarget(this)),
          m_previousOutput(wxMessageOutput::Set(&m_output))
    {
    }
    ~LogCapture() override
    {
        wxMessageOutput::Set(m_previousOutput);
        wxLog::SetActiveTarget(m_previousLog);
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const wxString& Text() const { return m_text; }

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& message) override { Append(message); }

private:
    /// Routes printed texts into the owning capture.
    class Printer : public wxMessageOutput
    {
    public:
        explicit Printer(LogCapture& owner) : m_owner(owner) {}
        void Output(const wxString& text) override { m_owner.Append(text); }

    private:
        LogCapture& m_owner;
    };

    void Append(wxString message)
    {
        message.Trim();
        if (message.empty())
            return;
        if (!m_text.empty())
            m_text += "; ";
        m_text += message;
    }

    Printer m_output;
    wxLog* m_previousLog;
    wxMessageOutput* m_previousOutput;
    wxString m_text;
};
