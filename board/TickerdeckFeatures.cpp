// Installing the board's features and forwarding to each the commands and
// events it claims.

#include <wx/grid.h>

#include "board/Tickerdeck.h"

namespace {

// What the board does with a command or event that no feature claims.
BoardFeature& Unclaimed()
{
    static BoardFeature unclaimed;
    return unclaimed;
}

}  // namespace

void Tickerdeck::AddFeature(std::unique_ptr<BoardFeature> feature)
{
    if (!feature)
        return;
    for (int id : feature->Commands())
        m_commandOwners.emplace(id, feature.get());
    for (BoardEventKind kind : feature->EventKinds())
    {
        m_eventOwners.emplace(kind, feature.get());
        if (kind == BoardEventKind::GridChar)
            m_charTakers.push_back(feature.get());
    }
    m_features.push_back(std::move(feature));
}

BoardFeature* Tickerdeck::OwnerOf(BoardEventKind kind) const
{
    const auto owner = m_eventOwners.find(kind);
    return owner == m_eventOwners.end() ? &Unclaimed() : owner->second;
}

void Tickerdeck::ForwardCommand(wxCommandEvent& event)
{
    const auto owner = m_commandOwners.find(event.GetId());
    (owner == m_commandOwners.end() ? Unclaimed() : *owner->second).OnCommand(*this, event);
}

void Tickerdeck::OnCellDoubleClick(wxGridEvent& event)
{
    OwnerOf(BoardEventKind::CellDoubleClick)->OnGridEvent(*this, BoardEventKind::CellDoubleClick, event);
}

void Tickerdeck::OnLabelRightClick(wxGridEvent& event)
{
    OwnerOf(BoardEventKind::LabelRightClick)->OnGridEvent(*this, BoardEventKind::LabelRightClick, event);
}

void Tickerdeck::OnCellRightClick(wxGridEvent& event)
{
    OwnerOf(BoardEventKind::CellRightClick)->OnGridEvent(*this, BoardEventKind::CellRightClick, event);
}

void Tickerdeck::OnGridMotion(wxMouseEvent& event)
{
    ShowCutOffFigure(event);
    OwnerOf(BoardEventKind::GridMotion)->OnGridMouse(*this, BoardEventKind::GridMotion, event);
}

void Tickerdeck::OnGridRightUp(wxMouseEvent& event)
{
    OwnerOf(BoardEventKind::GridRightUp)->OnGridMouse(*this, BoardEventKind::GridRightUp, event);
}

void Tickerdeck::OnGridKeyDown(wxKeyEvent& event)
{
    OwnerOf(BoardEventKind::GridKeyDown)->OnGridKey(*this, event);
}

void Tickerdeck::OnGridChar(wxKeyEvent& event)
{
    for (BoardFeature* taker : m_charTakers)
    {
        event.Skip(false);
        taker->OnGridKey(*this, event);
        if (!event.GetSkipped())
            return;
    }
    event.Skip();
}

void Tickerdeck::OnIdle(wxIdleEvent& event)
{
    OwnerOf(BoardEventKind::Idle)->OnIdle(*this, event);
}
