#pragma once

#include "StartUp.h"

#include <QTemporaryDir>

#include <memory>
#include <string>

namespace quorvane::bench {

// The program as a user has it: the main window at 1920 x 1080 and the data
// table window open beside it, showing `visibleRows` rows, with a data file
// of 100,000 lines ready to be opened.
struct DataTableScene {
    enum class Model {
        // Random lines hundreds of metres long, nearly all across the window.
        WideRandom,
        // Lines 20 to 200 pixels long on the screen, as in the other drawing
        // benchmarks.
        ScreenSized,
    };
    // `printers` are the desktop's unless given.
    explicit DataTableScene(int visibleRows = 11, Model model = Model::WideRandom,
                            std::unique_ptr<PrinterSource> printers = nullptr);

    FormMain& Main() { return windows->Main(); }
    FormDataTable& Table() { return windows->DataTable(); }

    QTemporaryDir folder;
    std::string largeFile;
    ProgramState program;
    std::unique_ptr<ProgramWindows> windows;
};

}  // namespace quorvane::bench
