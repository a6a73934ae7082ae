#pragma once

#include <QString>
#include <vector>

#include "diagram.h"

// Builds diagrams of any size straight into the model, without the editor commands: the loader's
// view of a project, ready to validate, convert, save or show. Elements go 40 to a row.
class Generator {
public:
    explicit Generator(Diagram& d) : d_(d) {}

    int element(int kind, const QString& caption) {
        const int i = d_.loadElement();
        Element& e = d_.element(i);
        e.Shape = float(kind);
        e.Caption = caption;
        e.Visible = true;
        e.Left = float(i % 40) * 80;
        e.Top = float(i / 40) * 60;
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
        line.BorderColor = colour;
        line.Visible = true;
        return k;
    }

    Diagram& d_;
};

// The large project of the size tests: `entities` entities, each with a key and one more
// attribute, and `entities` one-to-many relationships, each joining entity i ("0,N") to entity
// i + 1 ("1,1"): 4 elements and 4 connectors per entity (8,000 entities give 32,000 elements).
inline void generateOneToManyProject(Diagram& d, int entities) {
    Generator g(d);
    std::vector<int> shown;
    shown.reserve(size_t(entities));
    for (int i = 0; i < entities; ++i) {
        const int e = g.element(KindEntity, QStringLiteral("E%1").arg(i));
        g.attribute(e, QStringLiteral("Key%1").arg(i), true);
        g.attribute(e, QStringLiteral("Name%1").arg(i), false);
        shown.push_back(e);
    }
    for (int i = 0; i < entities; ++i) {
        const int r = g.element(KindRelationship, QStringLiteral("R%1").arg(i));
        g.join(shown[size_t(i)], r, QStringLiteral("0,N"));
        g.join(shown[size_t((i + 1) % entities)], r, QStringLiteral("1,1"));
    }
}
