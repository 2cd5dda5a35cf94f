#include "ModelFacts.h"

#include "LineTable.h"
#include "NecCardFields.h"
#include "NecCardRows.h"

#include <string>

namespace quorvane {

namespace {

// The fields of a control card row, or nothing when they do not read.
std::optional<NecCardFields> ControlFields(const std::string& card)
{
    NecSplitProblem problem = NecSplitProblem::None;
    return SplitNecCard(card, NecCardLayout::Control, 0,
                        [](std::string_view text) { return ReadNecNumber(text).has_value(); },
                        problem);
}

double FieldValue(const NecCardFields& fields, int field)
{
    const std::string_view text = fields.Texts[static_cast<std::size_t>(field)];
    return field < fields.Given && !text.empty() ? ReadNecNumber(text).value_or(0) : 0;
}

}  // namespace

ModelFacts ReadModelFacts(const LineTable& table)
{
    ModelFacts facts;
    std::optional<bool> groundCard;
    bool groundFlag = false;
    const int lastRow = std::max(table.LineCount, table.LastNonEmptyRow());
    for (int row = 1; row <= lastRow; ++row) {
        const std::optional<std::string> card = NecCardOfRow(table, row);
        if (!card)
            continue;
        const std::string name = NecCardName(*card);
        if (name != "FR" && name != "GN" && name != "GE")
            continue;
        const std::optional<NecCardFields> fields = ControlFields(*card);
        if (!fields)
            continue;
        if (name == "FR" && !facts.FrequencyMHz) {
            const double megahertz = FieldValue(*fields, 4);
            if (megahertz > 0)
                facts.FrequencyMHz = megahertz;
        } else if (name == "GN") {
            groundCard = FieldValue(*fields, 0) != -1;
        } else if (name == "GE") {
            groundFlag = FieldValue(*fields, 0) != 0;
        }
    }
    facts.Ground = groundCard.value_or(groundFlag);
    return facts;
}

}  // namespace quorvane
