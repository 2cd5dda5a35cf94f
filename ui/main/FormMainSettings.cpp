#include "FormMain.h"

#include "FormDataTable.h"
#include "NormalPlace.h"
#include "SettingsFile.h"
#include "SettingsFilePath.h"

#include <QMessageBox>
#include <QSlider>

namespace quorvane {

void FormMain::ReadSettingsAtStart()
{
    program_.IniFileName = SettingsFilePath("Tallomar", program_.ProgramFile, true);
    ReadMainSettings(program_.IniFileName, program_.Numbers, program_.Desktop,
                     program_.DefaultLanguage, program_.SampleFile, program_.View, program_.Main);
}

void FormMain::RememberNormalBounds()
{
    // Left and Top are the frame's place, Width and Height the inside: the
    // same as the window takes them back at the next start. A window never
    // shown in the normal state keeps the place it was given.
    const std::optional<QRect> normal = normalPlace_->Bounds();
    if (!normal)
        return;
    program_.Main.Left = normal->x();
    program_.Main.Top = normal->y();
    program_.Main.Width = normal->width();
    program_.Main.Height = normal->height();
}

void FormMain::WriteSettingsOnClose()
{
    program_.Main.WindowState = appMinimized_ ? 1 : (isMaximized() ? 2 : 0);
    if (!appMinimized_)
        RememberNormalBounds();
    const QString caption = QString::fromStdString(program_.ExeBaseName);
    const std::string mainError =
        WriteMainSettings(program_.IniFileName, program_.Numbers, program_.View,
                          TrackBarAzimuth->value(), -TrackBarElevation->value(), program_.Main,
                          program_.RememberQrvFile);
    if (!mainError.empty())
        QMessageBox::critical(this, caption, QString::fromStdString(mainError));
    if (dataTable_)
        dataTable_->RememberWindowState();
    const std::string tableError =
        WriteDataTableSettings(program_.IniFileName, program_.Main.SaveSettings,
                               program_.DataFileValues, program_.DataTableValues);
    if (!tableError.empty())
        QMessageBox::critical(this, caption, QString::fromStdString(tableError));
}

}  // namespace quorvane
