#include "watchlist/LookupField.h"

#include <algorithm>

#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/vlbox.h>

#include "kit/IconCache.h"
#include "contract/Theme.h"
#include "layout/TreeValues.h"
#include "model/InstrumentLookup.h"

namespace {

constexpr int kMaxWidth = 520;
constexpr int kRowPadding = 6;

}  // namespace

/// The found instruments, drawn one a line: flag, code, name, and the
/// exchange at the right.
class LookupList : public wxVListBox
{
public:
    LookupList(wxWindow* parent, const std::vector<Instrument*>& shown)
        : wxVListBox(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE), m_shown(shown)
    {
    }

    void SetColours(const wxColour& text, const wxColour& selection)
    {
        m_textColour = text;
        m_selectionColour = selection;
    }

    int RowHeight() const { return GetCharHeight() + kRowPadding; }

protected:
    wxCoord OnMeasureItem(size_t /*n*/) const override { return RowHeight(); }

    void OnDrawBackground(wxDC& dc, const wxRect& rect, size_t n) const override
    {
        if (!IsSelected(n))
            return;
        dc.SetBrush(wxBrush(m_selectionColour));
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.DrawRectangle(rect);
    }

    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t n) const override
    {
        if (n >= m_shown.size())
            return;
        const Instrument& instrument = *m_shown[n];
        dc.SetFont(GetFont());
        dc.SetTextForeground(m_textColour);
        int x = rect.x + 4;
        const wxBitmap& flag = IconCache::Shared().Load("./icon/flag/" + layout::ToWxString(instrument.flag) + ".png");
        if (flag.IsOk())
            dc.DrawBitmap(flag, x, rect.y + (rect.height - flag.GetHeight()) / 2, true);
        x += 22;
        const int textY = rect.y + kRowPadding / 2;
        const wxString exchange = layout::ToWxString(instrument.exchange);
        const int exchangeX = rect.GetRight() - 4 - dc.GetTextExtent(exchange).x;
        const wxString code = layout::ToWxString(instrument.code);
        wxFont bold = GetFont();
        bold.MakeBold();
        dc.SetFont(bold);
        dc.DrawText(code, x, textY);
        const int nameX = x + std::max(dc.GetTextExtent(code).x + 10, 90);
        dc.SetFont(GetFont());
        dc.SetClippingRegion(nameX, rect.y, std::max(0, exchangeX - 10 - nameX), rect.height);
        dc.DrawText(layout::ToWxString(instrument.name), nameX, textY);
        dc.DestroyClippingRegion();
        dc.DrawText(exchange, exchangeX, textY);
    }

private:
    const std::vector<Instrument*>& m_shown;
    wxColour m_textColour = wxSystemSettings::GetColour(wxSYS_COLOUR_LISTBOXTEXT);
    wxColour m_selectionColour = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
};

LookupField::LookupField(wxWindow* grid, std::shared_ptr<const InstrumentLookup> lookup, const Theme* theme,
                         const wxString& typed, Chosen chosen)
    : wxPanel(grid, wxID_ANY), m_grid(grid), m_lookup(std::move(lookup)), m_chosen(std::move(chosen))
{
    m_text = new wxTextCtrl(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                            wxTE_PROCESS_ENTER | wxBORDER_NONE);
    m_text->SetHint(_("Code or name to add"));
    m_list = new LookupList(this, m_shown);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // The panel's own colour shows as a one-pixel frame around both.
    sizer->Add(m_text, 0, wxEXPAND | wxALL, 1);
    sizer->Add(m_list, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 1);
    SetSizer(sizer);
    ApplyTheme(theme);

    m_text->Bind(wxEVT_TEXT, &LookupField::OnText, this);
    m_text->Bind(wxEVT_KEY_DOWN, &LookupField::OnKey, this);
    m_text->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { Choose(); });
    m_text->Bind(wxEVT_KILL_FOCUS, &LookupField::OnFocusLost, this);
    // The same when the focus comes back later.
    m_text->Bind(wxEVT_SET_FOCUS,
                 [this](wxFocusEvent& event)
                 {
                     event.Skip();
                     CallAfter([this] { m_text->SetInsertionPointEnd(); });
                 });
    m_list->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { Choose(); });

    Raise();
    // Focused while still empty: GTK selects a field's text when it takes
    // the focus, and the next key would replace the letter that opened it.
    m_text->SetFocus();
    m_text->ChangeValue(typed);
    m_text->SetInsertionPointEnd();
    Update();
}

LookupField::~LookupField() = default;

void LookupField::ApplyTheme(const Theme* theme)
{
    if (!theme)
        return;
    SetBackgroundColour(theme->BorderColour());
    for (wxWindow* part : {static_cast<wxWindow*>(m_text), static_cast<wxWindow*>(m_list)})
    {
        part->SetBackgroundColour(theme->CellBackgroundColour());
        part->SetForegroundColour(theme->TextColour());
        part->SetFont(theme->GridFont());
    }
    m_list->SetColours(theme->TextColour(), theme->SelectionColour());
}

int LookupField::GetSelection() const
{
    return m_list->GetSelection();
}

void LookupField::Update()
{
    m_shown = m_lookup ? m_lookup->Find(m_text->GetValue()) : std::vector<Instrument*>();
    m_list->SetItemCount(m_shown.size());
    m_list->SetSelection(m_shown.empty() ? wxNOT_FOUND : 0);
    m_list->Show(!m_shown.empty());
    m_list->Refresh();
    Place();
}

void LookupField::Place()
{
    const wxSize area = m_grid->GetClientSize();
    const int width = std::max(1, std::min(kMaxWidth, area.x - 2));
    const int textHeight = m_text->GetBestSize().y;
    const int listHeight = static_cast<int>(m_shown.size()) * m_list->RowHeight();
    const int height = 2 + textHeight + (m_shown.empty() ? 0 : listHeight + 1);
    SetSize(1, 1, width, std::min(height, std::max(textHeight + 2, area.y - 2)));
    Layout();
}

void LookupField::Choose()
{
    if (m_closing)
        return;
    const int selected = m_list->GetSelection();
    Instrument* chosen = selected >= 0 && static_cast<size_t>(selected) < m_shown.size()
                             ? m_shown[static_cast<size_t>(selected)]
                             : nullptr;
    if (!chosen)
        return;
    // Closed first: what the opener does may well take the focus elsewhere.
    Chosen handler = m_chosen;
    Close();
    handler(chosen);
}

void LookupField::Close()
{
    if (m_closing)
        return;
    m_closing = true;
    Hide();
    m_grid->SetFocus();
    // Not inside the text field's own handlers.
    CallAfter([this] { Destroy(); });
}

void LookupField::OnText(wxCommandEvent& /*event*/)
{
    if (m_text->GetValue().empty())
        Close();
    else
        Update();
}

void LookupField::OnKey(wxKeyEvent& event)
{
    const int count = static_cast<int>(m_shown.size());
    switch (event.GetKeyCode())
    {
    case WXK_ESCAPE:
        Close();
        return;
    case WXK_UP:
    case WXK_DOWN:
        if (count > 0)
        {
            const int step = event.GetKeyCode() == WXK_UP ? -1 : 1;
            m_list->SetSelection((std::max(m_list->GetSelection(), 0) + step + count) % count);
        }
        return;
    default:
        event.Skip();
    }
}

void LookupField::OnFocusLost(wxFocusEvent& event)
{
    event.Skip();
    // A click into the list takes the focus too; let it choose first.
    CallAfter(
        [this]
        {
            wxWindow* focus = FindFocus();
            if (!m_closing && focus != m_text && focus != m_list)
                Close();
        });
}
