#include "TablePrinter.h"

#include "CellTextEncoding.h"
#include "LineTable.h"
#include "NumberText.h"
#include "TablePages.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QPrinter>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorvane {

namespace {

// A cell as it is printed: coordinates without the blanks that align them
// on the screen, and whether the text is a number (right-aligned).
struct PrintedCell {
    QString Text;
    bool Number = false;
};

QString TextOf(std::string_view bytes)
{
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 128; });
    if (ascii)
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QString::fromStdString(DisplayTextOf(bytes));
}

PrintedCell CellToPrint(const LineTable& table, int column, int row)
{
    const std::string_view bytes = table.CellText(column, row);
    if (column == SupplementColumn)
        return {TextOf(bytes), false};
    double value = 0;
    return {TextOf(bytes).trimmed(), ParseNumber(bytes, value)};
}

QString RowNumber(int row)
{
    return QString::number(row);
}

// Sets texts glyph by glyph from the printer font's glyphs for single
// characters, looked up once, and draws all of a page in one run: shaping
// and drawing each of a large table's cells on its own takes several times
// as long. The font is used without kerning, so its advances simply add
// up. A text with a character the font lacks goes to the painter, which
// finds another font for it.
class GlyphSetter {
public:
    GlyphSetter(QPainter& painter, const QFont& font)
        : painter_(painter), raw_(QRawFont::fromFont(font)), metrics_(font, painter.device())
    {
    }

    const QFontMetricsF& Metrics() const { return metrics_; }

    qreal Width(const QString& text)
    {
        qreal width = 0;
        if (!Glyphs(text, [&width](const Glyph& glyph) { width += glyph.Advance; }))
            return metrics_.horizontalAdvance(text);
        return width;
    }

    // The text with its left end at x on the baseline.
    void Add(const QString& text, qreal x, qreal baseline)
    {
        const qsizetype start = indexes_.size();
        qreal at = x;
        const bool set = Glyphs(text, [&](const Glyph& glyph) {
            indexes_.push_back(glyph.Index);
            positions_.push_back(QPointF(at, baseline));
            at += glyph.Advance;
        });
        if (set)
            return;
        indexes_.resize(start);
        positions_.resize(start);
        painter_.drawText(QPointF(x, baseline), text);
    }

    void DrawPage()
    {
        if (indexes_.isEmpty())
            return;
        QGlyphRun run;
        run.setRawFont(raw_);
        run.setGlyphIndexes(indexes_);
        run.setPositions(positions_);
        painter_.drawGlyphRun(QPointF(0, 0), run);
        indexes_.clear();
        positions_.clear();
    }

private:
    struct Glyph {
        quint32 Index = 0;
        qreal Advance = -1;  // negative until looked up
    };

    Glyph LookUp(char32_t character) const
    {
        const QList<quint32> indexes = raw_.glyphIndexesForString(QString::fromUcs4(&character, 1));
        if (indexes.size() != 1 || indexes[0] == 0)
            return {0, 0};
        const QList<QPointF> advances = raw_.advancesForGlyphIndexes(indexes);
        return {indexes[0], advances.isEmpty() ? 0 : advances[0].x()};
    }

    const Glyph& Of(char32_t character)
    {
        if (character < latin_.size()) {
            Glyph& glyph = latin_[character];
            if (glyph.Advance < 0)
                glyph = LookUp(character);
            return glyph;
        }
        const auto found = others_.constFind(character);
        if (found != others_.cend())
            return *found;
        return *others_.insert(character, LookUp(character));
    }

    // Calls `take` for each character's glyph; false when the font lacks one.
    template <typename Take>
    bool Glyphs(const QString& text, Take take)
    {
        const bool surrogates = std::any_of(text.begin(), text.end(),
                                            [](QChar c) { return c.isSurrogate(); });
        const auto each = [&](char32_t character) {
            const Glyph& glyph = Of(character);
            if (glyph.Index == 0)
                return false;
            take(glyph);
            return true;
        };
        if (!surrogates)
            return std::all_of(text.begin(), text.end(), [&](QChar c) { return each(c.unicode()); });
        const QList<uint> characters = text.toUcs4();
        return std::all_of(characters.begin(), characters.end(), each);
    }

    QPainter& painter_;
    QRawFont raw_;
    QFontMetricsF metrics_;
    std::array<Glyph, 256> latin_{};
    QHash<char32_t, Glyph> others_;
    QList<quint32> indexes_;
    QList<QPointF> positions_;
};

// The widest text of each column, headers included.
std::array<int, PrintedColumnCount> ColumnTextWidths(const LineTable& table,
                                                     const TablePrintTexts& texts,
                                                     GlyphSetter& glyphs)
{
    const auto width = [&glyphs](const QString& text) {
        return static_cast<int>(std::ceil(glyphs.Width(text)));
    };
    std::array<int, PrintedColumnCount> widths{};
    widths[0] = width(RowNumber(std::max(1, table.LineCount)));
    for (int column = 1; column <= TextColumnCount; ++column)
        widths[column] = width(texts.Headers[column - 1]);
    for (int row = 1; row <= table.LineCount; ++row)
        for (int column = 1; column <= TextColumnCount; ++column)
            if (!table.CellText(column, row).empty())
                widths[column] =
                    std::max(widths[column], width(CellToPrint(table, column, row).Text));
    return widths;
}

