#pragma once

#include "Color.h"

#include <array>
#include <string>

namespace quorvane {

using Vector3 = std::array<double, 3>;

// Rows ScreenX, Depth and ScreenY; a row applied to (x, y, z) gives
// row[0]*x + row[1]*y + row[2]*z.
struct ViewMatrix {
    Vector3 ScreenX{};
    Vector3 Depth{};
    Vector3 ScreenY{};
};

inline constexpr double DefaultScreenWidth = 0.3;
inline constexpr double DefaultViewerScreenDistance = 0.7;
inline constexpr double HalfEyeDistance = 0.035;

// How the model is looked at: the one set of values every projection and
// drawing reads. Initial values are those of the settings file.
struct ViewParameters {
    double Azimuth = 30;  // degrees
    double AzimuthRad = 0, CosAz = 1, SinAz = 0;
    int Elevation = 30;  // degrees, positive: viewer above the model
    double ElevationRad = 0, CosEl = 1, SinEl = 0;

    double ScreenWidth = DefaultScreenWidth;  // metres
    double ViewerScreenDistance = DefaultViewerScreenDistance;  // metres
    int ScaleDenominator = 100;
    double InvScale = 0.01;
    double PixelsPerMetre = 0;
    double DrawFactor = 0;  // screen pixels per metre of the model
    int VirtualScreenWidth = 1920;
    int VirtualScreenHeight = 1080;

    bool DrawingCentered = true;
    bool VanishingPointProjection = true;
    bool ShowAnaglyph = false;
    bool ShowLineNumbers = false;
    // The selected rows' lines are drawn over the drawing while the data
    // table is shown.
    bool ShowHighlight = true;
    // Pixels the drawing is moved on the screen, x right and y up, as the
    // projected coordinates; set by panning, undone by the centring toggle.
    int PanX = 0, PanY = 0;
    // The geometry checks' markers over the window's drawing (never in its
    // pictures).
    bool ShowCheckMarkers = true;

    double CanvasMarginFactor = 0.01;
    std::string ScreenFontName = "Arial";
    Color BackgroundColor = 0xFFFFFF;
    Color LineColor = 0x000080;
    Color TextColor = 0x000000;
    Color AnaglyphBackgroundColor = 0xFFFFFF;
    Color AnaglyphColorLeft = 0x0000FF;
    Color AnaglyphColorRight = 0xFFFF00;
    // Bright blue: stands out from the dark red lines on white.
    Color HighlightColor = 0xFF6600;
    Color WarningColor = 0x0090FF;  // orange: the checks' markers

    double EyeCos = 1, EyeSin = 0;
    ViewMatrix MonoMatrix, LeftEyeMatrix, RightEyeMatrix;

    Vector3 ModelCentre{};
    Vector3 ModelSize{};
    double ModelDiagonal = 0;
};

}  // namespace quorvane
