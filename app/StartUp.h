#pragma once

#include "DataFile.h"
#include "DataFileLink.h"
#include "FormDataTable.h"
#include "FormMain.h"
#include "FormSettings.h"
#include "PrinterSource.h"
#include "ProgramState.h"

#include <QStringList>

#include <memory>

namespace quorvane {

// The program's windows and the objects that live as long as they do,
// created in the start-up order: the main window first, then the data
// table window (its settings and the data file), which shows the main
// window, and the settings dialog, hidden until asked for.
class ProgramWindows {
public:
    // `programFile` is the running program's full name, `arguments` the
    // command line without it; `printers` the desktop's unless given.
    ProgramWindows(ProgramState& program, const QString& programFile, const QStringList& arguments,
                   std::unique_ptr<PrinterSource> printers = nullptr);
    ~ProgramWindows();

    FormMain& Main() { return *main_; }
    FormDataTable& DataTable() { return *dataTable_; }
    DataFile& Data() { return *dataFile_; }
    FormSettings& Settings() { return *settings_; }

private:
    std::unique_ptr<PrinterSource> printers_;
    std::unique_ptr<FormMain> main_;
    std::unique_ptr<DataFile> dataFile_;
    std::unique_ptr<DataFileLink> link_;
    std::unique_ptr<FormDataTable> dataTable_;
    std::unique_ptr<FormSettings> settings_;
};

// Virtual desktop (device pixels, for the drawing) and work area (window
// pixels), read once before any window exists.
void ReadScreenMetrics(ProgramState& program);

// Loads the pictures compiled into the program; call once after the
// application object exists.
void InitialiseResources();

}  // namespace quorvane
