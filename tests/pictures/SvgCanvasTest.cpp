#include "FixedTextMeasure.h"
#include "ModelBuilder.h"
#include "PngReader.h"
#include "Projection.h"
#include "SvgCanvas.h"
#include "TestCanvas.h"
#include "WireFrameDrawing.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

namespace quorvane::testing {
namespace {

// --- a small XML reader, strict about the well-formedness the canvas must keep ---

struct Element {
    std::string Name;
    std::map<std::string, std::string> Attributes;
    std::string Text;  // character data directly inside, references resolved
    int Parent = -1;
    std::string Attr(const std::string& name) const
    {
        return Attributes.count(name) ? Attributes.at(name) : std::string();
    }
};

// Character data or an attribute value: no '<', no bare '&', nothing XML 1.0 forbids.
std::string Resolve(std::string_view s)
{
    static const std::map<std::string_view, std::string> references{
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"#9", "\t"}, {"#10", "\n"}};
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c == '<' || (c < 0x20 && c != '\t' && c != '\n' && c != '\r'))
            throw std::runtime_error("forbidden character in character data");
        const std::size_t end = c == '&' ? s.find(';', i) : i;
        if (c == '&' && (end == s.npos || !references.count(s.substr(i + 1, end - i - 1))))
            throw std::runtime_error("bare '&' or unknown reference");
        out += c == '&' ? references.at(s.substr(i + 1, end - i - 1)) : std::string(1, char(c));
        i = end;
    }
    return out;
}

std::vector<Element> ParseXml(const std::string& doc)
{
    std::vector<Element> elements;
    std::vector<int> open;
    auto name = [&](std::size_t& i) {
        const std::size_t start = i;
        while (i < doc.size() && (std::isalnum(static_cast<unsigned char>(doc[i])) || doc[i] == ':' || doc[i] == '-'))
            ++i;
        return doc.substr(start, i - start);
    };
    for (std::size_t i = doc.rfind("<?xml", 0) == 0 ? doc.find("?>") + 2 : 0; i < doc.size();) {
        if (doc[i] != '<') {  // text
            const std::size_t end = std::min(doc.find('<', i), doc.size());
            const std::string text = Resolve(std::string_view(doc).substr(i, end - i));
            if (open.empty() && text.find_first_not_of('\n') != std::string::npos)
                throw std::runtime_error("text outside the root");
            if (!open.empty())
                elements[std::size_t(open.back())].Text += text;
            i = end;
        } else if (doc[++i] == '/') {  // end tag
            const std::string closing = name(++i);
            if (open.empty() || elements[std::size_t(open.back())].Name != closing || doc[i++] != '>')
                throw std::runtime_error("unbalanced </" + closing + ">");
            open.pop_back();
        } else {  // start tag
            if (open.empty() && !elements.empty())
                throw std::runtime_error("a second root");
            Element e{name(i), {}, {}, open.empty() ? -1 : open.back()};
            while (doc[i] == ' ') {
                const std::string attribute = name(++i);
                const std::size_t end = doc.find('"', i + 2);
                if (attribute.empty() || doc.compare(i, 2, "=\"") != 0 || end == doc.npos ||
                    !e.Attributes.emplace(attribute, Resolve(std::string_view(doc).substr(i + 2, end - i - 2))).second)
                    throw std::runtime_error("bad attribute in <" + e.Name + ">");
                i = end + 1;
            }
            const bool empty = doc.compare(i, 2, "/>") == 0;
            if (!empty && doc[i] != '>')
                throw std::runtime_error("bad tag <" + e.Name + ">");
            i += empty ? 2 : 1;
            elements.push_back(std::move(e));
            if (!empty)
                open.push_back(int(elements.size()) - 1);
        }
    }
    if (!open.empty() || elements.empty())
        throw std::runtime_error("unclosed elements");
    return elements;
}

std::vector<const Element*> All(const std::vector<Element>& elements, const std::string& name)
{
    std::vector<const Element*> found;
    for (const Element& e : elements)
        if (e.Name == name)
            found.push_back(&e);
    return found;
}

