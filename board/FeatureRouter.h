#pragma once
// The features of a board and what each of them takes.

#include <map>
#include <memory>
#include <vector>

#include "board/BoardFeature.h"

class Tickerdeck;

/// Owns a board's features and hands each command and grid event to the
/// feature that claims it; what nobody claims goes to BoardFeature's own
/// handlers.
class FeatureRouter
{
public:
    explicit FeatureRouter(Tickerdeck& board) : m_board(board) {}
    FeatureRouter(const FeatureRouter&) = delete;
    FeatureRouter& operator=(const FeatureRouter&) = delete;

    /// Forwards the feature's commands and event kinds to it from now on; a
    /// command or kind already claimed stays with the feature claiming it
    /// first (typed characters excepted, see BoardEventKind::GridChar).
    void AddFeature(std::unique_ptr<BoardFeature> feature);
    /// The installed feature of type F, or null.
    template <class F>
    F* FindFeature() const
    {
        for (const auto& feature : m_features)
            if (auto* found = dynamic_cast<F*>(feature.get()))
                return found;
        return nullptr;
    }

    void ForwardCommand(wxCommandEvent& event);
    void ForwardGridEvent(BoardEventKind kind, wxGridEvent& event);
    void ForwardGridMouse(BoardEventKind kind, wxMouseEvent& event);
    void OnGridKeyDown(wxKeyEvent& event);
    /// Offers a typed character to every feature claiming them, in the
    /// order they were added, until one does not skip it.
    void OnGridChar(wxKeyEvent& event);
    void OnIdle(wxIdleEvent& event);
    /// Lets every feature read its part of the board's window node, in order.
    void LoadLayout(const layout::Tree& node);
    /// Lets every feature write its part into the board's window node, in order.
    void SaveLayout(layout::Tree& node);

private:
    BoardFeature* OwnerOf(BoardEventKind kind) const;

    Tickerdeck& m_board;
    std::map<int, BoardFeature*> m_commandOwners;
    std::map<BoardEventKind, BoardFeature*> m_eventOwners;
    std::vector<BoardFeature*> m_charTakers;
    std::vector<std::unique_ptr<BoardFeature>> m_features;
};