class PagePainter {
public:
    PagePainter(QPainter& painter, GlyphSetter& glyphs, const TablePages& pages, int padding)
        : painter_(painter), glyphs_(glyphs), pages_(pages), padding_(padding),
          ascent_(glyphs.Metrics().ascent())
    {
    }

    void Page(const LineTable& table, const TablePrintTexts& texts, int page);

private:
    // A text in its column, right-aligned or left-aligned within the
    // padding, cut with an ellipsis when it does not fit.
    void Cell(int column, int top, const QString& text, bool right);
    void Rules(int first, int last);

    QPainter& painter_;
    GlyphSetter& glyphs_;
    const TablePages& pages_;
    int padding_;
    qreal ascent_;
};

void PagePainter::Cell(int column, int top, const QString& text, bool right)
{
    if (text.isEmpty())
        return;
    const int left = pages_.ColumnEdges[column] + padding_;
    const int room = pages_.ColumnWidth(column) - 2 * padding_;
    if (room <= 0)
        return;
    const qreal width = glyphs_.Width(text);
    if (width > room) {
        glyphs_.Add(glyphs_.Metrics().elidedText(text, Qt::ElideRight, room), left, top + ascent_);
        return;
    }
    glyphs_.Add(text, right ? left + room - width : left, top + ascent_);
}

void PagePainter::Page(const LineTable& table, const TablePrintTexts& texts, int page)
{
    const int left = pages_.ColumnEdges[0], right = pages_.ColumnEdges[PrintedColumnCount];
    painter_.setPen(Qt::black);
    glyphs_.Add(texts.Title, left + padding_, pages_.TitleTop + ascent_);
    const QString pageText = texts.PageNumbers.arg(page).arg(pages_.PageCount);
    glyphs_.Add(pageText, right - padding_ - glyphs_.Width(pageText), pages_.TitleTop + ascent_);

    for (int column = 1; column <= TextColumnCount; ++column)
        Cell(column, pages_.HeaderTop, texts.Headers[column - 1], column != SupplementColumn);

    const int first = pages_.FirstRowOfPage(page);
    const int last = pages_.LastRowOfPage(page, table.LineCount);
    for (int row = first; row <= last; ++row) {
        const int top = pages_.FirstRowTop + (row - first) * pages_.RowHeight;
        Cell(0, top, RowNumber(row), true);
        for (int column = 1; column <= TextColumnCount; ++column) {
            if (table.CellText(column, row).empty())
                continue;
            const PrintedCell cell = CellToPrint(table, column, row);
            Cell(column, top, cell.Text, cell.Number);
        }
    }
    glyphs_.DrawPage();
    Rules(first, last);
}

void PagePainter::Rules(int first, int last)
{
    // A rule under the headers and under the last row, light rules between
    // the rows and between the columns.
    const int left = pages_.ColumnEdges[0], right = pages_.ColumnEdges[PrintedColumnCount];
    const int bottom = pages_.FirstRowTop + std::max(0, last - first + 1) * pages_.RowHeight;
    const int rule = std::max(1, pages_.RowHeight / 24);
    std::vector<QLine> light;
    for (int row = first; row < last; ++row) {
        const int y = pages_.FirstRowTop + (row - first + 1) * pages_.RowHeight;
        light.emplace_back(left, y, right, y);
    }
    for (int column = 1; column < PrintedColumnCount; ++column)
        light.emplace_back(pages_.ColumnEdges[column], pages_.HeaderTop, pages_.ColumnEdges[column],
                           bottom);
    painter_.setPen(QPen(QColor(176, 176, 176), rule / 2.0));
    painter_.drawLines(light.data(), static_cast<int>(light.size()));
    painter_.setPen(QPen(Qt::black, rule));
    painter_.drawLine(left, pages_.FirstRowTop, right, pages_.FirstRowTop);
    painter_.drawLine(left, bottom, right, bottom);
}

}  // namespace

TablePrinter::TablePrinter(const LineTable& table, TablePrintTexts texts)
    : table_(table), texts_(std::move(texts))
{
}

int TablePrinter::Print(QPrinter& printer, const PixelRect& area, const QFont& font) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    QFont unkerned(font, &printer);
    unkerned.setKerning(false);
    painter.setFont(unkerned);
    GlyphSetter glyphs(painter, unkerned);
    TablePageInput input;
    input.Area = area;
    input.LineHeight = static_cast<int>(std::ceil(glyphs.Metrics().height()));
    input.Padding = std::max(1, static_cast<int>(std::lround(glyphs.Width(QStringLiteral(" ")))));
    input.TextWidths = ColumnTextWidths(table_, texts_, glyphs);
    input.RowCount = table_.LineCount;
    const TablePages pages = LayOutTablePages(input);

    // The print dialog's range, when the user chose one.
    const int from = printer.fromPage() > 0 ? std::min(printer.fromPage(), pages.PageCount) : 1;
    const int to = printer.toPage() > 0 ? std::clamp(printer.toPage(), from, pages.PageCount)
                                        : pages.PageCount;
    PagePainter pagePainter(painter, glyphs, pages, input.Padding);
    for (int page = from; page <= to; ++page) {
        if (page > from && !printer.newPage())
            break;
        pagePainter.Page(table_, texts_, page);
        // A long table must not freeze the windows while it prints.
        if (page % 16 == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return painter.end() ? pages.PageCount : 0;
}

}  // namespace quorvane