// The clip-path references of the groups around `e`.
std::vector<std::string> ClipsAround(const std::vector<Element>& elements, const Element& e)
{
    std::vector<std::string> clips;
    for (int p = e.Parent; p >= 0; p = elements[std::size_t(p)].Parent)
        if (!elements[std::size_t(p)].Attr("clip-path").empty())
            clips.push_back(elements[std::size_t(p)].Attr("clip-path"));
    return clips;
}

using Lines = std::vector<std::array<double, 4>>;

// The lines of a path of M and L commands, each as x1 y1 x2 y2.
Lines LinesOf(const Element& path)
{
    Lines lines;
    const std::string d = path.Attr("d");
    double x = 0, y = 0;
    for (const char* p = d.c_str(); *p;) {
        const char command = *p++;
        char* end;
        const double nx = std::strtod(p, &end), ny = std::strtod(end, &end);
        if (end == p || (command != 'M' && command != 'L'))
            throw std::runtime_error("bad path data");
        if (command == 'L')
            lines.push_back({x, y, nx, ny});
        x = nx, y = ny, p = end;
    }
    return lines;
}

DecodedPng ImageOf(const Element& image)
{
    const std::string href = image.Attr("href"), prefix = "data:image/png;base64,";
    EXPECT_EQ(image.Attr("xlink:href"), href);
    EXPECT_EQ(href.rfind(prefix, 0), 0u);
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<std::uint8_t> bytes;
    std::uint32_t bits = 0;
    int count = 0;
    for (std::size_t i = prefix.size(); i < href.size() && href[i] != '='; ++i) {
        bits = bits << 6 | std::uint32_t(alphabet.find(href[i]));
        if ((count += 6) >= 8)
            bytes.push_back(std::uint8_t(bits >> (count -= 8)));
    }
    return DecodePng(bytes);
}

std::set<Color> ColoursOf(const Element& image)
{
    const DecodedPng png = ImageOf(image);
    return {png.Colors.begin(), png.Colors.end()};
}

constexpr Color White = 0xFFFFFF, Black = 0, Red = 0x0000FF, Cyan = 0xFFFF00;

// Parallel projection from the front at one pixel per metre onto a 400 x
// 300 picture, labels 10 pixels high (cells of 12, baseline at 10, " 1 " 18
// wide). Line 1 stands 200 m deep, so the eyes see it 10 pixels apart; lines
// 2 and 3 form a corner in the screen plane.
class SvgDrawing : public ::testing::Test {
protected:
    SvgDrawing() : view(FrontViewAtOnePixelPerMetre()), drawing(table, view, window)
    {
        view.ShowLineNumbers = true;
        AddLine(table, {0, 200, -50, 0, 200, 50});
        AddLine(table, {-100, 0, 20, 100, 0, 20});
        AddLine(table, {100, 0, 20, 100, 0, -40});
    }

    void DrawOn(Canvas& canvas) { drawing.DrawToCanvas(canvas, 400, 300, 1.0, 0, 0, {0, 0, 400, 300}, 10, "Arial"); }

    std::vector<Element> Draw(bool anaglyph, Color background = White)
    {
        view.ShowAnaglyph = anaglyph;
        view.AnaglyphBackgroundColor = background;
        drawing.SetupAnaglyphColors();
        ComputeModelExtents(view, table);
        ProjectLines(view, table, false, view.DrawFactor);
        SvgCanvas svg({400, 300, 105.833, 79.375}, measure);
        DrawOn(svg);
        document = svg.Finish();
        return ParseXml(document);
    }

    LineTable table;
    ViewParameters view;
    TestWindow window;
    WireFrameDrawing drawing;
    FixedTextMeasure measure;
    std::string document;
};

