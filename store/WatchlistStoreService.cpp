#include "store/WatchlistStoreService.h"

#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "files/DurableFile.h"
#include "store/WatchlistStore.h"

namespace store
{

namespace
{

constexpr std::string_view kWatchlist = "watchlist";

std::string KeyOf(const layout::InstrumentRef& ref)
{
    std::string key;
    key.reserve(ref.exchange.size() + ref.code.size() + 1);
    key += ref.exchange;
    key += '\x1f';
    key += ref.code;
    return key;
}

using KeySet = std::unordered_set<std::string>;

KeySet KeysOf(const std::vector<layout::InstrumentRef>& refs)
{
    KeySet keys;
    keys.reserve(refs.size());
    for (const layout::InstrumentRef& ref : refs)
        keys.insert(KeyOf(ref));
    return keys;
}

std::string AttributeOf(const files::XmlElement& element, std::string_view name)
{
    const auto* attribute = element.first_attribute(name.data(), name.size());
    return attribute ? std::string(attribute->value(), attribute->value_size()) : std::string();
}

layout::Tree AttributesOf(const files::XmlElement& element)
{
    layout::Tree attributes;
    for (const auto* attribute = element.first_attribute(); attribute;
         attribute = attribute->next_attribute())
        attributes.push_back(
            layout::Tree::value_type(std::string(attribute->name(), attribute->name_size()),
                             layout::Tree(std::string(attribute->value(), attribute->value_size()))));
    return attributes;
}

bool IsNamed(const files::XmlElement& node, std::string_view name)
{
    return node.type() == boost::property_tree::detail::rapidxml::node_element &&
           std::string_view(node.name(), node.name_size()) == name;
}

// Elements and comments keep their place; text between elements is layout.
void CopyNode(const files::XmlElement& node, layout::Tree& parent)
{
    using boost::property_tree::detail::rapidxml::node_comment;
    using boost::property_tree::detail::rapidxml::node_element;
    if (node.type() == node_element || node.type() == node_comment)
        boost::property_tree::xml_parser::read_xml_node(const_cast<files::XmlElement*>(&node), parent, 0);
}

layout::Tree& WatchlistsOf(layout::Tree& skeleton)
{
    layout::Tree& application = skeleton.get_child_optional("application")
                            ? skeleton.get_child("application")
                            : skeleton.put_child("application", layout::Tree());
    if (auto watchlists = application.get_child_optional("watchlists"))
        return *watchlists;
    return application.push_back(layout::Tree::value_type("watchlists", layout::Tree()))->second;
}

void AppendList(std::string& out, const WatchlistStoreService::List& list)
{
    out += "    <watchlist name=\"";
    AppendEscapedAttribute(out, list.name);
    if (list.instruments.empty())
    {
        out += "\"/>\n";
        return;
    }
    out += "\">\n";
    for (const layout::InstrumentRef& ref : list.instruments)
    {
        out += "      <instrument exchange=\"";
        AppendEscapedAttribute(out, ref.exchange);
        out += "\" code=\"";
        AppendEscapedAttribute(out, ref.code);
        out += "\"/>\n";
    }
    out += "    </watchlist>\n";
}

} // namespace

struct WatchlistStoreService::Contents
{
    // The document with each stored list as an empty "watchlist" element,
    // standing for the list of the same position in `lists`.
    layout::Tree skeleton;
    // Shared between generations: an operation copies only what it changes.
    std::vector<std::shared_ptr<const List>> lists;

    static Contents Parse(const std::string& path, std::string text)
    {
        Contents contents;
        files::ScanXmlText(path, std::move(text), "application",
                    [&contents](const files::XmlElement& root)
                    {
                        layout::Tree application;
                        if (root.first_attribute())
                            application.push_back(layout::Tree::value_type("<xmlattr>", AttributesOf(root)));
                        bool listsSeen = false;
                        for (const auto* node = root.first_node(); node; node = node->next_sibling())
                        {
                            if (listsSeen || !IsNamed(*node, "watchlists"))
                            {
                                CopyNode(*node, application);
                                continue;
                            }
                            listsSeen = true;
                            layout::Tree watchlists;
                            if (node->first_attribute())
                                watchlists.push_back(layout::Tree::value_type("<xmlattr>", AttributesOf(*node)));
                            for (const auto* child = node->first_node(); child; child = child->next_sibling())
                            {
                                if (!IsNamed(*child, kWatchlist))
                                {
                                    CopyNode(*child, watchlists);
                                    continue;
                                }
                                watchlists.push_back(layout::Tree::value_type("watchlist", layout::Tree()));
                                contents.lists.push_back(std::make_shared<const List>(ReadList(*child)));
                            }
                            application.push_back(layout::Tree::value_type("watchlists", std::move(watchlists)));
                        }
                        contents.skeleton.push_back(layout::Tree::value_type("application", std::move(application)));
                    });
        return contents;
    }

