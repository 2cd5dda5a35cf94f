#include "EmfReader.h"

#include <array>

#include <map>
#include <stdexcept>

namespace quorvane::testing {

namespace {

constexpr std::uint32_t Signature = 0x464D4520;
constexpr std::uint32_t StockNullBrush = 0x80000005, StockNullPen = 0x80000008;

std::uint32_t Load32(const std::uint8_t* at)
{
    return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
           std::uint32_t(at[3]) << 24;
}

void Require(bool condition, const char* what)
{
    if (!condition)
        throw std::out_of_range(what);
}

}  // namespace

std::uint32_t EmfRecord::U32(std::size_t offset) const
{
    Require(offset + 4 <= Bytes.size(), "32-bit field beyond the record");
    return Load32(Bytes.data() + offset);
}

std::uint16_t EmfRecord::U16(std::size_t offset) const
{
    Require(offset + 2 <= Bytes.size(), "16-bit field beyond the record");
    return static_cast<std::uint16_t>(Bytes[offset] | Bytes[offset + 1] << 8);
}

EmfRect EmfRecord::Rect(std::size_t offset) const
{
    return {I32(offset), I32(offset + 4), I32(offset + 8), I32(offset + 12)};
}

std::string EmfText::Ascii() const
{
    std::string ascii;
    for (char16_t unit : Text)
        ascii += unit < 0x80 ? static_cast<char>(unit) : '?';
    return ascii;
}

EmfReader::EmfReader(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes))
{
    Parse();
    if (!error_.empty())
        records_.clear();
}

void EmfReader::Parse()
{
    const std::size_t total = bytes_.size();
    std::size_t offset = 0;
    while (offset < total) {
        if (total - offset < 8)
            return void(error_ = "a record's type and size cut off at " + std::to_string(offset));
        const std::uint32_t type = Load32(&bytes_[offset]);
        const std::uint32_t size = Load32(&bytes_[offset + 4]);
        if (size < 8 || size % 4 != 0)
            return void(error_ = "record size " + std::to_string(size) + " at " +
                                 std::to_string(offset));
        if (size > total - offset)
            return void(error_ = "record beyond the end at " + std::to_string(offset));
        if (!records_.empty() && records_.back().Type == emr::Eof)
            return void(error_ = "a record after the end record");
        records_.push_back({type, {&bytes_[offset], size}});
        offset += size;
    }
    if (records_.empty() || records_.front().Type != emr::Header)
        return void(error_ = "no header record first");
    const EmfRecord& h = records_.front();
    if (h.Bytes.size() < 88)
        return void(error_ = "header too short");
    header_.Size = h.U32(4);
    header_.Bounds = h.Rect(8);
    header_.Frame = h.Rect(24);
    header_.Signature = h.U32(40);
    header_.Version = h.U32(44);
    header_.Bytes = h.U32(48);
    header_.Records = h.U32(52);
    header_.Handles = h.U16(56);
    header_.DeviceWidth = h.I32(72);
    header_.DeviceHeight = h.I32(76);
    header_.MillimetresWidth = h.I32(80);
    header_.MillimetresHeight = h.I32(84);
    if (h.Bytes.size() >= 108) {
        header_.PixelFormatSize = h.U32(88);
        header_.PixelFormatOffset = h.U32(92);
        header_.OpenGL = h.U32(96);
        header_.MicrometresWidth = h.I32(100);
        header_.MicrometresHeight = h.I32(104);
    }
    if (header_.Signature != Signature)
        return void(error_ = "no EMF signature");
    if (header_.Bytes != total)
        return void(error_ = "nBytes " + std::to_string(header_.Bytes) + " for " +
                             std::to_string(total) + " bytes");
    if (header_.Records != records_.size())
        return void(error_ = "nRecords " + std::to_string(header_.Records) + " for " +
                             std::to_string(records_.size()) + " records");
    const EmfRecord& eof = records_.back();
    if (eof.Type != emr::Eof)
        return void(error_ = "no end record last");
    if (eof.Bytes.size() < 20 || eof.U32(12) != 16 || eof.U32(16) != eof.Bytes.size())
        return void(error_ = "end record fields");
}

std::vector<EmfRecord> EmfReader::OfType(std::uint32_t type) const
{
    std::vector<EmfRecord> found;
    for (const EmfRecord& r : records_)
        if (r.Type == type)
            found.push_back(r);
    return found;
}

int EmfReader::Count(std::uint32_t type) const
{
    return static_cast<int>(OfType(type).size());
}

std::vector<std::uint32_t> EmfReader::Types() const
{
    std::vector<std::uint32_t> types;
    for (const EmfRecord& r : records_)
        types.push_back(r.Type);
    return types;
}

EmfPen EmfReader::PenOf(const EmfRecord& r)
{
    Require(r.Type == emr::CreatePen && r.Bytes.size() == 28, "not a pen record");
    return {r.U32(8), r.U32(12), r.I32(16), r.U32(24)};
}

