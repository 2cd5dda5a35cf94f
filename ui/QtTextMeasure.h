#pragma once

#include "TextMeasure.h"

#include <QFont>
#include <QFontMetrics>

#include <array>
#include <optional>

class QPaintDevice;

namespace quorvane {

// Measures text in the fonts of a device (the screen when none is given),
// for the vector pictures that refer to it. ASCII texts measure as the sum
// of their characters' advances, as the raster canvas lays them out.
class QtTextMeasure : public TextMeasure {
public:
    explicit QtTextMeasure(QPaintDevice* device = nullptr);

    void SetFont(const std::string& name, int height) override;
    int TextWidth(std::string_view text) override;
    int CellHeight() override;
    int Ascent() override;
    int EmSize() override;

    const QFont& Font() const { return font_; }

private:
    QPaintDevice* device_;
    QFont font_;
    std::optional<QFontMetrics> metrics_;
    std::array<int, 128> advances_{};  // -1: not measured yet
};

}  // namespace quorvane
