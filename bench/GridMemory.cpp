// Reports the memory the data table's grid adds to a full line table of
// 100,000 rows: the process's resident size with the table read, and again
// with a grid over it shown and scrolled through. Qt's one-time costs (fonts,
// style, a first window) are paid before the first reading by a grid over a
// small table.

#include "BenchModels.h"
#include "DataFile.h"
#include "DataTableGrid.h"
#include "LineTable.h"
#include "LineTableModel.h"
#include "StartUp.h"

#include <QApplication>
#include <QScrollBar>

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {


void ShowAndScroll(quorvane::DataTableGrid& grid)
{
    grid.resize(800, 900);
    grid.show();
    QApplication::processEvents();
    QScrollBar* bar = grid.verticalScrollBar();
    for (int step = 0; step <= 10; ++step) {
        bar->setValue(bar->maximum() * step / 10);
        grid.viewport()->repaint();
    }
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    using namespace quorvane;
    QApplication application(argc, argv);
    InitialiseResources();
    {
        LineTable small;
        LineTableModel model(small);
        DataTableGrid grid(model, nullptr);
        ShowAndScroll(grid);
    }

    const fs::path path = fs::temp_directory_path() / "quorvane-grid-memory.qrv";
    std::ofstream(path, std::ios::binary) << bench::DataFileText(100000);
    LineTable table;
    DataFileSettings settings;
    const Language language = Language::English;
    DataFile file(table, settings, language, "Quorvane");
    file.ReadDataFile(path.string());
    fs::remove(path);
    const long withTable = bench::ResidentKilobytes();

    LineTableModel model(table);
    DataTableGrid grid(model, nullptr);
    ShowAndScroll(grid);
    const long withGrid = bench::ResidentKilobytes();
    std::cout << "rows: " << model.rowCount() << "\n"
              << "resident with the table: " << withTable / 1024.0 << " MB\n"
              << "resident with the grid over it: " << withGrid / 1024.0 << " MB\n"
              << "the grid adds: " << (withGrid - withTable) / 1024.0 << " MB\n";
    return table.LineCount == 100000 ? 0 : 1;
}
