#include "olecolor.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The system colours a host is likely to hand over, by their index in the low byte, mapped to the
// palette role that plays the same part; any other index takes the window background.
QPalette::ColorRole roleOfSystemColour(OleColor colour) {
    switch (colour & 0xFFu) {
        case 0x05:
            return QPalette::Base;  // window background
        case 0x08:
            return QPalette::WindowText;  // window text
        case 0x0D:
            return QPalette::Highlight;  // selected item
        case 0x0E:
            return QPalette::HighlightedText;  // selected text
        case 0x0F:
            return QPalette::Button;  // button face
        case 0x10:
            return QPalette::Dark;  // button shadow
        case 0x12:
            return QPalette::ButtonText;  // button text
        case 0x14:
            return QPalette::Light;  // button highlight
        case 0x17:
            return QPalette::ToolTipText;  // tool-tip text
        case 0x18:
            return QPalette::ToolTipBase;  // tool-tip background
        default:
            return QPalette::Window;
    }
}

}  // namespace

QColor toQColor(OleColor colour) {
    if (colour & 0x80000000u) return QGuiApplication::palette().color(roleOfSystemColour(colour));
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

OleColor fromQColor(const QColor& colour) {
    return OleColor(colour.red()) | (OleColor(colour.green()) << 8) |
           (OleColor(colour.blue()) << 16);
}