TEST_F(SvgDrawing, MonoHasItsPhysicalSizeLinesAtPixelCentresAndLabelsOnTheirCells)
{
    const std::vector<Element> svg = Draw(false);
    EXPECT_EQ(svg[0].Name + " " + svg[0].Attr("xmlns") + " " + svg[0].Attr("width") + " " +
                  svg[0].Attr("height") + " " + svg[0].Attr("viewBox"),
              "svg http://www.w3.org/2000/svg 105.833mm 79.375mm 0 0 400 300");

    // Everything drawn lies in the one group clipped to the drawing's area.
    const auto clips = All(svg, "clipPath");
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0][1].Attributes,
              (std::map<std::string, std::string>{{"x", "0"}, {"y", "0"}, {"width", "400"}, {"height", "300"}}));
    for (const char* kind : {"path", "text", "rect"}) {
        for (const Element* e : All(svg, kind)) {
            if (e != &clips[0][1]) {
                EXPECT_EQ(ClipsAround(svg, *e), std::vector<std::string>{"url(#" + clips[0]->Attr("id") + ")"});
            }
        }
    }
    EXPECT_EQ(clips[0][3].Attr("fill") + " " + clips[0][3].Attr("width"), "#ffffff 403");  // the background first

    // One path in the line colour; line 3 continues where line 2 ends.
    const auto paths = All(svg, "path");
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0]->Attr("stroke") + " " + paths[0]->Attr("stroke-width") + " " + paths[0]->Attr("fill"),
              "#800000 1 none");
    EXPECT_EQ(paths[0]->Attr("style"), "");
    EXPECT_EQ(LinesOf(*paths[0]),
              (Lines{{200.5, 200.5, 200.5, 100.5}, {100.5, 130.5, 300.5, 130.5}, {300.5, 130.5, 300.5, 190.5}}));

    // Each label: its text in the font's group, blanks kept, after a box in
    // the background colour that covers the text's cell.
    const auto texts = All(svg, "text");
    ASSERT_EQ(texts.size(), 3u);
    std::vector<std::string> labels;
    for (const Element* text : texts) {
        labels.push_back(text->Text);
        const Element& group = svg[std::size_t(text->Parent)];
        EXPECT_EQ(group.Attr("font-family") + " " + group.Attr("font-size") + " " + group.Attr("fill") + " " +
                      group.Attr("xml:space"),
                  "'Arial',sans-serif 10 #000000 preserve");
        const Element& box = text[-1].Name == "g" ? text[-2] : text[-1];  // the group may open between
        ASSERT_EQ(box.Name + box.Attr("fill"), "rect#ffffff");
        const int x = std::stoi(text->Attr("x")), top = std::stoi(text->Attr("y")) - 10;
        const int left = std::stoi(box.Attr("x")), boxTop = std::stoi(box.Attr("y"));
        EXPECT_LE(left, x);
        EXPECT_LE(boxTop, top);
        EXPECT_GE(left + std::stoi(box.Attr("width")), x + 18);
        EXPECT_GE(boxTop + std::stoi(box.Attr("height")), top + 12);
    }
    EXPECT_EQ(labels, (std::vector<std::string>{" 1 ", " 2 ", " 3 "}));
    // Label 1 is centred on line 1: (200 - 18 / 2, 150 - 12 / 2), its baseline 10 lower.
    EXPECT_EQ(texts[0]->Attr("x") + " " + texts[0]->Attr("y"), "191 154");
    EXPECT_TRUE(All(svg, "image").empty());
}

