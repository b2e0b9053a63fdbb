#include "board/BoardFeature.h"

#include <wx/grid.h>

void BoardFeature::OnCommand(Tickerdeck& /*board*/, wxCommandEvent& /*event*/)
{
    // A command no feature claimed ends at the board: the host's windows
    // above it have menus of their own and must not act on the board's ids.
}

void BoardFeature::OnGridEvent(Tickerdeck& /*board*/, BoardEventKind kind, wxGridEvent& event)
{
    // Only a double click goes on to the grid; right clicks end at the board.
    if (kind == BoardEventKind::CellDoubleClick)
        event.Skip();
}

void BoardFeature::OnGridMouse(Tickerdeck& /*board*/, BoardEventKind /*kind*/, wxMouseEvent& event)
{
    event.Skip();
}

void BoardFeature::OnGridKey(Tickerdeck& /*board*/, wxKeyEvent& event)
{
    event.Skip();
}

void BoardFeature::OnIdle(Tickerdeck& /*board*/, wxIdleEvent& event)
{
    event.Skip();
}

void BoardFeature::LoadLayout(Tickerdeck& /*board*/, const layout::Tree& /*node*/) {}

void BoardFeature::SaveLayout(Tickerdeck& /*board*/, layout::Tree& /*node*/) {}
