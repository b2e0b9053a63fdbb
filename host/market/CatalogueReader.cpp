// Reading the catalogue file. The file may come from anywhere, so every
// value is checked and errors say where they are.

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include <boost/property_tree/detail/rapidxml.hpp>

#include "files/DurableFile.h"
#include "market/Catalogue.h"

namespace rx = boost::property_tree::detail::rapidxml;
using XmlNode = rx::xml_node<char>;

namespace {

constexpr int kMaxDecimals = 10;

std::string Quoted(const std::string& text)
{
    return "\"" + text + "\"";
}

std::string_view NameOf(const XmlNode* node)
{
    return std::string_view(node->name(), node->name_size());
}

/// Turns parsed elements into catalogue records.
class CatalogueReader
{
public:
    CatalogueReader(const std::string& xml, const std::string& source) : xml_(xml), source_(source) {}

    Catalogue Read()
    {
        if (xml_.size() > Catalogue::kMaxSourceBytes)
            throw CatalogueError(source_ + ": file too large");
        // Real catalogues are four levels deep; anything far deeper is hostile
        // and would only exhaust the recursive parser's stack.
        const size_t tooDeep = files::FindExcessiveNesting(xml_);
        if (tooDeep != std::string::npos)
            throw CatalogueError(source_ + ":" + std::to_string(LineAt(tooDeep)) + ": elements nested too deeply");

        buffer_.assign(xml_.begin(), xml_.end());
        buffer_.push_back('\0');
        rx::xml_document<char> document;
        try
        {
            document.parse<rx::parse_validate_closing_tags>(buffer_.data());
        }
        catch (const rx::parse_error& error)
        {
            throw CatalogueError(source_ + ":" + std::to_string(LineOf(error.where<char>())) + ": " + error.what());
        }
        const XmlNode* root = document.first_node();
        if (!root)
            throw CatalogueError(source_ + ":1: no root element");
        if (NameOf(root) != "catalogue")
            Fail(root, "root element is " + Quoted(std::string(NameOf(root))) + ", expected \"catalogue\"");

        Catalogue catalogue;
        for (const XmlNode* node = root->first_node(); node; node = node->next_sibling())
            if (node->type() == rx::node_element && NameOf(node) == "exchange")
                ReadExchange(catalogue, node);
        return catalogue;
    }

private:
    using CategoryIndex = std::unordered_map<std::string, size_t>;

    size_t LineAt(size_t offset) const
    {
        offset = std::min(offset, xml_.size());
        return 1 + static_cast<size_t>(std::count(xml_.begin(), xml_.begin() + static_cast<long>(offset), '\n'));
    }

    size_t LineOf(const char* where) const
    {
        if (!where || where < buffer_.data() || where > buffer_.data() + buffer_.size())
            return 1;
        return LineAt(static_cast<size_t>(where - buffer_.data()));
    }

    [[noreturn]] void Fail(const XmlNode* node, const std::string& message) const
    {
        throw CatalogueError(source_ + ":" + std::to_string(LineOf(node->name())) + ": " + message);
    }

    void CheckAttributeSizes(const XmlNode* node, const std::string& context) const
    {
        for (auto* attribute = node->first_attribute(); attribute; attribute = attribute->next_attribute())
            if (attribute->value_size() > Catalogue::kMaxAttributeBytes)
                Fail(node, context + ": attribute " + Quoted(attribute->name()) + " is longer than " +
                               std::to_string(Catalogue::kMaxAttributeBytes) + " bytes");
    }

    static bool Has(const XmlNode* node, const char* name)
    {
        return node->first_attribute(name) != nullptr;
    }

    static std::string Text(const XmlNode* node, const char* name)
    {
        const auto* attribute = node->first_attribute(name);
        return attribute ? std::string(attribute->value(), attribute->value_size()) : std::string();
    }

