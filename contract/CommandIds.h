#pragma once
// Command ids exchanged with the host and used inside a board window.

namespace cmd {

// Posted by the host to a board.
constexpr int HistoryDate = 7009;     // string: "%Y%m%d"
constexpr int ThemeChanged = 7010;
constexpr int QuoteUpdate = 7011;     // client data Price*, int mask, extra long flash
constexpr int FitAllColumns = 7056;
constexpr int ScrollToTop = 7057;
// Link event between windows: client data Instrument*, client object sender.
// A ticket link carries the price in ticks in the extra long (64 bits), and
// in the int too when it fits 32 bits (0 otherwise).
constexpr int InstrumentLink = 7037;

// The board's own ids.
constexpr int ColourRules = 7145;
constexpr int SaveColumnSet = 7146;
constexpr int ApplyColumnSet = 7147;
// Asks the information feature to show the flags of a row: int = column id
// ("Status" or "CA"), client data = the row's Price* in the current tab.
constexpr int ShowInstrumentFlags = 7150;
constexpr int ExportWatchlist = 7151;
// Holds the current tab's order under the quotes until chosen again.
constexpr int PauseSorting = 7153;
constexpr int ImportWatchlist = 7152;
constexpr int Notebook = 7160;
constexpr int Settings = 7161;
constexpr int WatchlistCommand = 7162;
constexpr int OpenAnotherWindow = 7163;
constexpr int DatePicker = 7164;
constexpr int AlertList = 7165;
constexpr int AlertSetup = 7166;
constexpr int AlertFired = 7167;
constexpr int RowCommandFirst = 7168;
constexpr int RowCommandSecond = 7169;
constexpr int EditWatchlist = 7170;
constexpr int PageSetup = 7171;
constexpr int DeleteInstrument = 7172;
constexpr int DeleteTab = 7173;
constexpr int RenameWatchlist = 7174;
constexpr int NewWatchlist = 7175;
constexpr int PrintPreview = 7176;
constexpr int ExportExcel = 7177;
constexpr int OpenLadder = 7178;
constexpr int OpenTape = 7179;
constexpr int OpenCharting = 7180;
constexpr int OpenSweeper = 7181;
constexpr int ToggleBookmark = 7182;
constexpr int ClearBookmarks = 7183;
constexpr int OpenFillscope = 7184;
constexpr int ToggleAutoFit = 7185;
constexpr int FitColumns = 7186;
constexpr int EditFilter = 7187;
constexpr int RemoveFilter = 7188;

// Posted by a board to the window that holds it: the event's string is a
// notice for the user, translated, naming the file and the reason where it
// concerns one. A host that shows notices puts it there; others ignore it.
constexpr int UserNotice = 7189;

}  // namespace cmd

/// Link event int values.
namespace link_kind {
constexpr int FromCellClick = 0;
constexpr int ForNewWindow = 1;
constexpr int FromOtherWidget = 2;
}  // namespace link_kind

/// `Host::OpenWidget` modes.
namespace open_mode {
constexpr int Plain = 0;
constexpr int ForInstrument = 1;
constexpr int BuyTicket = 0x40;
constexpr int SellTicket = 0x42;
}  // namespace open_mode

/// `Widget::CreateWindow` flag bits.
namespace window_flag {
constexpr int OwnFrame = 0x1;
constexpr int CentreFrame = 0x100;
}  // namespace window_flag
