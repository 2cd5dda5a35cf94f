// Pages with the keyboard through a data table of 100,000 rows from the top
// to the bottom and reports the time of every step until the grid is
// painted: the median, the slowest step and how many steps there were.

#include "DataTableGrid.h"
#include "DataTableScene.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTest>

#include <algorithm>
#include <iostream>
#include <vector>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    quorvane::InitialiseResources();
    quorvane::bench::DataTableScene scene(40);
    scene.Table().ReadFile(scene.largeFile);
    quorvane::DataTableGrid& grid = *scene.Table().StringGrid;
    scene.Table().activateWindow();
    grid.setFocus();
    grid.SetCurrentCell(1, 1);
    QApplication::processEvents();

    std::vector<double> steps;
    const int last = scene.program.Table.Capacity();
    QElapsedTimer timer;
    while (grid.CurrentRow() < last && steps.size() < 200000) {
        timer.start();
        QTest::keyClick(&grid, Qt::Key_PageDown);
        grid.viewport()->repaint();
        grid.verticalHeader()->viewport()->repaint();
        steps.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(steps.begin(), steps.end());
    std::cout << "PageDown from row 1 to row " << grid.CurrentRow() << ": " << steps.size()
              << " steps, median " << steps[steps.size() / 2] << " ms, 99th percentile "
              << steps[steps.size() * 99 / 100] << " ms, slowest " << steps.back() << " ms\n";
    return grid.CurrentRow() == last ? 0 : 1;
}
