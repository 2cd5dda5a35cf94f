#pragma once

#include "DataTableGrid.h"
#include "FormDataTable.h"
#include "MainWindowFixture.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QUrl>

namespace quorvane::testing {

// The program started on a model of the test's own, with the data table
// window open and active, and its beeps counted.
class DataTableFixture : public MainWindowFixture {
protected:
    void StartOn(const std::string& model, const std::string& general = {},
                 const std::string& sections = {})
    {
        folder.Write("model.qrv", model);
        WriteSettings("[General]\r\nQrvFile=" + ModelPath() + "\r\n" + general +
                      "[FormDataTable]\r\nFormVisible=1\r\nVisibleRowsCount=11\r\nWidth=800\r\n" +
                      sections);
        Start();
        Table().Sound = [this] { ++beeps; };
        Table().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Table()));
        Grid().setFocus();
    }
    std::string ModelPath() const { return folder.Path("model.qrv"); }

    FormDataTable& Table() { return windows->DataTable(); }
    DataTableGrid& Grid() { return *Table().StringGrid; }
    LineTable& Lines() { return program.Table; }
    std::string Cell(int column, int row) { return std::string(Lines().CellText(column, row)); }
    // The cell's text as the grid shows it, without its alignment.
    QString Shown(int column, int row)
    {
        return Table().Model().CellText(column, row).trimmed();
    }

    // A click on a cell, or on a row label for column 0.
    void Click(int column, int row, Qt::MouseButton button = Qt::LeftButton)
    {
        const QModelIndex cell = Table().Model().CellIndex(std::max(1, column), row);
        Grid().scrollTo(cell);
        if (column == 0) {
            QHeaderView* labels = Grid().verticalHeader();
            const QPoint at(labels->width() / 2, labels->sectionViewportPosition(row - 1) + 5);
            QTest::mouseClick(labels->viewport(), button, {}, at);
        } else {
            QTest::mouseClick(Grid().viewport(), button, {}, Grid().visualRect(cell).center());
        }
    }
    void TypeText(const std::string& text)
    {
        for (char c : text)
            Type(c);
    }
    bool SaveButtonsEnabled()
    {
        return Table().SpeedButtonSave->isEnabled() && Window().SpeedButtonSave->isEnabled();
    }
    // Pixels of the main window's drawing in the line colour.
    int LinePixels()
    {
        const QImage& image = Window().Image->Canvas().Image();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == 0xFF800000u ? 1 : 0;
        return count;
    }

    // A file dragged from the file manager and let go over `target`.
    static void DropFile(QWidget& target, const QString& path)
    {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at(target.width() / 2, target.height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return;
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
    }

    int beeps = 0;
};

}  // namespace quorvane::testing
