// The smallest terminal that hosts the Tickerdeck board: one frame, one board,
// three instruments with quotes that stand still. Build it against the
// installed tickerdeck-dev package (see CMakeLists.txt beside this file):
//   minimal-host [SECONDS]   closes itself after SECONDS when given

#include <dlfcn.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/stdpaths.h>
#include <wx/timer.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

#include "contract/Host.h"
#include "contract/Theme.h"
#include "contract/Widget.h"

namespace {

/// The system's own colours, in every slot the board paints with.
class SystemTheme : public Theme
{
public:
    wxColour Reserved0() const override { return Window(); }
    wxColour Reserved1() const override { return Window(); }
    wxColour Reserved2() const override { return Window(); }
    wxColour BackgroundColour() const override { return wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE); }
    wxColour ActiveTabColour() const override { return Window(); }
    wxColour MarginColour() const override { return BackgroundColour(); }
    wxColour Reserved6() const override { return Window(); }
    wxColour BorderColour() const override { return wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW); }
    wxColour Reserved8() const override { return Window(); }
    wxColour GridLineColour() const override { return BorderColour(); }
    wxColour CellBackgroundColour() const override { return Window(); }
    wxColour Reserved11() const override { return Window(); }
    wxColour SelectionColour() const override { return wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT); }
    wxColour BookmarkColour() const override { return wxColour(255, 236, 160); }
    wxColour UpColour() const override { return wxColour(0, 140, 60); }
    wxColour DownColour() const override { return wxColour(200, 30, 40); }
    wxColour Reserved16() const override { return Window(); }
    wxColour Reserved17() const override { return Window(); }
    wxColour Reserved18() const override { return Window(); }
    wxColour LabelTextColour() const override { return TextColour(); }
    wxColour TextColour() const override { return wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT); }
    wxColour ButtonColour() const override { return BackgroundColour(); }
    wxFont NormalFont() const override { return *wxNORMAL_FONT; }
    wxFont GridFont() const override { return *wxNORMAL_FONT; }
    wxFont MakeFont(int sizeChange, int weight, int style, bool underline) const override
    {
        wxFont font = NormalFont();
        font.SetPointSize(font.GetPointSize() + sizeChange);
        font.SetNumericWeight(weight > 0 ? weight : wxFONTWEIGHT_NORMAL);
        font.SetStyle(style == wxFONTSTYLE_ITALIC ? wxFONTSTYLE_ITALIC : wxFONTSTYLE_NORMAL);
        font.SetUnderlined(underline);
        return font;
    }

private:
    static wxColour Window() { return wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW); }
};

/// A market of three instruments whose quotes never move.
class StillHost : public Host
{
public:
    StillHost(std::string layoutPath, std::string storePath)
        : m_layoutPath(std::move(layoutPath)), m_storePath(std::move(storePath))
    {
        m_instruments = {{"equity", "AMX", "ARPI", "Atlas Ridge Photonics Inc.", "in", "", "", "USD",
                          "Technology", "Common Stock", 2},
                         {"equity", "AMX", "BDI", "Brightwater Data Inc.", "us", "", "", "USD",
                          "Technology", "Common Stock", 2},
                         {"index", "AMX", "AI", "AMX 100 Index", "us", "", "", "USD", "Financials", "Index",
                          2}};
        Exchange exchange;
        exchange.code = "AMX";
        exchange.name = "Atlantic Markets Exchange";
        exchange.flag = "us";
        for (Instrument& instrument : m_instruments)
        {
            exchange.instruments.push_back(&instrument);
            m_pointers.push_back(&instrument);
            Price price;
            price.instrument = &instrument;
            price.prevClose = 100.0;
            price.last = price.closing = 101.25;
            price.buy = 101.20;
            price.sell = 101.30;
            price.change = 1.25;
            price.changePercent = 1.25;
            m_prices.push_back(price);
        }
        m_exchanges.push_back(std::move(exchange));
    }

    void SetBoard(Widget* board) { m_board = board; }