    static List ReadList(const files::XmlElement& element)
    {
        List list{AttributeOf(element, "name"), {}};
        const std::string_view key = "instrument";
        for (const auto* child = element.first_node(key.data(), key.size()); child;
             child = child->next_sibling(key.data(), key.size()))
            list.instruments.push_back({AttributeOf(*child, "exchange"), AttributeOf(*child, "code")});
        return list;
    }

    // One element a line, indented, whatever the file looked like before.
    std::string Render() const
    {
        std::string out = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
        const layout::Tree& application = skeleton.get_child("application");
        out += "<application";
        AppendAttributes(out, application);
        out += ">\n";
        const layout::Tree* firstLists = &application.get_child("watchlists");
        for (const auto& [key, child] : application)
        {
            if (key == "<xmlattr>")
                continue;
            if (&child != firstLists)
            {
                AppendTidyXml(out, key, child, 1);
                continue;
            }
            out += "  <watchlists";
            AppendAttributes(out, child);
            out += ">\n";
            std::size_t next = 0;
            for (const auto& [listKey, listChild] : child)
            {
                if (listKey == kWatchlist)
                    AppendList(out, *lists.at(next++));
                else if (listKey != "<xmlattr>")
                    AppendTidyXml(out, listKey, listChild, 2);
            }
            out += "  </watchlists>\n";
        }
        out += "</application>\n";
        return out;
    }

    static void AppendAttributes(std::string& out, const layout::Tree& element)
    {
        const auto attributes = element.get_child_optional("<xmlattr>");
        if (!attributes)
            return;
        for (const auto& [name, value] : *attributes)
        {
            out += ' ';
            out += name;
            out += "=\"";
            AppendEscapedAttribute(out, value.data());
            out += '"';
        }
    }

    // Takes the `index`th list out, with its placeholder.
    void Erase(std::size_t index)
    {
        layout::Tree& watchlists = WatchlistsOf(skeleton);
        std::size_t seen = 0;
        for (auto child = watchlists.begin(); child != watchlists.end(); ++child)
            if (child->first == kWatchlist && seen++ == index)
            {
                watchlists.erase(child);
                break;
            }
        lists.erase(lists.begin() + static_cast<std::ptrdiff_t>(index));
    }

