#include "commandscope.h"

#include <QCoreApplication>

#include "geometry.h"
#include "module1.h"

namespace {

QString formatError() {
    return QCoreApplication::translate("Participation", "輸入格式錯誤");
}

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

void Editor::participation(int k) {
    const CommandScope scope(*this);
    if (!d_.isConnector(k)) return;
    nameStep(QCoreApplication::translate("Participation", "參與度"));
    Connector& c = d_.connector(k);
    const qint16 first = c.first;
    const qint16 second = c.second;
    const bool minMaxNotation = d_.settings.PresentStyle == 1;

    // The notation's default goes into an empty label before the question and stays there
    // whatever the answer, so a connector that has been asked about once always shows a value.
    // The label is on screen while the question waits for the answer.
    std::optional<QString> answer;
    if (minMaxNotation) {
        if (c.MN.Caption.isEmpty()) d_.setLabelCaption(c.MN, QStringLiteral("0,N"));
        d_.showChangesSoFar();
        answer = prompts_.input(QCoreApplication::translate("Participation", "參與關係為..(如N,N)"),
                                QStringLiteral("degree.."), c.MN.Caption);
    } else {
        if (c.MN.Caption.isEmpty()) {
            const bool identifying = second >= 0 && second < d_.elementCount() &&
                                     std::as_const(d_).element(second).is(KindWeakRelationship);
            d_.setLabelCaption(c.MN, identifying ? QStringLiteral("1") : QStringLiteral("N"));
        }
        d_.showChangesSoFar();
        // Textbook notation shows the minimum as the second line; the question spells it out.
        const QString minimum = c.Line2.Visible ? QStringLiteral("1,") : QStringLiteral("0,");
        answer = prompts_.input(QCoreApplication::translate("Participation", "參與關係為..(如1,N)"),
                                QStringLiteral("degree.."), minimum + c.MN.Caption);
    }
    if (!answer) return;  // Cancel: the user withdrew the question, which is not a wrong answer

    const QString text = answer->toUpper();
    if (!isParticipationText(text)) {
        prompts_.message(formatError());
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
            c.Line2.BorderStyle = solid ? kLineSolid : kLineDotted;
        } else {
            c.Line2.Visible = false;
        }
        layoutConnector(k);
    }
    c.MN.Visible = true;
}

void Editor::description(int k) {
    const CommandScope scope(*this);
    if (!d_.isConnector(k)) return;
    const std::optional<QString> answer =
        prompts_.input(QCoreApplication::translate("Participation", "角色為.."),
                       QCoreApplication::translate("Participation", "遞迴關係"),
                       std::as_const(d_).connector(k).Description.Caption);
    if (!answer) return;  // Cancel keeps the role that was there
    nameStep(QCoreApplication::translate("Participation", "角色"));

    Connector& c = d_.connector(k);
    d_.setLabelCaption(c.Description, *answer);
    c.Description.Visible = true;
    // Role texts belong to recursive pairs, so the recursive layout places the label whatever
    // the line's style.
    PlaceRecursiveLine(d_, c.first, c.second, qint16(k), c.MN, c.Description, false);
}