EmfFont EmfReader::FontOf(const EmfRecord& r)
{
    Require(r.Type == emr::ExtCreateFontIndirectW && r.Bytes.size() >= 12 + 92,
            "not a font record");
    EmfFont font{r.U32(8), r.I32(12), r.I32(28), r.Bytes[12 + 23], {}};
    for (std::size_t i = 0; i < 32; ++i) {
        const char16_t unit = r.U16(12 + 28 + 2 * i);
        if (unit == 0)
            break;
        font.Face += unit;
    }
    return font;
}

EmfText EmfReader::TextOf(const EmfRecord& r)
{
    Require(r.Type == emr::ExtTextOutW && r.Bytes.size() >= 76, "not a text record");
    EmfText text;
    text.Bounds = r.Rect(8);
    text.X = r.I32(36);
    text.Y = r.I32(40);
    const std::uint32_t count = r.U32(44);
    const std::uint32_t stringOffset = r.U32(48);
    text.Options = r.U32(52);
    text.Cell = r.Rect(56);
    const std::uint32_t dxOffset = r.U32(72);
    Require(stringOffset % 2 == 0 && dxOffset % 4 == 0, "misaligned text offsets");
    for (std::uint32_t i = 0; i < count; ++i) {
        text.Text += static_cast<char16_t>(r.U16(stringOffset + 2 * i));
        text.Dx.push_back(r.I32(dxOffset + 4 * i));
    }
    return text;
}

EmfBlock EmfReader::BlockOf(const EmfRecord& r)
{
    Require(r.Type == emr::StretchDIBits && r.Bytes.size() >= 80, "not a block record");
    EmfBlock block;
    block.X = r.I32(24);
    block.Y = r.I32(28);
    block.SourceWidth = r.I32(40);
    block.SourceHeight = r.I32(44);
    const std::uint32_t infoOffset = r.U32(48);
    const std::uint32_t bitsOffset = r.U32(56);
    block.BitsSize = r.U32(60);
    Require(r.U32(64) == 0, "not DIB_RGB_COLORS");
    block.Rop = r.U32(68);
    block.Width = r.I32(72);
    block.Height = r.I32(76);
    Require(r.U32(52) >= 40 && r.U32(infoOffset) == 40, "not a BITMAPINFOHEADER");
    const int width = r.I32(infoOffset + 4);
    const int height = r.I32(infoOffset + 8);
    const int bitsPerPixel = r.U16(infoOffset + 14);
    Require(r.U16(infoOffset + 12) == 1 && (bitsPerPixel == 24 || bitsPerPixel == 1) &&
                r.U32(infoOffset + 16) == 0,
            "not a 24-bit or 1-bit BI_RGB bitmap");
    Require(width == block.SourceWidth && std::abs(height) == block.SourceHeight && width > 0,
            "bitmap size differs from the source rectangle");
    block.BitsPerPixel = bitsPerPixel;
    std::array<Color, 2> table{};
    if (bitsPerPixel == 1) {
        const std::uint32_t used = r.U32(infoOffset + 32);
        Require(used == 0 || used == 2, "a 1-bit bitmap has two colours");
        Require(r.U32(52) >= 48 && bitsOffset >= infoOffset + 48, "colour table cut off");
        for (std::size_t i = 0; i < 2; ++i) {
            const std::size_t entry = infoOffset + 40 + 4 * i;
            table[i] = Color(r.Bytes[entry + 2]) | Color(r.Bytes[entry + 1]) << 8 |
                       Color(r.Bytes[entry]) << 16;
        }
    }
    const std::size_t rowSize = (std::size_t(bitsPerPixel) * std::size_t(width) + 31) / 32 * 4;
    const std::size_t rows = std::size_t(std::abs(height));
    Require(block.BitsSize >= rowSize * rows && bitsOffset + rowSize * rows <= r.Bytes.size(),
            "bitmap bits cut off");
    for (std::size_t y = 0; y < rows; ++y) {
        const std::size_t row = height > 0 ? rows - 1 - y : y;  // positive: bottom-up
        const std::uint8_t* at = r.Bytes.data() + bitsOffset + row * rowSize;
        for (int x = 0; x < width; ++x) {
            if (bitsPerPixel == 1) {
                block.Pixels.push_back(table[(at[x / 8] >> (7 - x % 8)) & 1]);
            } else {
                block.Pixels.push_back(Color(at[2]) | Color(at[1]) << 8 | Color(at[0]) << 16);
                at += 3;
            }
        }
    }
    return block;
}

