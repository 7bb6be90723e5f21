#include "mainwindow/window_places.h"

#include <algorithm>
#include <array>

#include "views/surface/twips.h"

namespace strativex {
namespace {

struct ControlPlace {
    std::string_view Name;  // the control's object name
    int Left;
    int Top;
    int Width;
    int Height;
};

// Twips within the control's parent, as the window was designed.
constexpr std::array<ControlPlace, 44> kControlPlaces{{
    // The header, in the client area.
    {"PicLogo", 6630, 15, 2295, 1050},
    {"LabelTitle", 5310, 30, 2490, 1000},
    {"LabelModel", 195, 60, 1425, 240},
    {"TextModelName", 150, 285, 2820, 315},
    {"CmdComments", 780, 690, 1575, 330},
    {"CmdAddLayer", 3255, 15, 1365, 300},
    {"CmdCopyLayer", 3255, 375, 1365, 300},
    {"CmdDeleteLayer", 3255, 735, 1365, 300},
    {"CmdMoveLayerUp", 4830, 45, 252, 276},
    {"LabelMoveLayer", 4740, 330, 450, 420},
    {"CmdMoveLayerDown", 4830, 765, 252, 276},
    // The layer selection: the option column (each option at its row's height), the strip and its
    // pointer.
    {"FrameLayerSelect", 2880, 1065, 345, 3795},
    {"OptLayer", 60, 0, 300, 240},
    {"PicLayerSelect", 3285, 1140, 1800, 3705},
    {"LabelLayerPointer", 3300, 1140, 180, 240},
    // The record's frame and what every record has.
    {"FrameLayerData", 165, 1065, 2655, 3795},
    {"LabelDescription", 90, 300, 900, 240},
    {"TextLayerDescrip", 1005, 270, 1560, 300},
    {"LabelWidth", 90, 630, 735, 240},
    {"TextDevWidth", 840, 600, 1125, 300},
    {"LabelWidthUnit", 2025, 630, 540, 240},
    {"LabelLength", 90, 975, 735, 240},
    {"TextDevLength", 840, 945, 1125, 300},
    {"LabelLengthUnit", 2025, 975, 540, 240},
    // What only a layer has, in its own frame inside the record's.
    {"FrameLayersOnly", 90, 1320, 2475, 1710},
    {"LabelMaterial", 0, 0, 2475, 225},
    {"ComboMaterials", 0, 225, 2475, 330},
    {"LabelThickness", 0, 630, 900, 240},
    {"TextThickness", 915, 600, 1080, 300},
    {"LabelThickUnit", 2055, 630, 420, 240},
    {"LabelThermAng", 0, 945, 2475, 240},
    {"HScrAngle", 0, 1200, 1935, 240},
    {"LabelThermAngValue", 2010, 1200, 465, 240},
    {"LabelColor", 0, 1485, 735, 225},
    {"PicColor", 750, 1470, 600, 240},
    // What only the heat source has; the frame is moved over the layer's at start-up.
    {"FrameDeviceOnly", 0, 0, 2400, 1584},
    {"LabelThermOutput", 0, 0, 2400, 240},
    {"TextThermOutput", 0, 255, 1125, 300},
    {"LabelThermOutUnit", 1185, 285, 600, 240},
    {"LabelIsotherm", 0, 690, 2400, 240},
    {"TextIsotherm", 0, 945, 1125, 300},
    {"LabelIsothermUnit", 1185, 975, 600, 240},
    // The views; their size follows the window (ComputeWindowLayout).
    {"PicScaleView", 165, 4950, 4935, 2145},
    {"PicDisplayData", 5175, 1125, 3675, 5970},
}};

}  // namespace

QRect DesignPlace(std::string_view name) {
    const auto* place = std::find_if(kControlPlaces.begin(), kControlPlaces.end(),
                                     [name](const ControlPlace& p) { return p.Name == name; });
    if (place == kControlPlaces.end()) return {};
    return TwipRect(place->Left, place->Top, place->Width, place->Height);
}

}  // namespace strativex
