#pragma once
// Errors in the log reach the user: whatever the terminal or a plug-in logs
// as an error is also shown on screen, so a failed save is never silent.

#include <functional>
#include <memory>
#include <mutex>

#include <spdlog/sinks/base_sink.h>
#include <wx/string.h>

/// A log sink handing error and critical lines to a target on the GUI thread.
class NoticeSink : public spdlog::sinks::base_sink<std::mutex>, public std::enable_shared_from_this<NoticeSink>
{
public:
    /// Set and cleared on the GUI thread; lines logged without a target are dropped.
    void SetTarget(std::function<void(const wxString&)> target) { m_target = std::move(target); }

protected:
    void sink_it_(const spdlog::details::log_msg& message) override;
    void flush_() override {}

private:
    void Deliver(const wxString& text) const;

    std::function<void(const wxString&)> m_target;
};
