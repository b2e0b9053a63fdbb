// Installing the board's features and forwarding to each the commands and
// events it claims.

#include "board/FeatureRouter.h"

#include <wx/event.h>
#include <wx/grid.h>

namespace {

// What the board does with a command or event that no feature claims.
BoardFeature& Unclaimed()
{
    static BoardFeature unclaimed;
    return unclaimed;
}

}  // namespace

void FeatureRouter::AddFeature(std::unique_ptr<BoardFeature> feature)
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

BoardFeature* FeatureRouter::OwnerOf(BoardEventKind kind) const
{
    const auto owner = m_eventOwners.find(kind);
    return owner == m_eventOwners.end() ? &Unclaimed() : owner->second;
}

void FeatureRouter::ForwardCommand(wxCommandEvent& event)
{
    const auto owner = m_commandOwners.find(event.GetId());
    (owner == m_commandOwners.end() ? Unclaimed() : *owner->second).OnCommand(m_board, event);
}

void FeatureRouter::ForwardGridEvent(BoardEventKind kind, wxGridEvent& event)
{
    OwnerOf(kind)->OnGridEvent(m_board, kind, event);
}

void FeatureRouter::ForwardGridMouse(BoardEventKind kind, wxMouseEvent& event)
{
    OwnerOf(kind)->OnGridMouse(m_board, kind, event);
}

void FeatureRouter::OnGridKeyDown(wxKeyEvent& event)
{
    OwnerOf(BoardEventKind::GridKeyDown)->OnGridKey(m_board, event);
}

void FeatureRouter::OnGridChar(wxKeyEvent& event)
{
    for (BoardFeature* taker : m_charTakers)
    {
        event.Skip(false);
        taker->OnGridKey(m_board, event);
        if (!event.GetSkipped())
            return;
    }
    event.Skip();
}

void FeatureRouter::OnIdle(wxIdleEvent& event)
{
    OwnerOf(BoardEventKind::Idle)->OnIdle(m_board, event);
}

void FeatureRouter::LoadLayout(const layout::Tree& node)
{
    for (const auto& feature : m_features)
        feature->LoadLayout(m_board, node);
}

void FeatureRouter::SaveLayout(layout::Tree& node)
{
    for (const auto& feature : m_features)
        feature->SaveLayout(m_board, node);
}
