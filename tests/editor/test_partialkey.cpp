// A weak entity's key attribute is a partial key: the document knows it, and the renderer draws
// its underline dashed, following changes of the owner's kind and of the attribute's line.
#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "diagramrenderer.h"

#include <QImage>
#include <QPainter>

namespace {

// Whether the renderer paints element i with a dashed underline; it paints the drawing first, as
// a view would, so that a layout kept from before a change would be the one asked about.
bool drawnDashed(DiagramRenderer& renderer, int i) {
    QImage image(1000, 600, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    renderer.paintDiagram(painter, image.rect(), Qt::white);
    return renderer.elementLayout(i).dashedUnderline;
}

TEST(PartialKey, AKeyOfAWeakEntityIsDashedWhereverItIsDrawn) {
    DiagramBuilder b;
    DiagramRenderer renderer(b.d);
    QObject::connect(&b.d, &Diagram::changed, [&](const DiagramChange& change) {
        for (int i : change.elements) renderer.elementChanged(i);
        for (int k : change.connectors) renderer.connectorChanged(k);
    });
    const int owner = b.entity("Employee");
    const int dependent = b.entity("Dependent");
    const int has = b.relationship("Has");
    const int ssn = b.attribute(owner, "Ssn", true);
    const int name = b.attribute(dependent, "Name", true);
    const int age = b.attribute(dependent, "Age");
    b.binary(owner, has, dependent);
    const Document& doc = b.d.document();
    EXPECT_FALSE(doc.isPartialKey(name)) << "a key of a strong entity";
    EXPECT_FALSE(drawnDashed(renderer, name));

    b.makeWeak(dependent, has);
    for (auto [i, partial] :
         {std::pair{ssn, false}, {name, true}, {age, false}, {owner, false}, {dependent, false}}) {
        EXPECT_EQ(doc.isPartialKey(i), partial) << b.d.element(i).Caption.toStdString();
        EXPECT_EQ(drawnDashed(renderer, i), partial) << b.d.element(i).Caption.toStdString();
    }

    // The owner alone changes: its attributes follow in the renderer.
    b.d.element(dependent).Shape = KindEntity;
    b.d.notifyElement(dependent);
    EXPECT_FALSE(doc.isPartialKey(name)) << "the owner is strong again";
    EXPECT_FALSE(drawnDashed(renderer, name));
}

}  // namespace
