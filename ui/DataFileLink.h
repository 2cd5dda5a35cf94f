#pragma once

#include "DataFile.h"

namespace quorvane {

class FormMain;
struct ProgramState;

// What reading and writing data files ask of the windows: captions, the
// drawing, and the messages and questions to the user.
class DataFileLink : public DataFileEvents {
public:
    DataFileLink(FormMain& main, ProgramState& program) : main_(main), program_(program) {}

    void SetFileCaptions(const std::string& caption) override;
    void ResizeDataTable() override;
    void ModelChanged() override;
    void ShowFileError(const std::string& message) override;
    SaveAnswer AskSaveChanges(const std::string& caption, const std::string& question) override;

private:
    FormMain& main_;
    ProgramState& program_;
};

}  // namespace quorvane
