#pragma once
// A colour rule in one expression, for tests that set rules directly.

#include "model/ColourRules.h"

namespace testing_support {

inline ColourRuleSpec Rule(int col, int op, const char* value, RuleStyle style, bool wholeRow = false)
{
    ColourRuleSpec rule;
    rule.column = col;
    rule.op = op;
    rule.value = value;
    rule.style = style;
    rule.wholeRow = wholeRow;
    return rule;
}

}  // namespace testing_support
