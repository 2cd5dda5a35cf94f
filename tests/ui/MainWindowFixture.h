#pragma once

#include "FormMain.h"
#include "QtPrinting.h"
#include "ImageView.h"
#include "PrinterSource.h"
#include "ProgramState.h"
#include "StartUp.h"
#include "TempFolder.h"
#include "UpDownArrows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <optional>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

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
        // The file association goes to a desktop of the tests' own, shared by
        // all of them so that its caches are built once.
        static const TempFolder desktop;
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(desktop.Path("data")));
        ReadScreenMetrics(program);
        // Dialogs would wait for a user: answer them as the test says, or
        // cancel them, and keep what they showed.
        modalCloser.setInterval(20);
        QObject::connect(&modalCloser, &QTimer::timeout, [this] { AnswerDialog(); });
        modalCloser.start();
    }
    ~MainWindowFixture() override
    {
        windows.reset();
        qunsetenv("XDG_CONFIG_HOME");
        qunsetenv("XDG_DATA_HOME");
    }

    void Start(const QStringList& arguments = {})
    {
        windows = std::make_unique<ProgramWindows>(
            program, QString::fromStdString(folder.Path("bin/Quorvane")), arguments,
            std::move(printers));
        Window().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    }

    FormMain& Window() { return windows->Main(); }

    // Answers are given from the event loop, not from the timer's own call,
    // so that a dialog the answer opens (a confirmation) is answered too.
    void AnswerDialog()
    {
        QWidget* modal = QApplication::activeModalWidget();
        // A dialog answered once is active again while a box it opened
        // (the file dialog's overwrite question) closes: it is no new one.
        if (!modal || std::find(answered_.begin(), answered_.end(), modal) != answered_.end())
            return;
        std::erase_if(answered_, [](const QPointer<QWidget>& gone) { return gone.isNull(); });
        answered_.emplace_back(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            dismissed.push_back(box->text());
            const std::optional<QMessageBox::StandardButton> answer =
                answers.empty() ? std::nullopt : std::optional(answers.front());
            if (!answers.empty())
                answers.pop_front();
            QMetaObject::invokeMethod(
                box,
                [box, answer] {
                    QAbstractButton* button = answer ? box->button(*answer) : nullptr;
                    if (button)
                        button->click();
                    else
                        box->reject();
                },
                Qt::QueuedConnection);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            fileDialogs.push_back({dialog->windowTitle(), dialog->directory().absolutePath(),
                                   dialog->selectedFiles().value(0), dialog->nameFilters(),
                                   dialog->selectedNameFilter(), QString()});
            const QString choice = fileChoices.empty() ? QString() : fileChoices.front();
            if (!fileChoices.empty())
                fileChoices.pop_front();
            if (!typeChoices.empty()) {
                ChooseType(*dialog, typeChoices.front());
                typeChoices.pop_front();
            }
            fileDialogs.back().nameAfterTypeChange = NameField(*dialog);
            QMetaObject::invokeMethod(
                dialog,
                [dialog, choice] {
                    if (choice.isEmpty()) {
                        dialog->reject();
                        return;
                    }
                    // Typed into the name field, as a user would: selecting a
                    // file does not change a name field that has the focus.
                    if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
                        name->setText(choice);
                    else
                        dialog->selectFile(choice);
                    // Through the dialog base, where accepting is public.
                    static_cast<QDialog*>(dialog)->accept();
                },
                Qt::QueuedConnection);
        }
    }

    // Picks a file type in the dialog's type list, as the user would.
    static void ChooseType(QFileDialog& dialog, int type)
    {
        auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        types->setCurrentIndex(type - 1);
        emit types->activated(type - 1);
        emit types->textActivated(types->currentText());
    }
    static QString NameField(QFileDialog& dialog)
    {
        auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        return name ? name->text() : QString();
    }

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

    // Keys go to the control with the focus, as from the keyboard, or to
    // the active window when no control has it.
    QWidget* KeyTarget()
    {
        if (QWidget* focus = QApplication::focusWidget())
            return focus;
        return QApplication::activeWindow() ? QApplication::activeWindow() : &Window();
    }
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(KeyTarget(), key, modifiers);
    }
    void Type(char character) { QTest::keyClick(KeyTarget(), character); }
    // Brings a window to the front, as a click on it would; the test
    // platform has no window manager to do it when a dialog closes.
    void Activate(QWidget& window)
    {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Waits until the window manager has put its frame round a window just
    // shown; other platforms frame windows at once, or never.
    static void WaitForFrame(QWidget& window)
    {
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            static_cast<void>(QTest::qWaitFor(
                [&] { return window.frameGeometry() != window.geometry(); }, 10000));
    }

    // Waits until a window is maximised and, with a window manager, has
    // lost the border that window managers leave off maximised windows.
    static void WaitForMaximised(QWidget& window)
    {
        EXPECT_TRUE(QTest::qWaitFor([&] { return window.isMaximized(); }, 3000));
        if (QGuiApplication::platformName() == QLatin1String("xcb"))
            static_cast<void>(QTest::qWaitFor(
                [&] { return window.frameGeometry().x() == window.geometry().x(); }, 3000));
    }

    int Azimuth() { return Window().TrackBarAzimuth->value(); }
    int Elevation() { return -Window().TrackBarElevation->value(); }
    QString Scale() { return Window().PanelScale->text(); }

    struct FileDialogSeen {
        QString title, folder, proposed;
        QStringList filters;
        QString filter;
        QString nameAfterTypeChange;
    };

    TempFolder folder;
    QTimer modalCloser;
    QStringList dismissed;
    // The buttons to press in the next message boxes; without one a box is
    // cancelled.
    std::deque<QMessageBox::StandardButton> answers;
    // The files to pick in the next file dialogs; empty cancels.
    std::deque<QString> fileChoices;
    // The file types to pick (1-based) in the next file dialogs, before the name.
    std::deque<int> typeChoices;
    // The printers the program will see; the desktop's when not set.
    std::unique_ptr<PrinterSource> printers;
    std::vector<FileDialogSeen> fileDialogs;
    std::vector<QPointer<QWidget>> answered_;
    ProgramState program;
    std::unique_ptr<ProgramWindows> windows;
};

}  // namespace quorvane::testing