    void Append(List list)
    {
        WatchlistsOf(skeleton).push_back(layout::Tree::value_type("watchlist", layout::Tree()));
        lists.push_back(std::make_shared<const List>(std::move(list)));
    }
};

// The names `before` held that `after` does not.
std::vector<std::string> WatchlistStoreService::Gone(const Contents& before, const Contents& after)
{
    std::unordered_set<std::string> kept;
    for (const auto& list : after.lists)
        kept.insert(list->name);
    std::vector<std::string> gone;
    for (const auto& list : before.lists)
        if (!kept.count(list->name))
            gone.push_back(list->name);
    return gone;
}

bool WatchlistStoreService::DiskStamp::operator==(const DiskStamp& other) const
{
    return file == other.file;
}

WatchlistStoreService::WatchlistStoreService(PathSource path, Clock clock)
    : m_path(std::move(path)), m_clock(std::move(clock))
{
}

WatchlistStoreService::~WatchlistStoreService() = default;

int WatchlistStoreService::Observe(Observer observer)
{
    const int id = m_nextObserver++;
    m_observers.emplace(id, std::move(observer));
    return id;
}

void WatchlistStoreService::Forget(int id)
{
    m_observers.erase(id);
}

WatchlistStoreService::DiskStamp WatchlistStoreService::StampOf(const std::string& path) const
{
    // Only a path naming nothing is a store yet to be created; any other
    // failure is left to the reader, which names it.
    DiskStamp stamp;
    stamp.file = files::IdentityOf(path);
    return stamp;
}

void WatchlistStoreService::Synchronize()
{
    const std::string path = m_path();
    DiskStamp now = StampOf(path);
    // Nobody has seen the store before its first read: there is nothing to tell.
    const bool firstLook = !m_checked;
    m_checked = true;
    // The file as it was last read or written: a problem seen since is gone.
    if (m_contents && now == m_stamp)
    {
        m_missingChecks = 0;
        m_problem.clear();
        return;
    }
    if (!now.file.exists)
    {
        m_problem.clear();
        if (m_contents && !BelieveMissing())
            return;
        const bool hadLists = m_contents && !m_contents->lists.empty();
        m_contents = std::make_unique<Contents>();
        m_stamp = now;
        m_missingChecks = 0;
        // No list counts as deleted: the tabs keep theirs, and their saves
        // store them again.
        if (hadLists)
            Notify({StoreChange::Reloaded, {}, {}, {}});
        return;
    }
    m_missingChecks = 0;
    try
    {
        std::string text = files::ReadFileBytes(path);
        now.hash = std::hash<std::string_view>()(text);
        // Touched or replaced with the same bytes: nothing to read again.
        if (m_contents && m_stamp.file.exists && now.hash == m_stamp.hash)
        {
            m_stamp = now;
            m_problem.clear();
            return;
        }
        auto read = std::make_unique<Contents>(Contents::Parse(path, std::move(text)));
        const std::vector<std::string> gone =
            m_contents ? Gone(*m_contents, *read) : std::vector<std::string>();
        m_contents = std::move(read);
        m_stamp = now;
        m_problem.clear();
        if (!firstLook)
            Notify({StoreChange::Reloaded, {}, {}, gone});
    }
    catch (const std::exception& error)
    {
        m_problem = error.what();
        throw;
    }
}

bool WatchlistStoreService::BelieveMissing()
{
    const auto now = m_clock();
    if (m_missingChecks++ == 0)
        m_missingSince = now;
    return m_missingChecks >= kMissingChecks && now - m_missingSince >= kMissingGrace;
}

bool WatchlistStoreService::Refresh()
{
    try
    {
        Synchronize();
        return true;
    }
    catch (const std::exception&)
    {
        return false;
    }
}

std::vector<std::string> WatchlistStoreService::Names()
{
    std::vector<std::string> names;
    if (!Refresh())
        return names;
    names.reserve(m_contents->lists.size());
    for (const auto& list : m_contents->lists)
        names.push_back(list->name);
    return names;
}

bool WatchlistStoreService::Has(const std::string& name)
{
    return Refresh() && FirstIndexOf(*m_contents, name) >= 0;
}

std::vector<layout::InstrumentRef> WatchlistStoreService::Instruments(const std::string& name)
{
    Synchronize();
    std::vector<layout::InstrumentRef> instruments;
    for (const auto& list : m_contents->lists)
        if (list->name == name)
            for (const layout::InstrumentRef& ref : list->instruments)
                if (!ref.exchange.empty() && !ref.code.empty())
                    instruments.push_back(ref);
    return instruments;
}

int WatchlistStoreService::MergeLists(Contents& contents, const std::string& name)
{
    int first = -1;
    for (std::size_t i = 0; i < contents.lists.size();)
    {
        if (contents.lists[i]->name != name)
        {
            ++i;
            continue;
        }
        if (first < 0)
        {
            first = static_cast<int>(i++);
            continue;
        }
        auto& kept = contents.lists[static_cast<std::size_t>(first)];
        List merged = *kept;
        KeySet held = KeysOf(merged.instruments);
        // What lacks a part has no identity to compare: it is kept as read.
        for (const layout::InstrumentRef& ref : contents.lists[i]->instruments)
            if (ref.exchange.empty() || ref.code.empty() || held.insert(KeyOf(ref)).second)
                merged.instruments.push_back(ref);
        kept = std::make_shared<const List>(std::move(merged));
        contents.Erase(i);
    }
    return first;
}

int WatchlistStoreService::FirstIndexOf(const Contents& contents, const std::string& name) const
{
    for (std::size_t i = 0; i < contents.lists.size(); ++i)
        if (contents.lists[i]->name == name)
            return static_cast<int>(i);
    return -1;
}

void WatchlistStoreService::Commit(Contents next, const std::vector<StoreChange>& changes)
{
    const std::string path = m_path();
    // Written now, the file would be replaced again by whoever is replacing it.
    if (m_missingChecks > 0)
        throw std::runtime_error(path + ": the file is missing, perhaps being replaced by another program; "
                                        "nothing was changed");
    WatchlistsOf(next.skeleton);
    const std::string text = next.Render();
    // A NUL (from a name typed with one) would cut every later watchlist off.
    if (text.find('\0') != std::string::npos)
        throw std::runtime_error(path +
                                 ": a watchlist text holds a NUL character; the store is left as it was");
    try
    {
        files::ReplaceFileContents(path, text);
    }
    catch (const files::WriteFailure& error)
    {
        // Kept whole, so the user is told its step in their language; a
        // link's file is named as written, after the store's own name.
        if (error.Path() == path)
            throw;
        throw files::WriteFailure(path + ": " + error.Path(), error.Step(), error.Reason());
    }
    catch (const std::exception& error)
    {
        const std::string reason = error.what();
        throw std::runtime_error(reason.find(path) == std::string::npos ? path + ": " + reason : reason);
    }
    *m_contents = std::move(next);
    m_stamp = StampOf(path);
    m_stamp.hash = std::hash<std::string_view>()(text);
    for (const StoreChange& change : changes)
        Notify(change);
}

void WatchlistStoreService::Notify(const StoreChange& change)
{
    // An observer may stop observing (its board closing) while told.
    const std::map<int, Observer> observers = m_observers;
    for (const auto& [id, observer] : observers)
        if (m_observers.count(id))
            observer(change);
}

void WatchlistStoreService::Create(const std::string& name, const std::vector<layout::InstrumentRef>& instruments)
{
    if (!CreateMissing(name, instruments))
        throw std::runtime_error(Path() + ": a watchlist named \"" + name + "\" is stored already");
}

bool WatchlistStoreService::CreateMissing(const std::string& name, const std::vector<layout::InstrumentRef>& instruments)
{
    Synchronize();
    if (FirstIndexOf(*m_contents, name) >= 0)
        return false;
    Contents next = *m_contents;
    next.Append({name, instruments});
    Commit(std::move(next), {{StoreChange::Created, name, {}, {name}}});
    return true;
}

void WatchlistStoreService::Rename(const std::string& from, const std::string& to)
{
    Synchronize();
    if (FirstIndexOf(*m_contents, from) < 0)
        throw std::runtime_error(Path() + ": there is no watchlist named \"" + from + "\" any more");
    if (from == to)
        return;
    if (FirstIndexOf(*m_contents, to) >= 0)
        throw std::runtime_error(Path() + ": a watchlist named \"" + to + "\" is stored already");
    Contents next = *m_contents;
    auto& list = next.lists[static_cast<std::size_t>(MergeLists(next, from))];
    list = std::make_shared<const List>(List{to, list->instruments});
    Commit(std::move(next), {{StoreChange::Renamed, from, to, {}}});
}

void WatchlistStoreService::Edit(const std::string& name, const std::string& newName,
                                 const std::vector<layout::InstrumentRef>& before,
                                 const std::vector<layout::InstrumentRef>& after)
{
    Synchronize();
    if (name != newName && FirstIndexOf(*m_contents, newName) >= 0)
        throw std::runtime_error(Path() + ": a watchlist named \"" + newName + "\" is stored already");
    Contents next = *m_contents;
    const int index = MergeLists(next, name);
    if (index < 0)
    {
        next.Append({newName, after});
        Commit(std::move(next), {{StoreChange::Created, newName, {}, {newName}}});
        return;
    }
    const std::vector<layout::InstrumentRef>& current = next.lists[static_cast<std::size_t>(index)]->instruments;
    const KeySet had = KeysOf(before);
    const KeySet wanted = KeysOf(after);
    const KeySet stored = KeysOf(current);
    std::vector<layout::InstrumentRef> result;
    result.reserve(after.size() + current.size());
    // The user's list in the user's order, less what another writer took
    // out meanwhile; then what another writer put in.
    for (const layout::InstrumentRef& ref : after)
    {
        const std::string key = KeyOf(ref);
        if (stored.count(key) || !had.count(key))
            result.push_back(ref);
    }
    for (const layout::InstrumentRef& ref : current)
    {
        const std::string key = KeyOf(ref);
        if (!wanted.count(key) && !had.count(key))
            result.push_back(ref);
    }
    const bool refilled = result != current || next.lists.size() != m_contents->lists.size();
    if (!refilled && name == newName)
        return;
    std::vector<StoreChange> changes;
    if (name != newName)
        changes.push_back({StoreChange::Renamed, name, newName, {}});
    if (refilled)
        changes.push_back({StoreChange::Changed, {}, {}, {newName}});
    next.lists[static_cast<std::size_t>(index)] = std::make_shared<const List>(List{newName, std::move(result)});
    Commit(std::move(next), changes);
}

std::vector<layout::InstrumentRef> WatchlistStoreService::Add(const std::string& name,
                                                      const std::vector<layout::InstrumentRef>& instruments)
{
    return Move({}, name, instruments);
}

void WatchlistStoreService::Remove(const std::string& name, const std::vector<layout::InstrumentRef>& instruments)
{
    Synchronize();
    Contents next = *m_contents;
    const int index = MergeLists(next, name);
    if (index < 0)
        return;
    const KeySet gone = KeysOf(instruments);
    const std::vector<layout::InstrumentRef>& current = next.lists[static_cast<std::size_t>(index)]->instruments;
    std::vector<layout::InstrumentRef> kept;
    kept.reserve(current.size());
    for (const layout::InstrumentRef& ref : current)
        if (!gone.count(KeyOf(ref)))
            kept.push_back(ref);
    if (kept.size() == current.size())
        return;
    next.lists[static_cast<std::size_t>(index)] = std::make_shared<const List>(List{name, std::move(kept)});
    Commit(std::move(next), {{StoreChange::Changed, {}, {}, {name}}});
}

std::vector<layout::InstrumentRef> WatchlistStoreService::Move(const std::string& from, const std::string& to,
                                                       const std::vector<layout::InstrumentRef>& instruments)
{
    Synchronize();
    if (!from.empty() && from == to)
        return {};
    Contents next = *m_contents;
    // Both merged before either is looked up: merging moves the lists after.
    if (!from.empty())
        MergeLists(next, from);
    MergeLists(next, to);
    std::vector<std::string> changed;
    std::vector<layout::InstrumentRef> added;
    const int target = FirstIndexOf(next, to);
    KeySet held = target < 0 ? KeySet() : KeysOf(next.lists[static_cast<std::size_t>(target)]->instruments);
    for (const layout::InstrumentRef& ref : instruments)
        if (!ref.exchange.empty() && !ref.code.empty() && held.insert(KeyOf(ref)).second)
            added.push_back(ref);
    const bool created = target < 0;
    if (created)
        next.Append({to, added});
    else if (!added.empty())
    {
        auto& list = next.lists[static_cast<std::size_t>(target)];
        List grown{to, list->instruments};
        grown.instruments.insert(grown.instruments.end(), added.begin(), added.end());
        list = std::make_shared<const List>(std::move(grown));
    }
    if (created || !added.empty())
        changed.push_back(to);
    const int source = from.empty() ? -1 : FirstIndexOf(next, from);
    if (source >= 0)
    {
        const KeySet gone = KeysOf(instruments);
        auto& list = next.lists[static_cast<std::size_t>(source)];
        List kept{from, {}};
        kept.instruments.reserve(list->instruments.size());
        for (const layout::InstrumentRef& ref : list->instruments)
            if (!gone.count(KeyOf(ref)))
                kept.instruments.push_back(ref);
        if (kept.instruments.size() != list->instruments.size())
        {
            list = std::make_shared<const List>(std::move(kept));
            changed.push_back(from);
        }
    }
    if (changed.empty())
        return added;
    Commit(std::move(next), {{created ? StoreChange::Created : StoreChange::Changed, to, {}, changed}});
    return added;
}

void WatchlistStoreService::Reorder(const std::string& name, const std::vector<layout::InstrumentRef>& order)
{
    Synchronize();
    Contents next = *m_contents;
    const int index = MergeLists(next, name);
    if (index < 0)
        return;
    const std::vector<layout::InstrumentRef>& current = next.lists[static_cast<std::size_t>(index)]->instruments;
    const KeySet placed = KeysOf(order);
    // How often the list holds each instrument `order` places: duplicates move together.
    std::unordered_map<std::string, std::size_t> copies;
    for (const layout::InstrumentRef& ref : current)
        if (const std::string key = KeyOf(ref); placed.count(key))
            ++copies[key];
    std::vector<layout::InstrumentRef> sequence;
    for (const layout::InstrumentRef& ref : order)
    {
        const auto held = copies.find(KeyOf(ref));
        if (held == copies.end())
            continue;
        sequence.insert(sequence.end(), held->second, ref);
        held->second = 0;
    }
    std::vector<layout::InstrumentRef> result = current;
    std::size_t taken = 0;
    for (layout::InstrumentRef& slot : result)
        if (placed.count(KeyOf(slot)))
            slot = sequence[taken++];
    if (result == current && next.lists.size() == m_contents->lists.size())
        return;
    next.lists[static_cast<std::size_t>(index)] = std::make_shared<const List>(List{name, std::move(result)});
    Commit(std::move(next), {{StoreChange::Changed, {}, {}, {name}}});
}

void WatchlistStoreService::Delete(const std::string& name)
{
    Synchronize();
    Contents next = *m_contents;
    const int index = MergeLists(next, name);
    if (index < 0)
        return;
    next.Erase(static_cast<std::size_t>(index));
    Commit(std::move(next), {{StoreChange::Deleted, name, {}, {}}});
}

} // namespace store
