#pragma once

#include "DataFile.h"

#include <string>
#include <vector>

namespace quorvane::testing {

// Records what the data file asks of the windows, in order.
struct RecordedFileEvents : DataFileEvents {
    void SetFileCaptions(const std::string& caption) override
    {
        calls.push_back("captions");
        captions.push_back(caption);
    }
    void ResizeDataTable() override { calls.push_back("resize"); }
    void ModelChanged() override { calls.push_back("model"); }
    void ShowFileError(const std::string& message) override
    {
        calls.push_back("error");
        errors.push_back(message);
    }
    SaveAnswer AskSaveChanges(const std::string& caption, const std::string& question) override
    {
        calls.push_back("ask");
        questions.push_back(caption + "|" + question);
        return answer;
    }

    std::vector<std::string> calls;
    std::vector<std::string> captions;
    std::vector<std::string> errors;
    std::vector<std::string> questions;
    SaveAnswer answer = SaveAnswer::Yes;
};

}  // namespace quorvane::testing
