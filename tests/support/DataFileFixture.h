#pragma once

#include "DataFile.h"
#include "LineTable.h"
#include "RecordedFileEvents.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace quorvane::testing {

// A table, its data file and a temporary folder. Blanks are so wide in the
// table's font that number texts get no padding, which keeps the expected
// cell texts readable.
class DataFileFixture : public ::testing::Test {
protected:
    DataFileFixture()
    {
        settings.SeparatorSet = StandardSeparatorSet();
        table.SetCharWidths(CharWidths([](char c) { return c == ' ' ? 1000 : 7; }));
        file.SetEvents(&events);
    }

    void Read(const std::string& bytes, const std::string& name = "model.qrv")
    {
        folder.Write(name, bytes);
        file.ReadDataFile(folder.Path(name));
    }

    std::string Write(const std::string& name = "model.qrv")
    {
        file.WriteDataFile(folder.Path(name));
        return folder.Read(name);
    }

    std::string Texts(int row) const
    {
        std::string joined;
        for (int column = 1; column <= 7; ++column)
            joined += std::string(table.CellText(column, row)) + (column < 7 ? "|" : "");
        return joined;
    }

    LineTable table;
    DataFileSettings settings;
    Language language = Language::English;
    RecordedFileEvents events;
    DataFile file{table, settings, language, "Quorvane"};
    TempFolder folder;
};

}  // namespace quorvane::testing