    static std::string Trimmed(std::string text)
    {
        const auto notSpace = [](unsigned char c) { return !std::isspace(c); };
        text.erase(text.begin(), std::find_if(text.begin(), text.end(), notSpace));
        text.erase(std::find_if(text.rbegin(), text.rend(), notSpace).base(), text.end());
        return text;
    }

    // std::from_chars ignores the C locale, which a GUI program may have
    // switched to decimal commas.
    bool ParseInt(const std::string& text, int& value) const
    {
        const char* end = text.data() + text.size();
        const auto result = std::from_chars(text.data(), end, value);
        return result.ec == std::errc() && result.ptr == end;
    }

    bool ParseDouble(const std::string& text, double& value) const
    {
        const char* end = text.data() + text.size();
        const auto result = std::from_chars(text.data(), end, value);
        return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
    }

    int IntAttribute(const XmlNode* node, const char* name, int fallback, const std::string& context) const
    {
        const std::string text = Trimmed(Text(node, name));
        if (text.empty())
            return fallback;
        int value = 0;
        if (!ParseInt(text, value))
            Fail(node, context + ": attribute " + Quoted(name) + " is not a whole number: " + Quoted(text));
        return value;
    }

    bool BoolAttribute(const XmlNode* node, const char* name, bool fallback, const std::string& context) const
    {
        const std::string text = Trimmed(Text(node, name));
        if (text.empty())
            return fallback;
        if (text == "true" || text == "1")
            return true;
        if (text == "false" || text == "0")
            return false;
        Fail(node, context + ": attribute " + Quoted(name) + " must be true or false: " + Quoted(text));
    }

    void ReadExchange(Catalogue& catalogue, const XmlNode* node)
    {
        CheckAttributeSizes(node, "exchange");
        Exchange header;
        header.code = Trimmed(Text(node, "code"));
        if (header.code.empty())
            Fail(node, "exchange without code");
        const std::string context = "exchange " + Quoted(header.code);
        if (catalogue.FindExchangeMutable(header.code))
            Fail(node, context + ": duplicate exchange code");
        header.name = Text(node, "name");
        header.flag = Trimmed(Text(node, "flag"));
        header.active = BoolAttribute(node, "active", true, context);
        Exchange& exchange = catalogue.AddExchange(header);

        CategoryIndex indexes[kCategoryKindCount];
        for (const XmlNode* child = node->first_node(); child; child = child->next_sibling())
            if (child->type() == rx::node_element && NameOf(child) == "kind")
                ReadKind(exchange, child, context, indexes);
        for (const XmlNode* child = node->first_node(); child; child = child->next_sibling())
            if (child->type() == rx::node_element && NameOf(child) == "instrument")
                ReadInstrument(catalogue, exchange, child, context, indexes);
    }

    int KindType(const XmlNode* node, const std::string& text, const std::string& context) const
    {
        int kind = 0;
        if (!ParseInt(text, kind) || kind < kFirstCategoryKind || kind >= kFirstCategoryKind + kCategoryKindCount)
            Fail(node, context + ": category kind " + Quoted(text) + " is outside 2..6");
        return kind;
    }

    static size_t CategoryAt(CategoryGroup& group, CategoryIndex& index, const std::string& key)
    {
        const auto found = index.find(key);
        if (found != index.end())
            return found->second;
        group.categories.push_back(Category{key, {}});
        index.emplace(key, group.categories.size() - 1);
        return group.categories.size() - 1;
    }

    void ReadKind(Exchange& exchange, const XmlNode* node, const std::string& exchangeContext,
                  CategoryIndex* indexes) const
    {
        CheckAttributeSizes(node, exchangeContext + ", kind");
        const int kind = KindType(node, Trimmed(Text(node, "type")), exchangeContext);
        const std::string context = exchangeContext + ", kind " + std::to_string(kind);
        CategoryGroup& group = exchange.groups[kind - kFirstCategoryKind];
        const std::string caption = Text(node, "caption");
        if (!caption.empty())
            group.caption = caption;
        for (const XmlNode* child = node->first_node(); child; child = child->next_sibling())
        {
            if (child->type() != rx::node_element || NameOf(child) != "category")
                continue;
            CheckAttributeSizes(child, context + ", category");
            const std::string key = Trimmed(Text(child, "key"));
            if (key.empty())
                Fail(child, context + ": category without key");
            CategoryAt(group, indexes[kind - kFirstCategoryKind], key);
            const std::string name = Text(child, "name");
            if (!name.empty() && !group.displayNames.count(key))
                group.displayNames.emplace(key, name);
        }
    }

