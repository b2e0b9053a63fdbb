#pragma once
// Boards loaded from layout XML and saved again, with helpers to look at the
// written node and the store file.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include <sys/stat.h>

#include <boost/property_tree/xml_parser.hpp>

#include "LoadTestFixture.h"
#include "layout/ControlKey.h"
#include "layout/WatchlistStore.h"

namespace testing_support {

class SaveFixture : public LoadFixture
{
protected:
    void TearDown() override
    {
        layout::SetControlKeyProbe({});
        LoadFixture::TearDown();
    }

    /// The node as XML text, the way the host would write it.
    static std::string Xml(const Tree& node)
    {
        Tree wrapped;
        wrapped.add_child("tickerdeck", node);
        std::ostringstream text;
        boost::property_tree::write_xml(text, wrapped,
                                        boost::property_tree::xml_writer_make_settings<std::string>(' ', 2));
        return text.str();
    }

    /// Saves `board` into a fresh node.
    static Tree Saved(Tickerdeck* board, Tree* source = nullptr)
    {
        Tree node;
        board->Save(source, &node);
        return node;
    }

    std::string StoreBytes() const { return FileBytes(host.applicationFilePath); }

    static std::string FileBytes(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    /// Identifies the file object: an atomic replacement gives a new one.
    static ino_t FileIdentity(const std::string& path)
    {
        struct stat info = {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
    }

    void StoreWatchlists(const std::string& watchlists) { WriteStore(watchlists); }

    std::vector<layout::InstrumentRef> Stored(const std::string& name) const
    {
        return layout::StoredInstruments(layout::ReadStore(host.applicationFilePath), name);
    }

    static void HoldControl(bool down)
    {
        layout::SetControlKeyProbe([down] { return down; });
    }
};

}  // namespace testing_support
