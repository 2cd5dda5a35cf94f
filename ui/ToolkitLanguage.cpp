#include "ToolkitLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace quorvane {

namespace {

// The one translation in force, as the language is the whole program's.
std::unique_ptr<QTranslator>& Installed()
{
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

bool UseToolkitLanguage(Language language)
{
    std::unique_ptr<QTranslator>& installed = Installed();
    if (language != Language::German) {
        if (installed)
            QCoreApplication::removeTranslator(installed.get());
        installed.reset();
        return true;
    }
    if (installed)
        return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_de"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get()))
        return false;
    installed = std::move(translator);
    return true;
}

}  // namespace quorvane
