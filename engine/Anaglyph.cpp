#include "LineTable.h"
#include "MainWindowSurface.h"
#include "WireFrameDrawing.h"

#include <vector>

namespace quorvane {

double ColorBrightness(Color color)
{
    return (0.299 * RedOf(color) + 0.587 * GreenOf(color) + 0.114 * BlueOf(color)) / 255;
}

Color InvertColor(Color color)
{
    return ~color & 0xFFFFFF;
}

void WireFrameDrawing::SetupAnaglyphColors()
{
    window_.SetImagePanelColor(view_.ShowAnaglyph ? view_.AnaglyphBackgroundColor
                                                  : view_.BackgroundColor);
    const Color left = view_.AnaglyphColorLeft;
    const Color right = view_.AnaglyphColorRight;
    anaglyph_.BackgroundIsBright = ColorBrightness(view_.AnaglyphBackgroundColor) > 0.5;
    labelTextLeft_->SetBrushColor(view_.AnaglyphBackgroundColor);
    labelTextRight_->SetBrushColor(view_.AnaglyphBackgroundColor);
    if (anaglyph_.BackgroundIsBright) {
        // A line removes its eye's channel from the bright background, so it
        // is dark through that eye's filter and invisible through the other.
        labelBoxLeft_->SetBrushColor(left);
        labelBoxRight_->SetBrushColor(right);
        labelTextLeft_->SetFontColor(InvertColor(left));
        labelTextRight_->SetFontColor(InvertColor(right));
        anaglyph_.LabelBoxOp = BlockOp::Or;
        anaglyph_.LabelTextOp = BlockOp::And;
        anaglyph_.AnaglyphPenMode = PenMode::AndNot;
    } else {
        // A line lights its eye's channel on the dark background.
        labelBoxLeft_->SetBrushColor(InvertColor(left));
        labelBoxRight_->SetBrushColor(InvertColor(right));
        labelTextLeft_->SetFontColor(left);
        labelTextRight_->SetFontColor(right);
        anaglyph_.LabelBoxOp = BlockOp::And;
        anaglyph_.LabelTextOp = BlockOp::Or;
        anaglyph_.AnaglyphPenMode = PenMode::Or;
    }
}

void WireFrameDrawing::DrawAnaglyph(Canvas& canvas, int originX, int originY, int textHeight,
                                    int labelHeight, const std::string& fontName, bool labels)
{
    canvas.SetBrushColor(view_.AnaglyphBackgroundColor);
    if (labels) {
        std::string widestText = "  ";
        widestText += std::to_string(table_.LineCount);
        const int widest = canvas.TextWidth(widestText);
        for (OffscreenBitmap* text : {labelTextLeft_.get(), labelTextRight_.get()}) {
            text->SetSize(widest, textHeight);
            text->SetFont(fontName, -labelHeight);
            text->FillRect({0, 0, widest + 1, textHeight + 1});
        }
        for (OffscreenBitmap* box : {labelBoxLeft_.get(), labelBoxRight_.get()}) {
            box->SetSize(widest, textHeight);
            box->FillRect({0, 0, widest + 1, textHeight + 1});
        }
    }

    canvas.SetPenMode(anaglyph_.AnaglyphPenMode);
    canvas.SetPenColor(view_.AnaglyphColorLeft);
    CollectSegments(originX, originY, Group::Left);
    canvas.DrawLines(segments_);
    canvas.SetPenColor(view_.AnaglyphColorRight);
    CollectSegments(originX, originY, Group::Right);
    canvas.DrawLines(segments_);
    if (!labels)
        return;

    struct EyeLabels {
        std::string text;
        int width;
        LabelPlace left, right;
    };
    std::vector<EyeLabels> placed;
    placed.reserve(static_cast<std::size_t>(table_.CompleteLineCount));
    for (int row = 1; row <= table_.LineCount; ++row) {
        const LineRecord& r = table_.Record(row);
        if (!r.Complete)
            continue;
        std::string text = LineLabel(row);
        const int width = canvas.TextWidth(text);
        placed.push_back({std::move(text), width,
                          LabelCorner(r, Group::Left, originX, originY, width, textHeight),
                          LabelCorner(r, Group::Right, originX, originY, width, textHeight)});
    }
    // Every box before any text, so that no box wipes out a neighbour's text.
    // A box brings its eye's channel to the background's level, so lines under
    // it vanish for that eye while the other eye still sees them.
    for (const EyeLabels& label : placed) {
        canvas.CopyBlock(*labelBoxLeft_, label.width, textHeight, label.left.X, label.left.Y,
                         anaglyph_.LabelBoxOp);
        canvas.CopyBlock(*labelBoxRight_, label.width, textHeight, label.right.X, label.right.Y,
                         anaglyph_.LabelBoxOp);
    }
    for (const EyeLabels& label : placed) {
        labelTextLeft_->TextOut(0, 0, label.text);
        canvas.CopyBlock(*labelTextLeft_, label.width, textHeight, label.left.X, label.left.Y,
                         anaglyph_.LabelTextOp);
        labelTextRight_->TextOut(0, 0, label.text);
        canvas.CopyBlock(*labelTextRight_, label.width, textHeight, label.right.X, label.right.Y,
                         anaglyph_.LabelTextOp);
    }
}

}  // namespace quorvane
