#include "layout/ColourRuleNodes.h"

#include <boost/property_tree/ptree.hpp>

#include "layout/WindowNodeReader.h"
#include "layout/WindowNodeWriter.h"
#include "model/ColumnSpec.h"

namespace layout {

const char* const kColourRulesElement = "colour-rules";
const char* const kColumnSetsElement = "column-sets";

namespace {

const char* const kAttributes = "<xmlattr>";

bool ParseWholeInt(const std::string& text, int* value)
{
    // ParseInt's fallback cannot tell "-1" from text that is no number.
    *value = ParseInt(text, 0);
    return ParseInt(text, 1) == *value;
}

bool ParseColour(const std::string& text, RuleColour* colour)
{
    if (text.size() != 7 || text[0] != '#')
        return false;
    uint32_t rgb = 0;
    for (size_t at = 1; at < 7; ++at)
    {
        const char ch = text[at];
        int digit = -1;
        if (ch >= '0' && ch <= '9')
            digit = ch - '0';
        else if (ch >= 'a' && ch <= 'f')
            digit = ch - 'a' + 10;
        else if (ch >= 'A' && ch <= 'F')
            digit = ch - 'A' + 10;
        if (digit < 0)
            return false;
        rgb = rgb * 16 + static_cast<uint32_t>(digit);
    }
    *colour = RuleColour::Of(rgb);
    return true;
}

std::string ColourText(const RuleColour& colour)
{
    static const char* const kDigits = "0123456789abcdef";
    std::string text = "#";
    for (int shift = 20; shift >= 0; shift -= 4)
        text += kDigits[(colour.rgb >> shift) & 0xF];
    return text;
}

bool ParseFlag(const std::string& text, const char* yes, const char* no, bool* flag)
{
    *flag = text == yes;
    return *flag || text == no;
}

/// One attribute of a rule read into `rule`; false when it does not read.
bool ReadAttribute(const std::string& key, const std::string& text, ColourRuleSpec& rule)
{
    if (key == "column")
        return ParseWholeInt(text, &rule.column);
    if (key == "condition")
    {
        rule.op = RuleOperatorFromName(text);
        return rule.op != 0;
    }
    if (key == "value" || key == "upper")
    {
        (key == "value" ? rule.value : rule.upper) = text;
        return true;
    }
    if (key == "against")
        return ParseWholeInt(text, &rule.againstColumn) && rule.againstColumn >= 0;
    if (key == "text")
        return ParseColour(text, &rule.style.text);
    if (key == "background")
        return ParseColour(text, &rule.style.background);
    if (key == "bold")
        return ParseFlag(text, "true", "false", &rule.style.bold);
    if (key == "bar")
        return ParseFlag(text, "true", "false", &rule.style.bar);
    if (key == "target")
        return ParseFlag(text, "row", "cell", &rule.wholeRow);
    return false;  // an attribute of a later version: keep the rule whole
}

ColourRuleSpec ReadRule(const Tree& element)
{
    ColourRuleSpec rule;
    std::vector<std::pair<std::string, std::string>> attributes;
    bool readable = true;
    bool named = false;
    if (const auto found = element.get_child_optional(kAttributes))
        for (const auto& [key, value] : *found)
        {
            attributes.emplace_back(key, value.data());
            readable = ReadAttribute(key, value.data(), rule) && readable;
            named = named || key == "column";
        }
    if (readable && named && rule.op != 0)
        return rule;
    ColourRuleSpec kept;
    kept.verbatim = std::move(attributes);
    if (kept.verbatim.empty())
        kept.verbatim.emplace_back("column", "");  // still marks the rule as unread
    return kept;
}

Tree RuleTree(const ColourRuleSpec& rule)
{
    Tree tree;
    if (!rule.verbatim.empty())
    {
        for (const auto& [key, value] : rule.verbatim)
            tree.put(std::string(kAttributes) + "." + key, value);
        return tree;
    }
    const std::string at = std::string(kAttributes) + ".";
    tree.put(at + "column", std::to_string(rule.column));
    tree.put(at + "condition", RuleOperatorName(rule.op) ? RuleOperatorName(rule.op) : "");
    if (rule.againstColumn >= 0)
        tree.put(at + "against", std::to_string(rule.againstColumn));
    else
        tree.put(at + "value", rule.value);
    if (rule.op == rule_op::Between)
        tree.put(at + "upper", rule.upper);
    if (rule.style.text.set)
        tree.put(at + "text", ColourText(rule.style.text));
    if (rule.style.background.set)
        tree.put(at + "background", ColourText(rule.style.background));
    if (rule.style.bold)
        tree.put(at + "bold", std::string("true"));
    if (rule.style.bar)
        tree.put(at + "bar", std::string("true"));
    tree.put(at + "target", std::string(rule.wholeRow ? "row" : "cell"));
    return tree;
}

std::vector<std::string> FixedColumnLabels()
{
    std::vector<std::string> labels;
    for (int id = 0; id < column::Count; ++id)
        labels.emplace_back(ColumnAt(id).label);
    return labels;
}

}  // namespace

std::vector<ColourRuleSpec> ReadColourRules(const Tree& rules)
{
    std::vector<ColourRuleSpec> read;
    for (const auto& [key, child] : rules)
        if (key == "rule")
            read.push_back(ReadRule(child));
    return read;
}

Tree ColourRulesTree(const std::vector<ColourRuleSpec>& rules)
{
    Tree tree;
    for (const ColourRuleSpec& rule : rules)
        tree.add_child("rule", RuleTree(rule));
    return tree;
}

ColumnSets ReadColumnSets(const Tree& node)
{
    ColumnSets sets;
    const auto element = node.get_child_optional(kColumnSetsElement);
    if (!element)
        return sets;
    sets.forNewTabs = ReadText(*element, "<xmlattr>.new-tabs");
    for (const auto& [key, child] : *element)
    {
        if (key != "set")
            continue;
        ColumnSet set;
        set.name = ReadText(child, "<xmlattr>.name");
        if (set.name.empty() || sets.Find(set.name))
            continue;  // a set is known by its name alone
        if (const auto columns = child.get_child_optional("columns"))
            set.columns = ReadColumns(*columns);
        if (const auto rules = child.get_child_optional(kColourRulesElement))
            set.colourRules = ReadColourRules(*rules);
        if (const auto computed = child.get_child_optional("computed"))
        {
            set.computed = ReadComputedColumns(*computed);
            MoveComputedColumns(set.columns, set.colourRules, FirstComputedColumnOf(*computed));
        }
        sets.sets.push_back(std::move(set));
    }
    if (!sets.Find(sets.forNewTabs))
        sets.forNewTabs.clear();
    return sets;
}

Tree ColumnSetsTree(const ColumnSets& sets)
{
    Tree tree;
    if (!sets.forNewTabs.empty())
        tree.put("<xmlattr>.new-tabs", sets.forNewTabs);
    const std::vector<std::string> fixed = FixedColumnLabels();
    for (const ColumnSet& set : sets.sets)
    {
        // Computed columns are named too, as a tab names them.
        std::vector<std::string> labels = fixed;
        for (const ComputedColumnDef& def : set.computed)
            labels.push_back(def.name);
        Tree element;
        element.put("<xmlattr>.name", set.name);
        Tree& columns = element.put_child("columns", Tree());
        for (const ColumnEntry& column : set.columns)
            columns.add_child("column", ColumnTree(column, labels));
        if (!set.colourRules.empty())
            element.put_child(kColourRulesElement, ColourRulesTree(set.colourRules));
        if (!set.computed.empty())
            element.put_child("computed", ComputedColumnsTree(set.computed));
        tree.add_child("set", element);
    }
    return tree;
}

}  // namespace layout
