#include "CheckMessages.h"
#include "CheckTables.h"
#include "Nec2c.h"

#include <gtest/gtest.h>

namespace quorvane::testing {
namespace {

Nec2cVerdict Verdict(const TempFolder& folder, const std::string& deck)
{
    const Nec2cRun run = RunNec2c(folder, deck);
    if (run.Verdict == Nec2cVerdict::Missing)
        ADD_FAILURE() << "nec2c is not installed (scripts/install-deps.sh installs it)";
    return run.Verdict;
}

std::string Deck(const std::string& geometry, int groundFlag)
{
    std::string deck = "CM hand-made\nCE\n" + geometry + "GE " + std::to_string(groundFlag) + "\n";
    if (groundFlag != 0)
        deck += "GN 1\n";
    return deck + "EX 0 1 1 0 1 0\nFR 0 1 0 0 14.2 0\nXQ\nEN\n";
}

struct Case {
    const char* Name;
    std::string Geometry;
    int GroundFlag;
    std::optional<CheckRule> Fault;  // none: a sound deck
};

// For every deck nec2c refuses or cannot finish, the checks report its
// fault; the sound decks beside them pass both.
TEST(Nec2cComparison, WhatTheSimulatorRefusesTheChecksReport)
{
    const Case cases[] = {
        {"a dipole", "GW 1 21 0 0 -5 0 0 5 0.001\n", 0, std::nullopt},
        {"a monopole on the ground", "GW 1 11 0 0 0 0 0 5 0.001\n", 1, std::nullopt},
        {"a wire below the ground", "GW 1 11 -5 0 -1 5 0 -1 0.001\n", 1, CheckRule::BelowGround},
        {"a wire slanting into the ground", "GW 1 11 -5 0 1 5 0 -1 0.001\n", 1,
         CheckRule::BelowGround},
        {"a wire lying on the ground", "GW 1 11 -5 0 0 5 0 0 0.001\n", 1,
         CheckRule::InGroundPlane},
        {"a wire without radius", "GW 1 11 -5 0 1 5 0 1 0\n", 0, CheckRule::ZeroRadius},
        {"a wire of no length", "GW 1 11 -5 0 1 5 0 1 0.001\nGW 2 1 1 1 1 1 1 1 0.001\n", 0,
         CheckRule::ZeroLength},
        {"a wire reflected onto itself", "GW 1 5 0 0 1 0 1 1 0.001\nGX 1 100\n", 0,
         CheckRule::DuplicateLines},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string deck = Deck(c.Geometry, c.GroundFlag);
        const Nec2cVerdict verdict = Verdict(folder, deck);
        LineTable table;
        AddDeck(table, deck);
        const std::vector<CheckFinding> findings = CheckAsItSays(table);
        ASSERT_EQ(ReadModelFacts(table).Ground, c.GroundFlag != 0);
        if (!c.Fault) {
            EXPECT_EQ(verdict, Nec2cVerdict::Solved);
            EXPECT_TRUE(findings.empty()) << RuleId(findings.front().Rule);
            continue;
        }
        EXPECT_NE(verdict, Nec2cVerdict::Solved) << "nec2c took it";
        bool reported = false;
        for (const CheckFinding& f : findings)
            reported = reported || (f.Rule == *c.Fault && f.Severity == CheckSeverity::Error);
        EXPECT_TRUE(reported) << "expected " << RuleId(*c.Fault);
    }
}

}  // namespace
}  // namespace quorvane::testing