EmfReplay EmfReader::Replay() const
{
    struct Object {
        std::uint32_t Type = 0;  // the record that created it
        Color Colour = 0;
        int Width = 0;  // pens
        int Height = 0;  // fonts
    };
    EmfReplay replay;
    std::map<std::uint32_t, Object> objects;
    std::optional<std::uint32_t> pen, brush, font;  // the selected handles
    std::optional<std::uint32_t> rop2, bkMode, textAlign;
    std::optional<Color> textColour, bkColour;
    std::optional<EmfRect> clip;
    std::optional<std::pair<int, int>> position;
    auto problem = [&](const std::string& what, std::size_t index) {
        replay.Problems.push_back(what + " (record " + std::to_string(index) + ")");
    };
    auto setState = [&](auto& state, auto value, const char* what, std::size_t index) {
        if (state == value)
            problem(std::string("redundant ") + what, index);
        state = value;
    };
    auto penColour = [&]() -> std::optional<Color> {
        if (!pen || *pen == StockNullPen)
            return std::nullopt;
        return objects.count(*pen) ? objects[*pen].Colour : 0;
    };
    auto brushColour = [&]() -> std::optional<Color> {
        if (!brush || *brush == StockNullBrush)
            return std::nullopt;
        return objects.count(*brush) ? objects[*brush].Colour : 0xFFFFFF;
    };

    for (std::size_t i = 0; i < records_.size(); ++i) {
        const EmfRecord& r = records_[i];
        switch (r.Type) {
        case emr::CreatePen:
        case emr::CreateBrushIndirect:
        case emr::ExtCreateFontIndirectW: {
            const std::uint32_t slot = r.U32(8);
            if (objects.count(slot))
                problem("object created in a used slot", i);
            if (slot == 0 || slot >= std::uint32_t(header_.Handles))
                problem("slot outside the handle table", i);
            Object object{r.Type};
            if (r.Type == emr::CreatePen)
                object.Colour = r.U32(24), object.Width = r.I32(16);
            else if (r.Type == emr::CreateBrushIndirect)
                object.Colour = r.U32(16);
            else
                object.Height = r.I32(12);
            objects[slot] = object;
            break;
        }
        case emr::SelectObject: {
            const std::uint32_t handle = r.U32(8);
            std::optional<std::uint32_t>* target = nullptr;
            if (handle & 0x80000000) {
                const std::uint32_t stock = handle & 0x7FFFFFFF;
                target = stock <= 5 ? &brush : stock <= 8 ? &pen : &font;
            } else if (!objects.count(handle)) {
                problem("an undefined object selected", i);
                break;
            } else {
                const std::uint32_t type = objects[handle].Type;
                target = type == emr::CreatePen ? &pen : type == emr::CreateBrushIndirect ? &brush
                                                                                          : &font;
            }
            setState(*target, handle, "selection", i);
            break;
        }
        case emr::DeleteObject: {
            const std::uint32_t slot = r.U32(8);
            if (!objects.count(slot))
                problem("an undefined object deleted", i);
            if (pen == slot || brush == slot || font == slot)
                problem("the selected object deleted", i);
            objects.erase(slot);
            break;
        }
        case emr::SetRop2:
            setState(rop2, r.U32(8), "raster mode", i);
            break;
        case emr::SetBkMode:
            setState(bkMode, r.U32(8), "background mode", i);
            break;
        case emr::SetTextAlign:
            setState(textAlign, r.U32(8), "text alignment", i);
            break;
        case emr::SetTextColor:
            setState(textColour, Color(r.U32(8)), "text colour", i);
            break;
        case emr::SetBkColor:
            setState(bkColour, Color(r.U32(8)), "background colour", i);
            break;
        case emr::MoveToEx:
            setState(position, std::pair{r.I32(8), r.I32(12)}, "move", i);
            break;
        case emr::LineTo: {
            const auto from = position.value_or(std::pair{0, 0});
            replay.Lines.push_back({{from.first, from.second, r.I32(8), r.I32(12)},
                                    penColour(),
                                    pen && objects.count(*pen) ? objects[*pen].Width : 0,
                                    rop2.value_or(R2CopyPen),
                                    clip});
            position = std::pair{r.I32(8), r.I32(12)};
            break;
        }
        case emr::Rectangle:
            replay.Rectangles.push_back(
                {r.Rect(8), penColour(), brushColour(), rop2.value_or(R2CopyPen)});
            break;
        case emr::ExtTextOutW: {
            std::optional<int> height;
            if (font && objects.count(*font))
                height = objects[*font].Height;
            replay.Texts.push_back({TextOf(r), textColour, bkColour, height, clip});
            break;
        }
        case emr::ExtSelectClipRgn:
            if (r.U32(8) != 0 || r.U32(12) != 5)
                problem("clip region other than a reset", i);
            clip.reset();
            break;
        case emr::IntersectClipRect: {
            const EmfRect rect = r.Rect(8);
            if (clip)
                clip = EmfRect{std::max(clip->Left, rect.Left), std::max(clip->Top, rect.Top),
                               std::min(clip->Right, rect.Right),
                               std::min(clip->Bottom, rect.Bottom)};
            else
                clip = rect;
            break;
        }
        default:
            break;
        }
    }
    return replay;
}

}  // namespace quorvane::testing
