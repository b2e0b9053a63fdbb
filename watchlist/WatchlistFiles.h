#pragma once
// Watchlists kept and handed on as files: "Export Watchlist..." and
// "Import Watchlist..." of the tab menu.

#include <functional>
#include <string>
#include <vector>

#include <wx/string.h>
#include <wx/weakref.h>

#include "board/BoardFeature.h"
#include "layout/LayoutEntries.h"
#include "watchlist/TextEntryDialog.h"

/// Writes the current tab's watchlist as CSV through the save dialog, and
/// makes a new stored watchlist of a CSV file or a plain list of codes:
/// it tells how many entries were found and which were not, and asks for
/// the new list's name. Entries naming an exchange that the host does not
/// know are kept as unresolved references, as a stored list keeps them.
class WatchlistFiles : public BoardFeature
{
public:
    /// Asks for a file to write (`save`) or read; empty when cancelled.
    using FileChooser = std::function<std::string(wxWindow* parent, bool save, const wxString& suggested)>;
    /// Shows an error to the user.
    using ErrorReport = std::function<void(wxWindow* parent, const wxString& message, const wxString& caption)>;

    WatchlistFiles();
    ~WatchlistFiles() override;

    std::vector<int> Commands() const override;
    void OnCommand(Tickerdeck& board, wxCommandEvent& event) override;

    /// Writes the current tab's watchlist to a file; false when nothing was written.
    bool Export(Tickerdeck& board);
    /// Reads a file and opens the dialog naming the new watchlist.
    void Import(Tickerdeck& board);

    /// The import's name dialog while it is open, else null.
    TextEntryDialog* GetOpenImport() const { return m_dialog && !m_dialog->IsClosing() ? m_dialog.get() : nullptr; }

    /// Replace the file dialogs and the error box (tests choose and record).
    void SetFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    void SetErrorReport(ErrorReport report) { m_errorReport = std::move(report); }

    /// What an imported file's entries came to.
    struct Resolved
    {
        std::vector<layout::InstrumentRef> refs;
        size_t found = 0;
        std::vector<std::string> unknown;  // kept, unresolved
        std::vector<std::string> dropped;  // no exchange given and not found
    };

    /// The references a file's entries make, each found one as the host
    /// writes it; unknown ones naming an exchange kept as they stand.
    static Resolved Resolve(Tickerdeck& board, const std::vector<layout::InstrumentRef>& entries);

private:
    void AskName(Tickerdeck& board, const std::string& path, Resolved resolved);

    FileChooser m_chooser;
    ErrorReport m_errorReport;
    wxWeakRef<TextEntryDialog> m_dialog;
};
