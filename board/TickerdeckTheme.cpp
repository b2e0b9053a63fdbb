// Colours and fonts of the board, taken from the host's theme at
// construction and again whenever the host switches themes.

#include <wx/font.h>
#include <wx/grid.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>

#include "board/BoardColours.h"
#include "kit/BoardNotice.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "controls/wxFlatNotebook.h"
#include "controls/wxGridEx.h"
#include "controls/ToolBarColours.h"
#include "controls/wxStaticTextEx.h"
#include "contract/Theme.h"

namespace {

// The host's font maker takes the toolkit's numbers: bold, upright.
constexpr int kTitleWeight = wxFONTWEIGHT_BOLD;
constexpr int kTitleStyle = wxFONTSTYLE_NORMAL;
static_assert(kTitleWeight == 700 && kTitleStyle == 90, "the title font's numbers changed with the toolkit");

// Flashes take the theme's selection colour, so the selected rows take one
// of their own: the cell background moved towards the text colour, which
// keeps the text and the up and down colours readable on it in a dark and
// a light theme alike.
wxColour SelectedRowColour(const Theme& theme)
{
    constexpr int kTextShare = 22; // percent
    const wxColour cell = theme.CellBackgroundColour();
    const wxColour text = theme.TextColour();
    const auto mix = [](unsigned char from, unsigned char to)
    { return static_cast<unsigned char>((from * (100 - kTextShare) + to * kTextShare + 50) / 100); };
    return wxColour(mix(cell.Red(), text.Red()), mix(cell.Green(), text.Green()),
                    mix(cell.Blue(), text.Blue()));
}

void ApplyTableColours(TickerdeckTable* table, const Theme& theme)
{
    table->Styler().SetHighlightColour(theme.SelectionColour());
    table->Styler().SetBookmarkColour(theme.BookmarkColour());
    table->Styler().SetUpColour(theme.UpColour());
    table->Styler().SetDownColour(theme.DownColour());
    // What the theme gives disabled texts: a quote that stopped moving.
    table->Styler().SetStaleColour(theme.LabelTextColour());
}

// A cell whose attribute was asked for to keep state in holds one of its
// own; it must not keep the previous theme's background.
void RecolourCellAttributes(wxGridEx* grid, const wxColour& background)
{
    wxGridTableBase* table = grid->GetTable();
    wxGridCellAttrProvider* provider = table ? table->GetAttrProvider() : nullptr;
    if (!provider)
        return;
    for (int row = 0; row < table->GetNumberRows(); ++row)
        for (int col = 0; col < table->GetNumberCols(); ++col)
            if (const wxGridCellAttrPtr attr{provider->GetAttr(row, col, wxGridCellAttr::Cell)})
                attr->SetBackgroundColour(background);
}

}  // namespace

void ApplyToolbarColours(wxToolBar* toolbar, const Theme* theme)
{
    if (theme)
        ApplyToolBarBackground(toolbar, theme->BackgroundColour());
}

void ApplyTitleLabelStyle(wxStaticTextEx* title, const Theme* theme)
{
    if (!title || !theme)
        return;
    title->SetForegroundColour(theme->TextColour());
    title->SetFont(theme->MakeFont(0, kTitleWeight, kTitleStyle, false));
}

void ApplyNotebookColours(wxFlatNotebook* notebook, const Theme* theme)
{
    if (!theme)
        return;
    notebook->SetBorderColour(theme->BorderColour());
    notebook->SetBackgroundColour(theme->BackgroundColour());
    notebook->SetTabAreaColour(theme->BackgroundColour());
    notebook->SetActiveTabColour(theme->ActiveTabColour());
    notebook->SetActiveTabTextColour(theme->TextColour());
    notebook->SetNonActiveTabTextColour(theme->LabelTextColour());
    notebook->SetBadgeColours(theme->DownColour(), theme->CellBackgroundColour());
}

void ApplyGridColours(wxGridEx* grid, const Theme* theme)
{
    if (!theme)
        return;
    if (TickerdeckTable* table = Tickerdeck::TableOf(grid))
        ApplyTableColours(table, *theme);
    grid->SetMarginColour(theme->MarginColour());
    grid->SetScrollBarColour(theme->BackgroundColour());
    grid->SetTipColour(theme->BackgroundColour());
    grid->SetDefaultCellTextColour(theme->TextColour());
    grid->SetForegroundColour(theme->TextColour());
    grid->SetDefaultCellBackgroundColour(theme->CellBackgroundColour());
    grid->SetBackgroundColour(theme->CellBackgroundColour());
    grid->SetGridLineColour(theme->GridLineColour());
    // Left alone, the headers keep the toolkit's button colour of the
    // moment the grid was made: a switch to another theme would leave them
    // in the old one.
    grid->SetLabelBackgroundColour(theme->ButtonColour());
    grid->SetLabelTextColour(theme->LabelTextColour());
    grid->SetSelectionBackground(SelectedRowColour(*theme));
    grid->SetLabelFont(theme->NormalFont());
    grid->SetDefaultCellFont(theme->GridFont());
}

void Tickerdeck::ApplyTheme()
{
    Theme* theme = GetTheme();
    if (!theme)
        return;
    wxToolBar* toolbar = m_toolbar->Bar();
    wxFlatNotebook* notebook = m_tabs->Notebook();
    ApplyToolbarColours(toolbar, theme);
    ApplyTitleLabelStyle(m_toolbar->TitleLabel(), theme);
    // Before loading sets a title there is nothing to show again; applying the
    // empty text would blank the label.
    if (!m_settings.title.empty())
        Toolbar().ApplyTitle(wxGetTranslation(m_settings.title));
    ApplyNotebookColours(notebook, theme);
    m_toolbar->Notice()->ApplyTheme(*theme);
    notebook->SetFont(theme->NormalFont());
    notebook->Refresh();

    for (wxGridEx* grid : m_tabs->Grids())
    {
        ApplyGridColours(grid, theme);
        RecolourCellAttributes(grid, theme->CellBackgroundColour());
        if (wxWindow* labels = grid->GetGridColLabelWindow())
            labels->Refresh();
        grid->ForceRefresh();
    }
    toolbar->Refresh();
}