TEST_F(SvgDrawing, AnaglyphPensBecomeBlendModesAndLabelBlocksEmbeddedPictures)
{
    struct Case {
        Color background;
        std::string leftStroke, rightStroke, lineBlend;
        std::set<Color> leftBox, leftText;
    };
    // On white a line removes its eye's channel: multiplying with the pen's
    // complement. On black it lights it: lighten with the pen's colour.
    for (const Case& c : {Case{White, "#00ffff", "#ff0000", "mix-blend-mode:multiply", {Red}, {White, Cyan}},
                          Case{Black, "#ff0000", "#00ffff", "mix-blend-mode:lighten", {Cyan}, {Black, Red}}}) {
        const std::vector<Element> svg = Draw(true, c.background);
        const auto paths = All(svg, "path");
        ASSERT_EQ(paths.size(), 2u);
        EXPECT_EQ(paths[0]->Attr("stroke") + " " + paths[1]->Attr("stroke"), c.leftStroke + " " + c.rightStroke);
        EXPECT_EQ(paths[0]->Attr("style"), c.lineBlend);
        EXPECT_EQ(paths[1]->Attr("style"), c.lineBlend);
        EXPECT_EQ(LinesOf(*paths[0]).front(), (std::array{190.5, 200.5, 190.5, 100.5}));
        EXPECT_EQ(LinesOf(*paths[1]).front(), (std::array{210.5, 200.5, 210.5, 100.5}));

        // The same blocks at the same places as on a raster canvas, AND as
        // multiply and OR as lighten.
        TestCanvas raster(400, 300);
        DrawOn(raster);
        std::vector<std::string> blocks;
        for (const Element* image : All(svg, "image")) {
            const std::string style = image->Attr("style");
            blocks.push_back("CopyBlock " + image->Attr("width") + " " + image->Attr("height") + " " +
                             image->Attr("x") + " " + image->Attr("y") +
                             (style.starts_with("mix-blend-mode:multiply;") ? " And"
                              : style.starts_with("mix-blend-mode:lighten;") ? " Or" : " ?"));
        }
        EXPECT_EQ(blocks, raster.Calls("CopyBlock"));
        const auto images = All(svg, "image");
        ASSERT_EQ(images.size(), 12u);  // per label two boxes, then two texts
        EXPECT_EQ(ColoursOf(*images[0]), c.leftBox);
        EXPECT_EQ(ColoursOf(*images[6]), c.leftText);
        EXPECT_EQ(images[6]->Attr("image-rendering"), "optimizeSpeed");
        EXPECT_TRUE(All(svg, "text").empty());
    }
}

TEST_F(SvgDrawing, FarOffPointsStayInsideWhatRenderersCanDraw)
{
    // The projection saturates at the 32-bit range; librsvg draws nothing
    // at all for such coordinates.
    table.ClearTable();
    AddLine(table, {-1e300, 0, 0, 1e300, 0, 0});
    AddLine(table, {0, 0, 0, 1, 0, 1e300});
    const std::vector<Element> svg = Draw(false);
    const Lines lines = LinesOf(*All(svg, "path").at(0));
    ASSERT_EQ(lines.size(), 2u);
    // Still the same lines where they can be seen.
    const auto [x1, y1, x2, y2] = lines[0];
    EXPECT_EQ(y1, 150.5);
    EXPECT_EQ(y2, 150.5);
    EXPECT_LT(std::min(x1, x2), 0);
    EXPECT_GT(std::max(x1, x2), 400);
    EXPECT_EQ(lines[1][0], 200.5);
    EXPECT_EQ(lines[1][1], 150.5);
    EXPECT_NEAR(lines[1][2], 200.5, 1e-3);
    EXPECT_LT(lines[1][3], 0);
    // No number anywhere, labels far out included, has five digits.
    int digits = 0;
    for (std::size_t i = 0; i < document.size(); ++i) {
        i += document[i] == '#' ? 6 : 0;  // a colour
        digits = std::isdigit(static_cast<unsigned char>(document[i])) ? digits + 1 : 0;
        ASSERT_LT(digits, 5) << document;
    }
}

std::string SizeOf(SvgFrame frame)
{
    FixedTextMeasure measure;
    SvgCanvas svg(frame, measure);
    const Element root = ParseXml(svg.Finish()).front();
    return root.Attr("width") + " " + root.Attr("height");
}

