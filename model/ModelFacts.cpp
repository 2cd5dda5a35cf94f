#include "ModelFacts.h"

#include "DeckExpression.h"

#include "LineTable.h"
#include "NecCardFields.h"
#include "NecCardRows.h"
#include "SymbolTable.h"

#include <string>

namespace quorvane {

namespace {

bool IsExpressionText(std::string_view text)
{
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
              std::string_view("_.+-*/^(), ").find(c) != std::string_view::npos))
            return false;
    return !text.empty();
}

// The fields of a control card row, or nothing when they do not read.
std::optional<NecCardFields> ControlFields(const std::string& card)
{
    NecSplitProblem problem = NecSplitProblem::None;
    return SplitNecCard(card, NecCardLayout::Control, 0, IsExpressionText, problem);
}

// A field's number, with the symbols of the SY rows before it; 0 when blank
// or when it cannot be computed.
double FieldValue(const NecCardFields& fields, int field, const SymbolTable& symbols)
{
    const std::string_view text = fields.Texts[static_cast<std::size_t>(field)];
    if (field >= fields.Given || text.empty())
        return 0;
    const ExpressionResult value = EvaluateExpression(text, symbols);
    return value.Ok() ? value.Value : 0;
}

}  // namespace

ModelFacts ReadModelFacts(const LineTable& table)
{
    ModelFacts facts;
    std::optional<bool> groundCard;
    bool groundFlag = false;
    SymbolTable symbols;
    const int lastRow = std::max(table.LineCount, table.LastNonEmptyRow());
    for (int row = 1; row <= lastRow; ++row) {
        const std::optional<std::string> card = NecCardOfRow(table, row);
        if (!card)
            continue;
        const std::string name = NecCardName(*card);
        if (name == "SY")
            AssignSymbols(std::string_view(*card).substr(2), symbols);
        if (name != "FR" && name != "GN" && name != "GE")
            continue;
        const std::optional<NecCardFields> fields = ControlFields(*card);
        if (!fields)
            continue;
        if (name == "FR" && !facts.FrequencyMHz) {
            const double megahertz = FieldValue(*fields, 4, symbols);
            if (megahertz > 0)
                facts.FrequencyMHz = megahertz;
        } else if (name == "GN") {
            groundCard = FieldValue(*fields, 0, symbols) != -1;
        } else if (name == "GE") {
            groundFlag = FieldValue(*fields, 0, symbols) != 0;
        }
    }
    facts.Ground = groundCard.value_or(groundFlag);
    return facts;
}

}  // namespace quorvane
