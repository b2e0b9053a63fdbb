#pragma once
// A terminal's board over a large catalogue, for the benchmarks of what a
// user does with a whole market at hand.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/panel.h>

#include "BenchMain.h"
#include "board/Tickerdeck.h"
#include "host/TerminalHost.h"
#include "host/UserFiles.h"
#include "host/market/Catalogue.h"
#include "host/market/QuoteBook.h"
#include "host/theme/ThemeSwitch.h"
#include "plugin/Application.h"

namespace bench_support {

/// The demo catalogue with 100,000 generated instruments beside it, a host
/// over it keeping its files in a fresh temporary folder, and one empty
/// board in a shown frame; one per process, made at first use.
class LargeCatalogueStage
{
public:
    static constexpr int kCatalogueSize = 100000;
    static constexpr uint32_t kMarketSeed = 20240115;

    explicit LargeCatalogueStage(const std::string& folderName)
        : m_catalogue(Catalogue::FromFile("data/catalogue.xml")),
          m_quotes(m_catalogue),
          m_files((std::filesystem::temp_directory_path() / folderName).string(), "", ""),
          m_host(m_catalogue, m_quotes, m_themes, m_files, false, nullptr),
          m_application(&m_host),
          m_frame(new wxFrame(nullptr, wxID_ANY, "Board", wxPoint(0, 0), wxSize(1000, 700)))
    {
        m_catalogue.AddSynthetic(kCatalogueSize, kMarketSeed);
        std::filesystem::create_directories(std::filesystem::temp_directory_path() / folderName);
        std::filesystem::remove(m_files.StorePath());
        auto* container = new wxPanel(m_frame);
        m_frame->Show();
        m_board = static_cast<Tickerdeck*>(m_application.CreateWindow(1, container, nullptr, nullptr, 0));
        Flush();
    }

    ~LargeCatalogueStage()
    {
        m_board->Destroy();
        m_frame->Destroy();
        Flush();
    }

    LargeCatalogueStage(const LargeCatalogueStage&) = delete;
    LargeCatalogueStage& operator=(const LargeCatalogueStage&) = delete;

    static LargeCatalogueStage& Get(const std::string& folderName)
    {
        if (!Instance())
            Instance() = std::make_unique<LargeCatalogueStage>(folderName);
        return *Instance();
    }
    static void Close() { Instance().reset(); }

    Tickerdeck& Board() { return *m_board; }
    Application& App() { return m_application; }
    wxFrame* Frame() { return m_frame; }
    const std::vector<Instrument*>& Instruments() { return m_host.GetInstruments(); }

private:
    static std::unique_ptr<LargeCatalogueStage>& Instance()
    {
        static std::unique_ptr<LargeCatalogueStage> stage;
        return stage;
    }

    Catalogue m_catalogue;
    QuoteBook m_quotes;
    ThemeSwitch m_themes;
    UserFiles m_files;
    TerminalHost m_host;
    Application m_application;
    wxFrame* m_frame;
    Tickerdeck* m_board = nullptr;
};

}  // namespace bench_support
