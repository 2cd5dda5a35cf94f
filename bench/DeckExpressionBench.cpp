// Evaluation of the fields of symbolic decks: plain numbers (beside
// std::from_chars, the floor they are measured against), typical expressions,
// SY cards, and the seven real fields of 100,000 GW cards written with
// symbols, which a deck import evaluates.

#include "DeckExpression.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::bench {
namespace {

constexpr std::array<std::string_view, 8> PlainFields{
    "0.25", "-1.5e-3", "12", "0.001", "-0.4836", "7.12", "1.0E-02", "299.7925",
};

constexpr std::array<std::string_view, 8> ExpressionFields{
    "-len/2", "h", "len/2+0.1", "h*cos(30)", "1.5*mm", "2.8uH", "(d1+d2)/2", "-(spacing*3)",
};

SymbolTable DeckSymbols()
{
    SymbolTable symbols;
    AssignSymbols("len=5.2, h=len/2+0.1, d1=0.3, d2=0.45, spacing=0.21", symbols);
    for (int i = 0; i < 50; ++i)
        symbols.Define("element_" + std::to_string(i), i * 0.1);
    return symbols;
}

void FromCharsOfPlainNumbers(benchmark::State& state)
{
    for (auto _ : state)
        for (std::string_view field : PlainFields) {
            double value = 0;
            std::from_chars(field.data(), field.data() + field.size(), value);
            benchmark::DoNotOptimize(value);
        }
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(PlainFields.size()));
}
BENCHMARK(FromCharsOfPlainNumbers);

void EvaluatePlainNumbers(benchmark::State& state)
{
    const SymbolTable symbols = DeckSymbols();
    for (auto _ : state)
        for (std::string_view field : PlainFields)
            benchmark::DoNotOptimize(EvaluateExpression(field, symbols).Value);
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(PlainFields.size()));
}
BENCHMARK(EvaluatePlainNumbers);

void EvaluateTypicalExpressions(benchmark::State& state)
{
    const SymbolTable symbols = DeckSymbols();
    for (auto _ : state)
        for (std::string_view field : ExpressionFields)
            benchmark::DoNotOptimize(EvaluateExpression(field, symbols).Value);
    state.SetItemsProcessed(state.iterations() * static_cast<long long>(ExpressionFields.size()));
}
BENCHMARK(EvaluateTypicalExpressions);

void AssignSymbolCard(benchmark::State& state)
{
    SymbolTable symbols = DeckSymbols();
    for (auto _ : state)
        benchmark::DoNotOptimize(AssignSymbols(" w=len/2+0.1, g = w*2 ' gap", symbols).Assigned);
}
BENCHMARK(AssignSymbolCard);

// The fields of 100,000 cards like "GW 1 11 0 -len/2 h 0 len/2 h 0.001":
// four of the seven reals are expressions.
void EvaluateFieldsOf100000Cards(benchmark::State& state)
{
    const SymbolTable symbols = DeckSymbols();
    const std::array<std::string_view, 7> card{"0", "-len/2", "h", "0", "len/2", "h*cos(30)", "0.001"};
    for (auto _ : state) {
        double sum = 0;
        for (int c = 0; c < 100000; ++c)
            for (std::string_view field : card)
                sum += EvaluateExpression(field, symbols).Value;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(EvaluateFieldsOf100000Cards)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quorvane::bench

BENCHMARK_MAIN();
