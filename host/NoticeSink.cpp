#include "NoticeSink.h"

#include <wx/app.h>

void NoticeSink::sink_it_(const spdlog::details::log_msg& message)
{
    if (message.level < spdlog::level::err || !wxTheApp)
        return;
    // Lines may come from any thread; the target runs on the GUI thread,
    // after whatever is logging has finished.
    const wxString text = wxString::FromUTF8(message.payload.data(), message.payload.size());
    std::shared_ptr<const NoticeSink> self = shared_from_this();
    wxTheApp->CallAfter([self, text] { self->Deliver(text); });
}

void NoticeSink::Deliver(const wxString& text) const
{
    if (m_target)
        m_target(text);
}
