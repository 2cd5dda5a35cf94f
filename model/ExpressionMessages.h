#pragma once

#include "DeckExpression.h"
#include "Language.h"

#include <string>

namespace quorvane {

// What is wrong with an expression, in the user's language, without its
// column: "“len” is not defined".
std::string ExpressionErrorText(const ExpressionError& error, Language language);

}  // namespace quorvane
