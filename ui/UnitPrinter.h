#pragma once

#include "PageLayout.h"

#include <cstdint>

class QPrinter;

namespace quorvane {

struct MainSettings;

// What a Qt printer tells about its page in its current orientation.
PrinterMetrics ReadPrinterMetrics(QPrinter& printer);

// Sets the printer's orientation (0 portrait, 1 landscape) and returns the
// whole sheet's size.
PageSize PageGeometry(QPrinter& printer, std::uint8_t orientation);

// Sets the printer's orientation and returns the rectangle that the
// settings' margins of that orientation leave on the page; margins
// narrower than the unprintable strips are raised in the settings.
PrintableArea PrintableRect(QPrinter& printer, std::uint8_t orientation, MainSettings& settings);

}  // namespace quorvane
