#include "optionchecks.h"

#include <QCoreApplication>
#include <vector>

#include "settingvalues.h"

namespace {

QString alreadyUsed(int partner) {
    switch (partner) {
        case SwatchWindowBack:
            return QCoreApplication::translate("OptionChecks",
                                               "您所選的顏色是Application底色, 請勿重覆");
        case SwatchCandidate:
            return QCoreApplication::translate("OptionChecks",
                                               "您所選的顏色是候選元素的顏色, 請勿重覆");
        case SwatchSelected:
            return QCoreApplication::translate("OptionChecks",
                                               "您所選的顏色是已選取元素的顏色, 請勿重覆");
        case SwatchAttLine:
            return QCoreApplication::translate("OptionChecks",
                                               "您所選的顏色是屬性的線條顏色, 請勿重覆");
        default:
            return QCoreApplication::translate("OptionChecks",
                                               "您所選的顏色是關聯的線條顏色, 請勿重覆");
    }
}

// The swatches whose colours swatch s must not take, the long-standing partner first.
std::vector<int> partnersOf(int s) {
    switch (s) {
        case SwatchWindowBack:
            return {SwatchSelected, SwatchCandidate};
        case SwatchCandidate:
            return {SwatchSelected, SwatchWindowBack, SwatchAttLine, SwatchRelLine};
        case SwatchSelected:
            return {SwatchCandidate, SwatchWindowBack, SwatchAttLine, SwatchRelLine};
        case SwatchAttLine:
            return {SwatchRelLine, SwatchCandidate, SwatchSelected};
        default:
            return {SwatchAttLine, SwatchCandidate, SwatchSelected};
    }
}

// The colour element i has of its own, whatever highlight a connect mode shows on it.
OleColor ownColour(const Diagram& d, int i) {
    return d.element(i).BackColor;
}

QString insetName(InsetBox box) {
    switch (box) {
        case InsetBox::DiaWidth:
            return QCoreApplication::translate("OptionChecks", "菱形雙線間距");
        case InsetBox::EllWidth:
            return QCoreApplication::translate("OptionChecks", "橢圓雙線間距");
        case InsetBox::RecWidth:
            return QCoreApplication::translate("OptionChecks", "矩形雙線間距");
        default:
            return QCoreApplication::translate("OptionChecks", "雙直線間距");
    }
}

}  // namespace

SwatchColours swatchColoursInForce(const ProgramSettings& s) {
    return {s.WindowBackColor, s.CandidateColor, s.SelectedColor, s.AttLineColor, s.RelLineColor};
}

std::optional<QString> swatchRefusal(int s, OleColor c, const SwatchColours& pending,
                                     const Diagram& diagram) {
    if (s < 0 || s >= kSwatchCount) return std::nullopt;
    const SwatchColours inForce = swatchColoursInForce(diagram.settings);
    for (int partner : partnersOf(s))
        if (c == inForce[size_t(partner)] || c == pending[size_t(partner)])
            return alreadyUsed(partner);
    if (s == SwatchCandidate || s == SwatchSelected) {
        for (int i = 1; i < diagram.elementCount(); ++i) {
            if (!diagram.element(i).Visible || ownColour(diagram, i) != c) continue;
            return QCoreApplication::translate("OptionChecks",
                                               "您所選的顏色是元素 %1 的顏色, 請勿重覆")
                .arg(diagram.element(i).Caption);
        }
    }
    return std::nullopt;
}

std::variant<qint32, QString> readInset(InsetBox box, const QString& text) {
    const std::optional<double> value = wholeNumber(text);
    if (!value) return insetName(box) + QCoreApplication::translate("OptionChecks", "必須是數字");
    if (*value > 8)
        return insetName(box) + QCoreApplication::translate("OptionChecks", "不得超過8");
    if (*value < 0)
        return insetName(box) + QCoreApplication::translate("OptionChecks", "不得小於0");
    // Between 0 and 8 the value fits every inset setting.
    return *roundToInt32(*value);
}