TEST(SvgCanvas, TextAndFontNamesAreEscapedAndTheSizeNeverExceedsTheTrueOne)
{
    FixedTextMeasure measure;
    SvgCanvas svg({100, 50, 10, 10}, measure);
    svg.SetBrushColor(0x00FF00);
    svg.SetFontColor(0x123456);
    svg.SetFont("Q&A \"Sans\" 'x'", -10);
    EXPECT_EQ(measure.fontName, "Q&A \"Sans\" 'x'");
    svg.TextOut(5, 7, "a<b & c\x01\xE9\t\\\n>");
    const std::string document = svg.Finish();
    const std::vector<Element> xml = ParseXml(document);
    const auto texts = All(xml, "text");
    ASSERT_EQ(texts.size(), 1u);
    // The control byte becomes U+FFFD, the Latin-1 e acute U+00E9.
    EXPECT_EQ(texts[0]->Text, "a<b & c\xEF\xBF\xBD\xC3\xA9\t\\\n>");
    EXPECT_EQ(texts[0]->Attr("y"), "17");
    const Element& group = xml[std::size_t(texts[0]->Parent)];
    EXPECT_EQ(group.Attr("font-family"), "'Q&A \"Sans\" \\'x\\'',sans-serif");
    EXPECT_EQ(group.Attr("fill"), "#563412");
    // The text's cell in the brush colour: 13 characters, 12 pixels high.
    ASSERT_EQ(All(xml, "rect").size(), 1u);
    EXPECT_EQ(All(xml, "rect")[0]->Attributes,
              (std::map<std::string, std::string>{{"x", "5"}, {"y", "7"}, {"width", "78"}, {"height", "12"}, {"fill", "#00ff00"}}));

    // A finished picture takes no more drawing and stays finished.
    svg.TextOut(0, 0, "late");
    svg.SetClipRect({0, 0, 1, 1});
    svg.DrawLines(std::vector<LineSegment>(3, {0, 0, 5, 5}));
    EXPECT_EQ(svg.Finish(), document);

    // librsvg makes 801 pixels of 211.667 mm at 96 dpi, the last one empty.
    EXPECT_EQ(SizeOf({800, 600, 800 * 25.4 / 96, 600 * 25.4 / 96}), "211.666mm 158.75mm");
    EXPECT_EQ(SizeOf({400, 300, 105.833, 79.375}), "105.833mm 79.375mm");
    EXPECT_EQ(SizeOf({100, 50, 0, std::nan("")}), "100 50");  // no usable size: pixels
}

TEST(SvgCanvas, ClipGroupsCloseBeforeTheNextOneAndAtTheEnd)
{
    FixedTextMeasure measure;
    SvgCanvas svg({100, 100, 10, 10}, measure);
    svg.SetClipRect({1, 2, 30, 40});
    svg.FillRect({0, 0, 50, 50});
    svg.SetClipRect({10, 20, 5, 5});  // empty: clips everything
    svg.FillRect({0, 0, 50, 50});     // the same box again, but clipped otherwise
    svg.RemoveClip();
    svg.FillRect({0, 0, 50, 50});
    svg.SetClipRect({0, 0, 10, 10});
    svg.MoveTo(1, 1);
    svg.LineTo(8, 1);
    const std::vector<Element> xml = ParseXml(svg.Finish());
    const auto clips = All(xml, "clipPath");
    ASSERT_EQ(clips.size(), 3u);
    EXPECT_EQ(clips[1][1].Attr("width"), "0");
    std::vector<std::vector<std::string>> around;
    for (const Element* e : All(xml, "rect"))
        if (xml[std::size_t(e->Parent)].Name != "clipPath")
            around.push_back(ClipsAround(xml, *e));
    around.push_back(ClipsAround(xml, *All(xml, "path").at(0)));
    std::vector<std::string> c;
    for (const Element* clip : clips)
        c.push_back("url(#" + clip->Attr("id") + ")");
    EXPECT_EQ(std::set<std::string>(c.begin(), c.end()).size(), 3u);
    EXPECT_EQ(around, (std::vector<std::vector<std::string>>{{c[0]}, {c[1]}, {}, {c[2]}}));
}

TEST(SvgCanvas, LinesWithOnePenShareAPathAndStayCompact)
{
    FixedTextMeasure measure;
    SvgCanvas svg({1000, 1000, 10, 10}, measure);
    std::vector<LineSegment> lines;
    for (int i = 0; i < 1000; ++i)
        lines.push_back({i, 999 - i, 999 - i, i});
    svg.SetPenColor(Red);
    svg.DrawLines(lines);
    svg.DrawLines(lines);
    svg.MoveTo(5, 5);
    svg.LineTo(5, 5);  // sets no pixel on a raster either
    svg.SetPenWidth(3);
    svg.LineTo(7, 5);
    svg.SetPenMode(PenMode::Or);
    svg.MoveTo(-1, -3);
    svg.LineTo(4, 2);
    svg.LineTo(5000000, 2);  // cut where nothing more can be seen
    svg.LineTo(5000000, 9);  // nothing of it can be seen
    const std::string document = svg.Finish();
    const std::vector<Element> xml = ParseXml(document);
    const auto paths = All(xml, "path");
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(LinesOf(*paths[0]).size(), 2000u);
    EXPECT_EQ(LinesOf(*paths[0])[1], (std::array{1.5, 998.5, 998.5, 1.5}));
    EXPECT_EQ(paths[0]->Attr("stroke-linecap"), "square");
    EXPECT_EQ(LinesOf(*paths[1]), (Lines{{5.5, 5.5, 7.5, 5.5}}));
    EXPECT_EQ(paths[1]->Attr("stroke-width") + " " + paths[1]->Attr("stroke-linecap"), "3 round");
    EXPECT_EQ(paths[2]->Attr("style"), "mix-blend-mode:lighten");
    // The limit reaches a picture's size plus the pen's width plus 2 beyond the picture.
    EXPECT_EQ(LinesOf(*paths[2]), (Lines{{-0.5, -2.5, 4.5, 2.5}, {4.5, 2.5, 2005, 2.5}}));
    EXPECT_LT(document.size(), 2003 * 30u);
}

