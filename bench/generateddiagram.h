#pragma once

#include <QSizeF>
#include <QString>
#include <vector>

#include "diagram.h"

// Builds diagrams of any size straight into the model, without the editor commands: the loader's
// view of a project, ready to validate, convert, save or show. Elements go `columns` to a row,
// lines run from centre to centre and participations sit a quarter along them.
class Generator {
public:
    explicit Generator(Diagram& d, int columns = 40, QSizeF pitch = QSizeF(80, 60))
        : d_(d), columns_(columns), pitch_(pitch) {}

    int element(int kind, const QString& caption) {
        const int i = d_.loadElement();
        Element& e = d_.element(i);
        e.Shape = float(kind);
        e.Caption = caption;
        e.Visible = true;
        e.Left = float((i % columns_) * pitch_.width());
        e.Top = float((i / columns_) * pitch_.height());
        return i;
    }

    int attribute(int owner, const QString& caption, bool key, int kind = KindAttribute) {
        const int a = element(kind, caption);
        d_.element(a).setUnderlined(key);
        d_.element(owner).AttributeList.add(qint16(a), QString::number(a));
        d_.element(a).RelativeEntityList.add(qint16(owner));
        connector(owner, a, d_.settings.AttLineColor);
        return a;
    }

    int join(int e, int r, const QString& participation, bool recursive = false) {
        Element& rel = d_.element(r);
        const QString key = QString::number(e) + (recursive ? QStringLiteral("_2") : QString());
        rel.RelativeEntityList.add(qint16(e), key);
        if (!recursive) d_.element(e).RelationList.add(qint16(r), QString::number(r));
        const int k = connector(e, r, d_.settings.RelLineColor);
        Connector& c = d_.connector(k);
        d_.setLabelCaption(c.MN, participation);
        c.MN.Left = c.Line1.X1 + (c.Line1.X2 - c.Line1.X1) / 4;
        c.MN.Top = c.Line1.Y1 + (c.Line1.Y2 - c.Line1.Y1) / 4;
        c.MN.Visible = true;
        return k;
    }

    void dotted(int k, const QString& role) {
        Connector& c = d_.connector(k);
        c.Line1.BorderStyle = kLineDotted;
        d_.setLabelCaption(c.Description, role);
        c.Description.Visible = true;
    }

private:
    int connector(int a, int b, OleColor colour) {
        const ConnectorKind kind = colour == d_.settings.AttLineColor ? ConnectorKind::Attribute
                                                                      : ConnectorKind::Relationship;
        const int k = d_.loadConnector(kind, a, b);
        Line& line = d_.connector(k).Line1;
        const Element& from = d_.element(a);
        const Element& to = d_.element(b);
        line.X1 = from.Left + from.Width / 2;
        line.Y1 = from.Top + from.Height / 2;
        line.X2 = to.Left + to.Width / 2;
        line.Y2 = to.Top + to.Height / 2;
        line.BorderColor = colour;
        line.Visible = true;
        return k;
    }

    Diagram& d_;
    int columns_;
    QSizeF pitch_;
};

// The large project of the size tests: `entities` entities, each with a key and one more
// attribute, and `entities` one-to-many relationships, each joining entity i ("0,N") to entity
// i + 1 ("1,1"): 4 elements and 4 connectors per entity (8,000 entities give 32,000 elements).
// Each relationship is made right after the second of its entities, so it lies near both.
inline void generateOneToManyProject(Diagram& d, int entities, int columns = 40,
                                     QSizeF pitch = QSizeF(80, 60)) {
    Generator g(d, columns, pitch);
    std::vector<int> shown;
    shown.reserve(size_t(entities));
    const auto relationship = [&](int n, int from, int to) {
        const int r = g.element(KindRelationship, QStringLiteral("R%1").arg(n));
        g.join(from, r, QStringLiteral("0,N"));
        g.join(to, r, QStringLiteral("1,1"));
    };
    for (int i = 0; i < entities; ++i) {
        const int e = g.element(KindEntity, QStringLiteral("E%1").arg(i));
        g.attribute(e, QStringLiteral("Key%1").arg(i), true);
        g.attribute(e, QStringLiteral("Name%1").arg(i), false);
        shown.push_back(e);
        if (i > 0) relationship(i - 1, shown[size_t(i - 1)], e);
    }
    if (entities > 0) relationship(entities - 1, shown.back(), shown.front());
}

// One entity with `attributes` attributes, the first of them its key: 1 + attributes elements
// and as many attribute connectors, all on one element.
inline void generateWideEntityProject(Diagram& d, int attributes) {
    Generator g(d);
    const int e = g.element(KindEntity, QStringLiteral("Wide"));
    for (int i = 0; i < attributes; ++i) g.attribute(e, QStringLiteral("A%1").arg(i), i == 0);
}

// `relationships` one-to-many relationships around 16 entities (each with a key and one more
// attribute): relationship i joins entity i % 16 ("0,N") to the next one ("1,1"), so every
// entity takes part in about relationships / 8 of them. 48 + relationships elements and
// 32 + 2 × relationships connectors.
inline void generateManyRelationshipsProject(Diagram& d, int relationships) {
    constexpr int kEntities = 16;
    Generator g(d);
    std::vector<int> shown;
    for (int i = 0; i < kEntities; ++i) {
        const int e = g.element(KindEntity, QStringLiteral("E%1").arg(i));
        g.attribute(e, QStringLiteral("Key%1").arg(i), true);
        g.attribute(e, QStringLiteral("Name%1").arg(i), false);
        shown.push_back(e);
    }
    for (int i = 0; i < relationships; ++i) {
        const int r = g.element(KindRelationship, QStringLiteral("R%1").arg(i));
        g.join(shown[size_t(i % kEntities)], r, QStringLiteral("0,N"));
        g.join(shown[size_t((i + 1) % kEntities)], r, QStringLiteral("1,1"));
    }
}
