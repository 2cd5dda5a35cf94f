#pragma once

#include "FormMain.h"
#include "ImageView.h"
#include "ProgramState.h"
#include "StartUp.h"
#include "TempFolder.h"
#include "UpDownArrows.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace quorvane::testing {

// A program started as from a folder of its own, with its settings in a
// temporary configuration folder and the sample model beside it.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture()
    {
        namespace fs = std::filesystem;
        fs::create_directories(folder.Path("bin/QRV sample files"));
        fs::copy_file(fs::path(QUORVANE_SAMPLES_DIR) / "Yagi antenna.qrv",
                      folder.Path("bin/QRV sample files/Yagi antenna.qrv"));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.Path("config")));
        ReadScreenMetrics(program);
        // Message boxes would wait for a user: close them and keep their texts.
        modalCloser.setInterval(20);
        QObject::connect(&modalCloser, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                dismissed.push_back(box->text());
                box->reject();
            }
        });
        modalCloser.start();
    }
    ~MainWindowFixture() override
    {
        windows.reset();
        qunsetenv("XDG_CONFIG_HOME");
    }

    void Start(const QStringList& arguments = {})
    {
        windows = std::make_unique<ProgramWindows>(
            program, QString::fromStdString(folder.Path("bin/Quorvane")), arguments);
        Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    }

    FormMain& Window() { return windows->Main(); }

    std::string SettingsPath() const { return folder.Path("config/Tallomar/Quorvane/Quorvane.ini"); }
    void WriteSettings(const std::string& text) const
    {
        std::filesystem::create_directories(folder.Path("config/Tallomar/Quorvane"));
        std::ofstream(SettingsPath(), std::ios::binary) << text;
    }
    std::string ReadSettings() const
    {
        std::ifstream in(SettingsPath(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // Keys go to the control with the focus, as from the keyboard.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Window();
        QTest::keyClick(target, key, modifiers);
    }
    void Type(char character)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &Window();
        QTest::keyClick(target, character);
    }

    int Azimuth() { return Window().TrackBarAzimuth->value(); }
    int Elevation() { return -Window().TrackBarElevation->value(); }
    QString Scale() { return Window().PanelScale->text(); }

    TempFolder folder;
    QTimer modalCloser;
    QStringList dismissed;
    ProgramState program;
    std::unique_ptr<ProgramWindows> windows;
};

}  // namespace quorvane::testing