TEST(SvgCanvas, RectangleOutlinesLieOnTheBorderPixelsAsOnARaster)
{
    FixedTextMeasure measure;
    SvgCanvas svg({100, 100, 10, 10}, measure);
    svg.SetBrushColor(0x112233);
    svg.SetPenColor(Red);
    svg.Rectangle({10, 20, 15, 24});
    // A raster pen of 3 covers one more pixel on each side of the border pixels.
    svg.SetPenWidth(3);
    svg.SetPenMode(PenMode::AndNot);
    svg.Rectangle({10, 20, 15, 24});
    // Nothing is left inside an outline two pixels wide: it is a filled box.
    svg.SetPenWidth(1);
    svg.SetPenMode(PenMode::Copy);
    svg.Rectangle({40, 40, 42, 50});
    svg.Rectangle({60, 60, 60, 70});                          // empty
    svg.Rectangle({-2147483647 - 1, 10, 2147483647, 20});   // far out: only what can be seen
    const std::vector<Element> xml = ParseXml(svg.Finish());
    std::vector<std::string> seen;
    for (const Element* r : All(xml, "rect"))
        seen.push_back(r->Attr("x") + " " + r->Attr("y") + " " + r->Attr("width") + " " + r->Attr("height") + " " +
                       r->Attr("fill") + " " + r->Attr("stroke") + " " + r->Attr("stroke-width") + " " +
                       r->Attr("style"));
    EXPECT_EQ(seen, (std::vector<std::string>{"10 20 5 4 #332211   ", "10.5 20.5 4 3 none #ff0000 1 ",
                                              "10 20 5 4 #332211   ",
                                              "10.5 20.5 4 3 none #00ffff 3 mix-blend-mode:multiply",
                                              "40 40 2 10 #332211   ", "40 40 2 10 #ff0000   ",
                                              "-103 10 306 10 #332211   "}));
    EXPECT_EQ(LinesOf(*All(xml, "path").at(0)), (Lines{{-103, 10.5, 203, 10.5}, {-103, 19.5, 203, 19.5}}));
}

TEST(SvgCanvas, BlocksReachingBeyondTheirBitmapEmbedOnlyWhatItHas)
{
    FixedTextMeasure measure;
    SvgCanvas svg({100, 100, 10, 10}, measure);
    TestCanvas source(4, 3, 0x00FF00);
    source.SetBrushColor(Red);
    source.FillRect({0, 0, 2, 1});
    svg.CopyBlock(source, 10, 10, 7, 8, BlockOp::Or);
    svg.CopyBlock(source, 0, 3, 7, 8, BlockOp::And);  // nothing
    const std::vector<Element> xml = ParseXml(svg.Finish());
    const auto images = All(xml, "image");
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->Attr("width") + " " + images[0]->Attr("height"), "4 3");
    const DecodedPng png = ImageOf(*images[0]);
    ASSERT_EQ(png.Colors.size(), 12u);
    EXPECT_EQ(png.Width, 4);
    EXPECT_EQ(png.Colors[1], Red);
    EXPECT_EQ(png.Colors[2], 0x00FF00u);
}

}  // namespace
}  // namespace quorvane::testing
