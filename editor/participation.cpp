#include "editor.h"
#include "geometry.h"
#include "module1.h"

namespace {

const QString kFormatError = QStringLiteral("輸入格式錯誤");

// One outer place of a participation text: "N" for many, or a single decimal digit.
bool isParticipationPlace(QChar c) {
    return c == QLatin1Char('N') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
}

// "min,max": exactly three characters, each outer one a digit or N. The minimum is deliberately
// not compared with the maximum.
bool isParticipationText(const QString& text) {
    return text.size() == 3 && text[1] == QLatin1Char(',') && isParticipationPlace(text[0]) &&
           isParticipationPlace(text[2]);
}

}  // namespace

void Editor::participation() {
    const int k = d_.state.CurrentLine;
    if (!d_.isConnector(k)) return;
    Connector& c = d_.connector(k);
    const TagEnds ends = tagEnds(c.Line1.Tag);
    const qint16 first = qint16(ends.first);
    const qint16 second = qint16(ends.second);
    const bool minMaxNotation = d_.settings.PresentStyle == 1;

    // The notation's default goes into an empty label before the question and stays there
    // whatever the answer, so a connector that has been asked about once always shows a value.
    std::optional<QString> answer;
    if (minMaxNotation) {
        if (c.MN.Caption.isEmpty()) d_.setLabelCaption(c.MN, QStringLiteral("0,N"));
        d_.notifyConnector(k);
        answer = prompts_.input(QStringLiteral("參與關係為..(如N,N)"), QStringLiteral("degree.."),
                                c.MN.Caption);
    } else {
        if (c.MN.Caption.isEmpty()) {
            const bool identifying = second >= 0 && second < d_.elementCount() &&
                                     d_.element(second).is(KindWeakRelationship);
            d_.setLabelCaption(c.MN, identifying ? QStringLiteral("1") : QStringLiteral("N"));
        }
        d_.notifyConnector(k);
        // Textbook notation shows the minimum as the second line; the question spells it out.
        const QString minimum = c.Line2.Visible ? QStringLiteral("1,") : QStringLiteral("0,");
        answer = prompts_.input(QStringLiteral("參與關係為..(如1,N)"), QStringLiteral("degree.."),
                                minimum + c.MN.Caption);
    }
    if (!answer) return;  // Cancel: the user withdrew the question, which is not a wrong answer

    const QString text = answer->toUpper();
    if (!isParticipationText(text)) {
        prompts_.message(kFormatError);
        return;
    }

    if (minMaxNotation) {
        d_.setLabelCaption(c.MN, text);
        if (c.Line1.dotted())
            PlaceRecursiveLine(d_, first, second, qint16(k), c.MN, c.Description, false);
        else
            PlaceLine(d_, first, second, c.Line1, c.MN, false);
    } else {
        d_.setLabelCaption(c.MN, MaxPart(text));
        const bool solid = c.Line1.BorderStyle == kLineSolid;
        const bool total = MinPart(text) == QLatin1String("1");
        if (total) {
            // A doubled line is a copy of the main line: same tag, same style.
            c.Line2.Visible = true;
            c.Line2.Tag = c.Line1.Tag;
            c.Line2.BorderStyle = solid ? kLineSolid : kLineDotted;
        } else {
            c.Line2.Visible = false;
        }
        layoutConnector(k);
    }
    c.MN.Visible = true;
    d_.notifyConnector(k);
}

void Editor::description() {
    const int k = d_.state.CurrentLine;
    if (!d_.isConnector(k)) return;
    Connector& c = d_.connector(k);

    const std::optional<QString> answer = prompts_.input(
        QStringLiteral("角色為.."), QStringLiteral("遞迴關係"), c.Description.Caption);
    if (!answer) return;  // Cancel keeps the role that was there

    d_.setLabelCaption(c.Description, *answer);
    c.Description.Visible = true;
    // Role texts belong to recursive pairs, so the recursive layout places the label whatever
    // the line's style.
    const TagEnds ends = tagEnds(c.Line1.Tag);
    PlaceRecursiveLine(d_, qint16(ends.first), qint16(ends.second), qint16(k), c.MN, c.Description,
                       false);
    d_.notifyConnector(k);
}
