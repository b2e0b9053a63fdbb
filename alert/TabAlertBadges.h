#pragma once
// Alerts that fire while their tab is not shown leave a count on its label.

#include <map>
#include <set>

#include "board/BoardFeature.h"

struct Instrument;
struct Price;
class wxWindow;
class wxFlatNotebookEvent;

/// Counts the alerts that fired for quotes of a tab since it was last shown
/// in a badge on that tab; showing the tab clears it. An alert that holds
/// fires at every quote and still counts once. The count lives in the tab
/// strip only, never in the tab's text, so nothing of it is ever saved.
class TabAlertBadges : public BoardFeature
{
public:
    explicit TabAlertBadges(Tickerdeck& board);
    ~TabAlertBadges() override;
    TabAlertBadges(const TabAlertBadges&) = delete;
    TabAlertBadges& operator=(const TabAlertBadges&) = delete;

    /// An alert fired for `quote`: every hidden tab holding it counts it,
    /// once per alert.
    void NoteFiring(const Price* quote);

private:
    void OnPageChanged(wxFlatNotebookEvent& event);
    void ClearShownTab();

    Tickerdeck& m_board;
    /// The instruments whose alerts fired, by tab page since it was shown.
    std::map<const wxWindow*, std::set<const Instrument*>> m_fired;
};
