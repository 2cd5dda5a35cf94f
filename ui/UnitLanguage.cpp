#include "UnitLanguage.h"

#include "SvgPictures.h"

#include <QPainter>

namespace quorvane {

const LanguageEntry& EntryOf(Language language)
{
    return language == Language::German ? LanguageTable[1] : LanguageTable[0];
}

Language DefaultLanguageFor(const QLocale& locale)
{
    if (locale.language() != QLocale::German)
        return Language::English;
    switch (locale.territory()) {
    case QLocale::Germany:
    case QLocale::Switzerland:
    case QLocale::Austria:
    case QLocale::Luxembourg:
    case QLocale::Liechtenstein:
        return Language::German;
    default:
        return Language::English;
    }
}

QPixmap LanguageBanner(Language language)
{
    QImage banner = SvgImage(QStringLiteral(":/flags/Banner%1.svg")
                                 .arg(QString::fromLatin1(EntryOf(language).ResourceName)),
                             QSize(16, 16))
                        .convertToFormat(QImage::Format_RGB32);
    if (language == Language::German) {
        // The lower band is set to this exact gold, whatever the picture holds.
        QPainter painter(&banner);
        painter.fillRect(QRect(0, 10, 16, 5), QColor(255, 224, 0));
    }
    return QPixmap::fromImage(banner);
}

QString HelpFileName(const QString& exePath, Language language)
{
    return exePath + QString::fromLatin1(EntryOf(language).ResourceName) + QStringLiteral(".html");
}

QString Text(const LanguageText& text, Language language)
{
    const std::string_view chosen = text(language);
    // Texts keep the line breaks of their origin; Qt breaks lines at LF alone.
    return QString::fromUtf8(chosen.data(), static_cast<qsizetype>(chosen.size()))
        .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace quorvane
