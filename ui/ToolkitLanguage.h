#pragma once

#include "Language.h"

namespace quorvane {

// The toolkit's own texts, the buttons and labels of its file, colour,
// print and page set-up dialogs, in the program's language: Qt's German
// translation is loaded for German and removed again for English. Without
// the translation installed the dialogs stay English. Returns whether the
// toolkit now speaks `language`.
bool UseToolkitLanguage(Language language);

}  // namespace quorvane
