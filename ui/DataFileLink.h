#pragma once

#include "DataFile.h"

namespace quorvane {

class FormDataTable;
class FormMain;
struct ProgramState;

// What reading and writing data files ask of the windows: both windows'
// captions, the data table's resize handling, the drawing, and the messages
// and questions to the user.
class DataFileLink : public DataFileEvents {
public:
    DataFileLink(FormMain& main, ProgramState& program) : main_(main), program_(program) {}
    void SetDataTable(FormDataTable* dataTable) { dataTable_ = dataTable; }

    void SetFileCaptions(const std::string& caption) override;
    void ResizeDataTable() override;
    void ModelChanged() override;
    void ShowFileError(const std::string& message) override;
    SaveAnswer AskSaveChanges(const std::string& caption, const std::string& question) override;

private:
    FormMain& main_;
    FormDataTable* dataTable_ = nullptr;
    ProgramState& program_;
};

}  // namespace quorvane
