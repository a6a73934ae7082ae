#include "olecolor.h"

#include <QGuiApplication>
#include <QPalette>

QColor toQColor(OleColor colour) {
    if (colour & 0x80000000u) {
        // System colours: only window text is used by the control; others fall back to the palette.
        const QPalette palette = QGuiApplication::palette();
        return colour == kSystemWindowText ? palette.color(QPalette::WindowText)
                                           : palette.color(QPalette::Window);
    }
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

OleColor fromQColor(const QColor& colour) {
    return OleColor(colour.red()) | (OleColor(colour.green()) << 8) | (OleColor(colour.blue()) << 16);
}
