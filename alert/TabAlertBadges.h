#pragma once
// Alerts that fire while their tab is not shown leave a count on its label.

#include "board/BoardFeature.h"

struct Price;
class wxFlatNotebookEvent;

/// Counts each alert firing for a quote of a tab that is not shown in a
/// badge on that tab; showing the tab clears it. The count lives in the tab
/// strip only, never in the tab's text, so nothing of it is ever saved.
class TabAlertBadges : public BoardFeature
{
public:
    explicit TabAlertBadges(Tickerdeck& board);
    ~TabAlertBadges() override;
    TabAlertBadges(const TabAlertBadges&) = delete;
    TabAlertBadges& operator=(const TabAlertBadges&) = delete;

    /// An alert fired for `quote`: every hidden tab holding it counts one more.
    void NoteFiring(const Price* quote);

private:
    void OnPageChanged(wxFlatNotebookEvent& event);
    void ClearShownTab();

    Tickerdeck& m_board;
};