    Theme* GetTheme() override { return &m_theme; }
    void Subscribe(wxWindow*, Instrument* instrument, const std::string& date,
                   PriceCallback callback) override
    {
        for (Price& price : m_prices)
            if (price.instrument == instrument && date.empty())
                callback(&price);
    }
    void Unsubscribe(wxWindow*, Instrument*, const std::string&) override {}
    std::string GetLayoutFilePath() override { return m_layoutPath; }
    std::string GetApplicationFilePath(bool) override { return m_storePath; }
    Instrument* FindInstrument(const char* code, const char* exchange) override
    {
        for (Instrument& instrument : m_instruments)
            if (instrument.code == code && instrument.exchange == exchange)
                return &instrument;
        return nullptr;
    }
    const ExchangeList& GetExchanges() override { return m_exchanges; }
    const std::vector<Instrument*>& GetInstruments() override { return m_pointers; }
    UserProfile GetUserProfile() override { return {"demo", 0}; }
    Widget* FindWidget(const char* name) override
    {
        return m_board && std::string(name) == m_board->GetDisplayName() ? m_board : nullptr;
    }
    std::vector<Widget*> GetWidgets() override { return {m_board}; }
    wxWindow* OpenWidget(Widget*, uint64_t, uint64_t, int) override { return nullptr; }
    void PostToWidgets(wxCommandEvent&, Widget*, uint64_t, wxWindow*) override {}
    void PrepareMenu(wxMenu*) override {}
    void AttachDialog(wxWindow*) override {}
    int LookupHotkey(int /*keyCode*/, bool /*control*/, bool /*alt*/, bool /*shift*/) override { return 0; }
    wxString GetShortcutText(int) override { return wxString(); }

private:
    SystemTheme m_theme;
    std::string m_layoutPath;
    std::string m_storePath;
    std::vector<Instrument> m_instruments;
    std::vector<Instrument*> m_pointers;
    std::vector<Price> m_prices;
    ExchangeList m_exchanges;
    Widget* m_board = nullptr;
};

class MinimalHostApp : public wxApp
{
public:
    bool OnInit() override
    {
        // The user's language for the board's texts: the plug-in adds its
        // catalogue to these translations.
        wxUILocale::UseDefault();
        wxTranslations::Set(new wxTranslations);
        wxInitAllImageHandlers();

        // The board loads its icons relative to the working folder.
        const wxString data = TICKERDECK_DATA_DIR;
        if (!wxSetWorkingDirectory(data))
            return Fail("cannot enter " + data);
        // The shipped watchlists are read-only; the board writes its own copy.
        const wxString store = wxFileName(wxStandardPaths::Get().GetTempDir(), "minimal-host-watchlists.xml")
                                   .GetFullPath();
        if (!wxFileExists(store) && !wxCopyFile("data/watchlists.xml", store))
            return Fail("cannot copy the shipped watchlists to " + store);
        m_host = std::make_unique<StillHost>(
            std::string(wxFileName(data + "/data/layout.xml").GetFullPath().utf8_str()),
            std::string(store.utf8_str()));

        const std::string plugin = std::string(TICKERDECK_PLUGIN_DIR) + "/libtickerdeck.so";
        m_library = dlopen(plugin.c_str(), RTLD_NOW | RTLD_LOCAL);
        auto load = m_library ? reinterpret_cast<LoadWidgetFunction>(dlsym(m_library, kLoadWidgetSymbol))
                              : nullptr;
        Widget* board = load ? load(m_host.get(), nullptr) : nullptr;
        if (!board)
            return Fail("cannot load the board from " + plugin + ": " + (m_library ? "" : dlerror()));
        m_board.reset(board);
        m_host->SetBoard(board);

        auto* frame = new wxFrame(nullptr, wxID_ANY, "Minimal host", wxDefaultPosition, wxSize(900, 500));
        auto* container = new wxPanel(frame);
        board->CreateWindow(1, container, nullptr, nullptr, 0);
        frame->Bind(wxEVT_CLOSE_WINDOW, [board, container](wxCloseEvent& event) {
            board->CloseWindow(container, false);
            event.Skip();
        });
        frame->Show();
        std::printf("loaded %s from %s\n", board->GetDisplayName(), plugin.c_str());
        std::fflush(stdout);

        long seconds = 0;
        if (argc > 1 && wxString(argv[1]).ToLong(&seconds) && seconds > 0)
        {
            m_quit.Bind(wxEVT_TIMER, [frame](wxTimerEvent&) { frame->Close(); });
            m_quit.StartOnce(static_cast<int>(seconds * 1000));
        }
        return true;
    }

    int OnExit() override
    {
        // The board's factory goes before its library, the library last.
        m_board.reset();
        if (m_library)
            dlclose(m_library);
        return wxApp::OnExit();
    }

private:
    bool Fail(const wxString& message)
    {
        std::fprintf(stderr, "minimal-host: %s\n", static_cast<const char*>(message.utf8_str()));
        return false;
    }

    std::unique_ptr<StillHost> m_host;
    std::unique_ptr<Widget> m_board;
    void* m_library = nullptr;
    wxTimer m_quit;
};

}  // namespace

wxIMPLEMENT_APP(MinimalHostApp);
