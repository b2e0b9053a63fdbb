#pragma once
// A feature of the board window: it owns some of the board's commands and
// grid events, and the board forwards those to it.

#include <vector>

#include "layout/TreeValues.h"

class Tickerdeck;
class wxCommandEvent;
class wxGridEvent;
class wxIdleEvent;
class wxKeyEvent;
class wxMouseEvent;

/// The board's grid and window events a feature can take over.
enum class BoardEventKind
{
    CellDoubleClick,
    LabelRightClick,
    CellRightClick,
    GridMotion,
    GridKeyDown,
    GridRightUp,
    Idle,
    /// A character typed in a grid (Ctrl+V arrives as one too). Unlike the
    /// others it goes to every feature claiming it, in the order they were
    /// added, until one does not skip it: each acts on its own kind of tab.
    GridChar
};

/// One feature of a board window (a menu, a dialog, the alerts, ...). The
/// board forwards every command id and event kind the feature claims. The
/// handlers here are what the board does with what nobody claims: a command
/// or a right click on a cell or label ends, any other event goes on to the
/// grid's own handling.
class BoardFeature
{
public:
    virtual ~BoardFeature() = default;

    /// The menu command ids the feature handles.
    virtual std::vector<int> Commands() const { return {}; }
    /// The grid and window events the feature handles.
    virtual std::vector<BoardEventKind> EventKinds() const { return {}; }

    virtual void OnCommand(Tickerdeck& board, wxCommandEvent& event);
    virtual void OnGridEvent(Tickerdeck& board, BoardEventKind kind, wxGridEvent& event);
    virtual void OnGridMouse(Tickerdeck& board, BoardEventKind kind, wxMouseEvent& event);
    virtual void OnGridKey(Tickerdeck& board, wxKeyEvent& event);
    virtual void OnIdle(Tickerdeck& board, wxIdleEvent& event);

    /// Reads the feature's part of the board's window node, once the
    /// board has built its tabs from it. The board calls every feature in
    /// the order they were added.
    virtual void LoadLayout(Tickerdeck& board, const layout::Tree& node);
    /// Writes the feature's part into the board's window node, after the
    /// board wrote its settings, tabs and column sets; in feature order.
    virtual void SaveLayout(Tickerdeck& board, layout::Tree& node);
};
