#pragma once
// Shared pieces of the terminal tests: temporary folders, a small catalogue,
// a widget factory that records what the host asks of it, and a log sink.

#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include <spdlog/sinks/base_sink.h>
#include <spdlog/spdlog.h>
#include <wx/event.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/panel.h>

#include "plugin/Widget.h"

namespace terminal_test {

/// A fresh temporary folder, removed with everything in it.
class TempFolder
{
public:
    TempFolder()
    {
        const wxString base = wxFileName::CreateTempFileName("tdhost");
        wxRemoveFile(base);
        wxFileName::Mkdir(base, wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
        m_path = std::string(base.utf8_str());
    }
    ~TempFolder() { wxFileName::Rmdir(wxString::FromUTF8(m_path), wxPATH_RMDIR_RECURSIVE); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return m_path + "/" + name; }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

inline void WriteFile(const std::string& path, const std::string& text)
{
    wxFileName::Mkdir(wxFileName(wxString::FromUTF8(path)).GetPath(), wxS_DIR_DEFAULT, wxPATH_MKDIR_FULL);
    std::ofstream(path) << text;
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream stream(path);
    std::stringstream text;
    text << stream.rdbuf();
    return text.str();
}

/// Two exchanges, a handful of instruments.
inline const char* SmallCatalogueXml()
{
    return R"(<?xml version="1.0"?>
<catalogue>
  <exchange code="AAA" name="Alpha Exchange" flag="us" active="true">
    <kind type="2" caption="Sector"><category key="TECH" name="Technology"/></kind>
    <instrument code="ONE" name="One Corp" asset="equity" flag="us" currency="USD" sector="Technology" type="Common Stock" decimals="2" categories="2:TECH" prevclose="10.00"/>
    <instrument code="TWO" name="Two Corp" asset="equity" flag="us" currency="USD" sector="Technology" type="Common Stock" decimals="2" categories="2:TECH" prevclose="20.00"/>
  </exchange>
  <exchange code="BBB" name="Beta Exchange" flag="de" active="true">
    <instrument code="ONE" name="Eins AG" asset="equity" flag="de" currency="EUR" sector="Industrials" type="Common Stock" decimals="3" prevclose="5.5"/>
  </exchange>
</catalogue>)";
}

/// Collects log lines so tests can check what was reported.
class MemorySink : public spdlog::sinks::base_sink<std::mutex>
{
public:
    std::vector<std::string> lines;

    bool Contains(const std::string& text) const
    {
        for (const std::string& line : lines)
            if (line.find(text) != std::string::npos)
                return true;
        return false;
    }

protected:
    void sink_it_(const spdlog::details::log_msg& message) override
    {
        lines.emplace_back(message.payload.begin(), message.payload.end());
    }
    void flush_() override {}
};

inline std::shared_ptr<spdlog::logger> MakeMemoryLogger(std::shared_ptr<MemorySink>& sink)
{
    sink = std::make_shared<MemorySink>();
    return std::make_shared<spdlog::logger>("test", sink);
}

/// A panel that records the command events it receives.
class RecordingPanel : public wxPanel
{
public:
    explicit RecordingPanel(wxWindow* parent) : wxPanel(parent)
    {
        Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
            ids.push_back(event.GetId());
            texts.push_back(event.GetString());
        });
    }
    std::vector<int> ids;
    std::vector<wxString> texts;
};

/// A widget factory that records what the host asks of it.
class FakeWidget : public Widget
{
public:
    /// One CreateWindow call as the host made it.
    struct Creation
    {
        uint64_t group;
        wxWindow* container;
        void* layoutSource;
        void* layoutNode;
        int flags;
        RecordingPanel* panel;
    };
    /// One Dispatch call.
    struct Dispatched
    {
        int id;
        uint64_t group;
        wxWindow* target;
    };

    explicit FakeWidget(std::string name) : m_name(std::move(name)) {}

    const char* GetDisplayName() override { return m_name.c_str(); }
    const char* GetIconPath() override { return "./icon/ladder.png"; }
    wxWindow* CreateWindow(uint64_t group, wxWindow* container, void* layoutSource, void* layoutNode,
                           int flags) override
    {
        auto* panel = new RecordingPanel(container);
        created.push_back(Creation{group, container, layoutSource, layoutNode, flags, panel});
        return panel;
    }
    void SaveWindow(wxWindow*, void*, void*) override {}
    void CloseWindow(wxWindow* container, bool destroy) override { closed.emplace_back(container, destroy); }
    void Dispatch(wxCommandEvent& event, uint64_t group, wxWindow* target) override
    {
        dispatched.push_back(Dispatched{event.GetId(), group, target});
    }
    void SetLogger(std::shared_ptr<spdlog::logger>) override {}

    std::vector<Creation> created;
    std::vector<std::pair<wxWindow*, bool>> closed;
    std::vector<Dispatched> dispatched;

private:
    std::string m_name;
};

}  // namespace terminal_test
