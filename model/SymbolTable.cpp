#include "SymbolTable.h"

namespace quorvane {

const double* SymbolTable::Find(std::string_view name) const
{
    const auto found = values_.find(name);
    return found == values_.end() ? nullptr : &found->second;
}

void SymbolTable::Define(std::string_view name, double value)
{
    const auto found = values_.find(name);
    if (found != values_.end())
        found->second = value;
    else
        values_.emplace(std::string(name), value);
}

}  // namespace quorvane
