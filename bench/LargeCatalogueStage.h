#pragma once
// A terminal's board over a large catalogue, for the benchmarks of what a
// user does with a whole market at hand.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <wx/frame.h>
#include <wx/panel.h>

#include "BenchMain.h"
#include "TerminalStack.h"
#include "board/Tickerdeck.h"

namespace bench_support {

/// The demo catalogue with 100,000 generated instruments beside it, a host
/// over it keeping its files in a fresh temporary folder, and one empty
/// board in a shown frame; one per process, made at first use.
class LargeCatalogueStage : public PerProcess<LargeCatalogueStage>
{
public:
    static constexpr int kCatalogueSize = 100000;
    static constexpr uint32_t kMarketSeed = 20240115;

    explicit LargeCatalogueStage(const std::string& folderName)
        : m_stack(Catalogue::FromFile("data/catalogue.xml"), std::filesystem::temp_directory_path() / folderName),
          m_frame(new wxFrame(nullptr, wxID_ANY, "Board", wxPoint(0, 0), wxSize(1000, 700)))
    {
        m_stack.catalogue.AddSynthetic(kCatalogueSize, kMarketSeed);
        std::filesystem::create_directories(std::filesystem::temp_directory_path() / folderName);
        std::filesystem::remove(m_stack.files.StorePath());
        auto* container = new wxPanel(m_frame);
        m_frame->Show();
        m_board = static_cast<Tickerdeck*>(m_stack.application.CreateWindow(1, container, nullptr, nullptr, 0));
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

    Tickerdeck& Board() { return *m_board; }
    Application& App() { return m_stack.application; }
    wxFrame* Frame() { return m_frame; }
    const std::vector<Instrument*>& Instruments() { return m_stack.host.GetInstruments(); }

private:
    TerminalStack m_stack;
    wxFrame* m_frame;
    Tickerdeck* m_board = nullptr;
};

}  // namespace bench_support
