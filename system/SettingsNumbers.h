#pragma once

#include "SettingsValues.h"

#include <string>
#include <string_view>

namespace quorvane {

// Numbers as the settings file holds them, independent of the C library's
// locale, which may use a decimal comma at run time.

// An integer: an optional sign, then decimal digits, or "0x" / "0X" and
// hexadecimal digits. False when the text is anything else or lies outside
// the range of int.
bool ParseSettingInteger(std::string_view text, int& value);

// A float in general format with up to 15 significant digits and
// `decimalSeparator` as its point: 0.3, 10, 0.01, 1e-05.
std::string FloatSettingText(double value, char decimalSeparator);

// A float written under either convention: the first alternate separator
// counts as the user's, and the text must then be a number with the user's
// separator as its point. False for any other text and for infinities and
// NaNs, which no setting can use.
bool ParseFloatSetting(std::string_view text, const NumberFormat& numbers, double& value);

}  // namespace quorvane
