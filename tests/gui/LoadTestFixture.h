#pragma once
// A board fixture that builds boards from layout XML, with a host that knows
// two exchanges, temporary store and layout files, and a captured log.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>
#include <spdlog/sinks/ostream_sink.h>
#include <spdlog/spdlog.h>

#include "BoardFixture.h"
#include "controls/wxFlatNotebook.h"
#include "plugin/Logger.h"

namespace testing_support {

using Tree = boost::property_tree::ptree;

class LoadFixture : public BoardFixture
{
protected:
    void SetUp() override
    {
        BoardFixture::SetUp();
        auto sink = std::make_shared<spdlog::sinks::ostream_sink_st>(log);
        auto logger = std::make_shared<spdlog::logger>("load-test", sink);
        logger->set_pattern("%v");
        logger->set_level(spdlog::level::trace);
        ModuleLogger() = logger;

        folder = std::filesystem::temp_directory_path() /
                 ("tickerdeck-load-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
        std::filesystem::create_directories(folder);
        host.layoutFilePath = (folder / "layout.xml").string();
        host.applicationFilePath = (folder / "watchlists.xml").string();
        BuildMarkets();
    }

    void TearDown() override
    {
        // Boards go before their frame, the way the host closes them; a
        // board torn down inside its frame's destructor relays out its
        // notebook against a frame that is no longer one.
        for (Tickerdeck* board : boards)
            board->Destroy();
        boards.clear();
        BoardFixture::TearDown();
        ModuleLogger().reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // AMX: four instruments, a sector kind with Technology (ARPI, BDI) and a
    // nameless category; KTX: two instruments, no categories.
    void BuildMarkets()
    {
        arpi = host.AddInstrument("ARPI", "AMX");
        bdi = host.AddInstrument("BDI", "AMX");
        cdg = host.AddInstrument("CDG", "AMX");
        ai = host.AddInstrument("AI", "AMX");
        tke = host.AddInstrument("TKE", "KTX");
        ksm = host.AddInstrument("KSM", "KTX");

        Exchange amx;
        amx.code = "AMX";
        amx.name = "Atlantic Markets Exchange";
        amx.instruments = {arpi, bdi, cdg, ai};
        CategoryGroup& sectors = amx.groups[0];
        sectors.caption = "Sector";
        sectors.categories.push_back(Category{"TECH", {bdi, arpi}});
        sectors.categories.push_back(Category{"MISC", {cdg}});
        sectors.displayNames["TECH"] = "Technology";
        host.exchanges.push_back(amx);

        Exchange ktx;
        ktx.code = "KTX";
        ktx.name = "Kanto Exchange";
        ktx.instruments = {tke, ksm};
        host.exchanges.push_back(ktx);
    }

    static Tree Parse(const std::string& xml)
    {
        std::istringstream stream(xml);
        Tree tree;
        boost::property_tree::read_xml(stream, tree);
        return tree;
    }

    /// The window node of `<tickerdeck ...>inner</tickerdeck>`.
    static Tree Node(const std::string& inner, const std::string& attributes = "")
    {
        return Parse("<tickerdeck " + attributes + ">" + inner + "</tickerdeck>").get_child("tickerdeck");
    }

    static void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

    void WriteStore(const std::string& watchlists)
    {
        WriteFile(host.applicationFilePath, "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<application><watchlists>" +
                                                watchlists + "</watchlists></application>");
    }

    Tickerdeck* LoadBoard(const Tree* source, const Tree* node, int flags = 0)
    {
        auto* board = static_cast<Tickerdeck*>(application.CreateWindow(
            1, container, const_cast<Tree*>(source), const_cast<Tree*>(node), flags));
        boards.push_back(board);
        return board;
    }

    Tickerdeck* LoadNode(const std::string& inner, int flags = 0)
    {
        nodes.push_back(std::make_unique<Tree>(Node(inner)));
        return LoadBoard(nullptr, nodes.back().get(), flags);
    }

    static std::vector<wxString> PageLabels(Tickerdeck* board)
    {
        std::vector<wxString> labels;
        wxFlatNotebook* notebook = board->GetNotebook();
        for (size_t page = 0; page < notebook->GetPageCount(); ++page)
            labels.push_back(notebook->GetPageText(page));
        return labels;
    }

    /// The grid shown on notebook page `page`.
    static wxGridEx* GridOfPage(Tickerdeck* board, size_t page)
    {
        wxWindow* window = board->GetNotebook()->GetPage(page);
        for (wxGridEx* grid : board->GetGrids())
            if (grid->GetSplitter() == window)
                return grid;
        return nullptr;
    }

    static TickerdeckTable* TableOfPage(Tickerdeck* board, size_t page)
    {
        return Tickerdeck::TableOf(GridOfPage(board, page));
    }

    std::ostringstream log;
    std::filesystem::path folder;
    std::vector<std::unique_ptr<Tree>> nodes;
    std::vector<Tickerdeck*> boards;
    Instrument* arpi = nullptr;
    Instrument* bdi = nullptr;
    Instrument* cdg = nullptr;
    Instrument* ai = nullptr;
    Instrument* tke = nullptr;
    Instrument* ksm = nullptr;
};

}  // namespace testing_support
