#include "watchlist/WatchlistFiles.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/numformatter.h>
#include <wx/stdpaths.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/toplevel.h>

#include "watchlist/StoreChanges.h"
#include "board/Tickerdeck.h"
#include "board/TickerdeckTable.h"
#include "contract/CommandIds.h"
#include "contract/Host.h"
#include "controls/wxButtonEx.h"
#include "controls/wxGridEx.h"
#include "files/DurableFile.h"
#include "layout/TreeValues.h"
#include "store/WatchlistFile.h"
#include "store/WatchlistStore.h"
#include "store/WatchlistStoreService.h"
#include "model/CodeList.h"
#include "model/TextSearch.h"
#include "watchlist/PasteCodes.h"
#include "watchlist/WatchlistTabs.h"

namespace {

const char* const kWildcard = "CSV (*.csv)|*.csv|Text (*.txt)|*.txt|*|*";

std::string ChooseFile(wxWindow* parent, bool save, const wxString& suggested)
{
    wxFileDialog dialog(parent, save ? _("Export Watchlist") : _("Import Watchlist"),
                        wxStandardPaths::Get().GetDocumentsDir(), suggested,
                        kWildcard, save ? wxFD_SAVE | wxFD_OVERWRITE_PROMPT : wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? dialog.GetPath().utf8_string() : std::string();
}

void ShowErrorBox(wxWindow* parent, const wxString& message, const wxString& caption)
{
    wxMessageDialog box(parent, message, caption, wxOK | wxICON_ERROR);
    box.ShowModal();
}

wxWindow* DialogParent(Tickerdeck& board)
{
    return wxGetTopLevelParent(&board);
}

// A watchlist's name as a file name: what a file system refuses becomes "_".
wxString FileNameFor(const wxString& watchlist)
{
    wxString name = watchlist;
    for (wxChar forbidden : wxFileName::GetForbiddenChars())
        name.Replace(wxString(forbidden), "_");
    name.Replace("/", "_");
    return (name.empty() ? wxString("watchlist") : name) + ".csv";
}

wxString ProblemText(const store::WatchlistFileContents& contents, const wxString& file)
{
    using store::WatchlistFileContents;
    switch (contents.problem)
    {
    case WatchlistFileContents::Empty:
        return wxString::Format(_("The file \"%s\" holds no instrument codes."), file);
    case WatchlistFileContents::NotText:
        return wxString::Format(_("The file \"%s\" is not a text file of instrument codes."), file);
    case WatchlistFileContents::OpenQuote:
        return wxString::Format(_("The file \"%s\" cannot be read: the quote opened on line %zu is never closed."),
                                file, contents.line);
    case WatchlistFileContents::TooManyEntries:
        return wxString::Format(_("The file \"%s\" holds more than %s entries, more than a watchlist takes."), file,
                                wxNumberFormatter::ToString(static_cast<long>(store::kMaxFileEntries)));
    case WatchlistFileContents::EntryTooLong:
        return wxString::Format(_("The file \"%s\" cannot be read: line %zu holds an entry too long for an "
                                  "instrument code."),
                                file, contents.line);
    case WatchlistFileContents::None:
        break;
    }
    return wxString();
}

std::string Written(const layout::InstrumentRef& ref)
{
    return ref.exchange.empty() ? ref.code : ref.exchange + ":" + ref.code;
}

}  // namespace

WatchlistFiles::WatchlistFiles() : m_chooser(ChooseFile), m_errorReport(ShowErrorBox) {}

WatchlistFiles::~WatchlistFiles()
{
    // The dialog's action refers to the board, which goes with this feature.
    if (m_dialog)
        m_dialog->CloseOrphaned();
}

std::vector<int> WatchlistFiles::Commands() const
{
    return {cmd::ExportWatchlist, cmd::ImportWatchlist};
}

void WatchlistFiles::OnCommand(Tickerdeck& board, wxCommandEvent& event)
{
    if (event.GetId() == cmd::ExportWatchlist)
        Export(board);
    else
        Import(board);
}

bool WatchlistFiles::Export(Tickerdeck& board)
{
    wxGridEx* grid = board.Tabs().CurrentGrid();
    const TickerdeckTable* table = grid ? Tickerdeck::TableOf(grid) : nullptr;
    if (!table || table->Identity().tabType != layout::kStoredWatchlistTab || table->Identity().watchlistName.empty())
        return false;
    // Taken now: the dialog's loop lets quotes re-sort and the store change.
    std::vector<store::WatchlistFileRow> rows;
    Host* host = board.GetHost();
    for (const layout::InstrumentRef& ref : StoredRowsOf(board, grid))
    {
        const Instrument* instrument = host ? host->FindInstrument(ref.code.c_str(), ref.exchange.c_str()) : nullptr;
        rows.push_back({ref.exchange, ref.code, instrument ? instrument->name : std::string()});
    }
    const std::string path = m_chooser(DialogParent(board), true, FileNameFor(layout::ShownName(table->Identity().watchlistName)));
    if (path.empty())
        return false;
    try
    {
        files::ReplaceFileContents(path, store::WatchlistCsv(rows));
        return true;
    }
    catch (const std::exception& error)
    {
        m_errorReport(DialogParent(board),
                      _("The watchlist could not be exported.") + "\n\n" + layout::ToWxString(error.what()),
                      _("Export Watchlist"));
        return false;
    }
}

void WatchlistFiles::Import(Tickerdeck& board)
{
    if (TextEntryDialog* open = GetOpenImport())
    {
        open->Raise();
        return;
    }
    const std::string path = m_chooser(DialogParent(board), false, wxString());
    if (path.empty())
        return;
    const wxString file = wxFileName(layout::ToWxString(path)).GetFullName();
    std::string bytes;
    try
    {
        // Refuses what is no regular file or is past the size any user file may have.
        bytes = files::ReadFileBytes(path);
    }
    catch (const std::exception& error)
    {
        m_errorReport(DialogParent(board),
                      _("The file could not be read.") + "\n\n" + layout::ToWxString(error.what()),
                      _("Import Watchlist"));
        return;
    }
    const store::WatchlistFileContents contents = store::ReadWatchlistText(bytes);
    bytes = std::string();
    if (contents.problem != store::WatchlistFileContents::None)
    {
        m_errorReport(DialogParent(board), ProblemText(contents, file), _("Import Watchlist"));
        return;
    }
    AskName(board, path, Resolve(board, contents.entries));
}

WatchlistFiles::Resolved WatchlistFiles::Resolve(Tickerdeck& board, const std::vector<layout::InstrumentRef>& entries)
{
    Resolved resolved;
    Host* host = board.GetHost();
    std::vector<CodeToken> tokens;
    tokens.reserve(entries.size());
    for (const layout::InstrumentRef& entry : entries)
        tokens.push_back({entry.exchange, entry.code, {}});
    const std::vector<Instrument*> found =
        FindCodes(host ? host->GetInstruments() : std::vector<Instrument*>(), tokens);
    resolved.refs.reserve(entries.size());
    for (size_t index = 0; index < entries.size(); ++index)
    {
        const layout::InstrumentRef& entry = entries[index];
        if (const Instrument* instrument = found[index])
        {
            resolved.refs.push_back(store::RefOf(*instrument));
            ++resolved.found;
        }
        else if (entry.exchange.empty())
            resolved.dropped.push_back(entry.code);
        else
        {
            // Kept as written, as the store keeps what the host does not know today.
            resolved.refs.push_back(entry);
            resolved.unknown.push_back(Written(entry));
        }
    }
    return resolved;
}

void WatchlistFiles::AskName(Tickerdeck& board, const std::string& path, Resolved resolved)
{
    const size_t total = resolved.found + resolved.unknown.size() + resolved.dropped.size();
    wxString prompt = wxString::Format(wxPLURAL("%zu of %zu entry found.", "%zu of %zu entries found.", total),
                                       resolved.found, total);
    if (!resolved.unknown.empty())
        prompt += "\n" + wxString::Format(_("Not found, kept as unknown: %s"), ListedCodes(resolved.unknown));
    if (!resolved.dropped.empty())
        prompt += "\n" + wxString::Format(_("Not found, left out (no exchange given): %s"),
                                          ListedCodes(resolved.dropped));
    prompt += "\n\n" + wxString(_("Please enter the new watchlist's name:"));

    auto* dialog = new TextEntryDialog(board.GetOwner(), DialogParent(board), _("Import Watchlist"), wxSize(420, 200));
    dialog->GetPrompt()->SetLabel(prompt);
    dialog->GetPrompt()->Wrap(400);
    const auto store = board.GetStore();
    dialog->SetCheck(
        [store](const wxString& typed)
        {
            const wxString name = TrimmedName(typed);
            if (name.empty())
                return wxString(_("Watchlist name cannot be empty."));
            for (const std::string& stored : store ? store->Names() : std::vector<std::string>())
                if (SameIgnoringCase(layout::ShownName(stored), name))
                    return wxString(_("A watchlist of that name already exists, please choose another name."));
            return wxString();
        });
    dialog->GetTextField()->ChangeValue(wxFileName(layout::ToWxString(path)).GetName());
    dialog->GetTextField()->SelectAll();
    dialog->GetOkButton()->Enable(true);
    dialog->Fit();
    dialog->SetSize(std::max(dialog->GetSize().x, 420), -1);
    m_dialog = dialog;
    wxWeakRef<Tickerdeck> alive(&board);
    dialog->ShowWithAction(
        [this, alive, dialog, refs = std::move(resolved.refs)]
        {
            if (!alive)
                return;
            const std::string name = layout::ToTreeText(TrimmedName(dialog->GetTextField()->GetValue()));
            const StoreOutcome outcome = WatchlistTabs(*alive).CreateWatchlistTab(name, refs);
            if (outcome.Succeeded())
                return;
            const wxString message =
                outcome.kind == StoreOutcome::NameTaken
                    ? wxString(_("A watchlist of that name already exists, please choose another name."))
                    : _("The watchlist could not be stored.") + "\n\n" + layout::ToWxString(outcome.error);
            m_errorReport(DialogParent(*alive), message, _("Import Watchlist"));
        });
}