    void ReadInstrument(Catalogue& catalogue, Exchange& exchange, const XmlNode* node,
                        const std::string& exchangeContext, CategoryIndex* indexes) const
    {
        CheckAttributeSizes(node, exchangeContext + ", instrument");
        Instrument instrument;
        instrument.code = Trimmed(Text(node, "code"));
        if (instrument.code.empty())
            Fail(node, exchangeContext + ": instrument without code");
        const std::string context = "instrument " + Quoted(instrument.code) + " on " + exchangeContext;
        instrument.name = Text(node, "name");
        instrument.assetId = Trimmed(Text(node, "asset"));
        instrument.flag = Trimmed(Text(node, "flag"));
        instrument.currency = Trimmed(Text(node, "currency"));
        instrument.sector = Text(node, "sector");
        instrument.type = Text(node, "type");
        instrument.tradingStatus = Text(node, "status");
        instrument.corporateAction = Text(node, "ca");
        instrument.decimals = IntAttribute(node, "decimals", -1, context);
        if (instrument.decimals < -1 || instrument.decimals > kMaxDecimals)
            Fail(node, context + ": attribute \"decimals\" must be 0.." + std::to_string(kMaxDecimals));

        double prevClose = 0.0;
        const std::string prevText = Trimmed(Text(node, "prevclose"));
        if (!prevText.empty() && (!ParseDouble(prevText, prevClose) || prevClose < 0.0))
            Fail(node, context + ": attribute \"prevclose\" is not a price: " + Quoted(prevText));

        Instrument* stored = catalogue.AddInstrument(exchange, instrument, prevClose);
        if (!stored)
            Fail(node, context + ": duplicate instrument code");
        AddMemberships(exchange, node, *stored, context, indexes);
    }

    void AddMemberships(Exchange& exchange, const XmlNode* node, Instrument& instrument,
                        const std::string& context, CategoryIndex* indexes) const
    {
        std::istringstream tokens(Text(node, "categories"));
        std::unordered_set<std::string> seen;
        std::string token;
        while (tokens >> token)
        {
            const size_t colon = token.find(':');
            if (colon == std::string::npos || colon + 1 == token.size())
                Fail(node, context + ": attribute \"categories\" has " + Quoted(token) + ", expected TYPE:KEY");
            if (!seen.insert(token).second)
                continue;
            const int kind = KindType(node, token.substr(0, colon), context);
            CategoryGroup& group = exchange.groups[kind - kFirstCategoryKind];
            const size_t at = CategoryAt(group, indexes[kind - kFirstCategoryKind], token.substr(colon + 1));
            group.categories[at].instruments.push_back(&instrument);
        }
    }

    const std::string& xml_;
    const std::string& source_;
    std::vector<char> buffer_;
};

}  // namespace

Catalogue Catalogue::FromText(const std::string& xml, const std::string& sourceName)
{
    return CatalogueReader(xml, sourceName).Read();
}

Catalogue Catalogue::FromFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw CatalogueError(path + ": cannot open the catalogue file");
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0)
        throw CatalogueError(path + ": cannot read the catalogue file");
    if (static_cast<unsigned long long>(size) > kMaxSourceBytes)
        throw CatalogueError(path + ": file too large");
    std::string text(static_cast<size_t>(size), '\0');
    file.seekg(0);
    if (!file.read(text.data(), size))
        throw CatalogueError(path + ": cannot read the catalogue file");
    return FromText(text, path);
}
