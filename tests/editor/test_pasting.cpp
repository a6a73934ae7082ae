#include <gtest/gtest.h>

#include <QRegularExpression>

#include <random>

#include "fragment.h"
#include "invariants.h"
#include "outline.h"
#include "placement.h"
#include "randomsession.h"

// Copy and paste through fragments: what is pasted is the copied part again, consistent, as one
// step; what is not a fragment is refused.

namespace {

bool sameDocument(const Document& a, const Document& b) {
    if (a.elementCount() != b.elementCount() || a.connectorCount() != b.connectorCount())
        return false;
    for (int i = 0; i < a.elementCount(); ++i)
        if (!(a.element(i) == b.element(i))) return false;
    for (int k = 0; k < a.connectorCount(); ++k)
        if (!(a.connector(k) == b.connector(k))) return false;
    return true;
}

// Whether `pasted` is `copied` again: the same kinds, relations, lines and labels, moved by
// `offset`, under the same or a fresh caption (CAPTION_n) that the element grew to hold.
std::string differenceFromCopy(const Fragment& copied, const Fragment& pasted, QPointF offset) {
    const Document &a = copied.document, &b = pasted.document;
    if (a.elementCount() != b.elementCount() || a.connectorCount() != b.connectorCount())
        return "counts";
    for (int i = 1; i < a.elementCount(); ++i) {
        Element moved = a.element(i);
        moved.Left += float(offset.x());
        moved.Top += float(offset.y());
        const QString caption = b.element(i).Caption;
        static const QRegularExpression numbered(QStringLiteral("_\\d+$"));
        if (caption != moved.Caption &&
            QString(caption).remove(numbered) != QString(moved.Caption).remove(numbered))
            return "caption of " + std::to_string(i);
        if (caption != moved.Caption) {
            moved.Caption = caption;
            growToHoldCaption(moved);
        }
        if (!(moved == b.element(i))) return "element " + std::to_string(i);
    }
    for (int k = 1; k < a.connectorCount(); ++k) {
        const Connector &x = a.connector(k), &y = b.connector(k);
        if (x.kind != y.kind || x.first != y.first || x.second != y.second ||
            x.Line1.BorderStyle != y.Line1.BorderStyle || x.Line2.Visible != y.Line2.Visible ||
            x.MN.Caption != y.MN.Caption || x.Description.Caption != y.Description.Caption)
            return "connector " + std::to_string(k);
    }
    return {};
}

}  // namespace

// Random diagrams from random editing, random selections of them copied and pasted.
TEST(Pasting, PastedSelectionIsTheCopiedPartAgainAsOneStepThatUndoRestores) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        RandomSession session(seed);
        DiagramBuilder& b = session.b;
        for (int step = 0; step < 50; ++step) session.step();
        b.editor.cancel();
        std::mt19937 rng(seed);
        std::set<int> selection;
        for (int i = 1; i < b.d.elementCount(); ++i)
            if (b.d.isLiveElement(i) && rng() % 3 != 0) selection.insert(i);
        b.d.view.selection = selection;

        const Fragment copied = copyFragment(b.d, selection);
        // Through the bytes, as the clipboard carries it.
        QString problem;
        const std::optional<Fragment> carried = decodeFragment(encodeFragment(copied), &problem);
        ASSERT_TRUE(carried) << "seed " << seed << ": " << problem.toStdString();
        const Document before = b.d.document();
        const int steps = session.history.stack().index();
        const QPointF offset(40, -25);

        const std::vector<int> pasted = b.editor.pasteFragment(*carried, offset);
        ASSERT_EQ(int(pasted.size()), copied.elementCount()) << "seed " << seed;
        EXPECT_EQ(findInconsistency(b.d, session.abandoned), QString()) << "seed " << seed;
        EXPECT_EQ(
            differenceFromCopy(copied, copyFragment(b.d, {pasted.begin(), pasted.end()}), offset),
            "")
            << "seed " << seed;
        EXPECT_EQ(b.d.view.selection, std::set<int>(pasted.begin(), pasted.end()));
        if (pasted.empty()) continue;
        EXPECT_EQ(session.history.stack().index(), steps + 1) << "seed " << seed;

        b.editor.undo();
        EXPECT_TRUE(sameDocument(b.d.document(), before)) << "seed " << seed;
    }
}

// A weak entity copied with its identifying relationship and attributes, its owner left behind,
// pastes as a weak entity again; the relationship copied alone becomes an ordinary one.
TEST(Pasting, WeakEntityComesWithItsIdentifyingRelationship) {
    DiagramBuilder b;
    const int owner = b.entity("EMPLOYEE"), w = b.entity("DEPENDENT");
    const int r = b.relationship("DEPENDENTS_OF");
    b.binary(owner, r, w);
    const int name = b.attribute(w, "Name", true), age = b.attribute(w, "Age");
    b.makeWeak(w, r);
    ASSERT_TRUE(b.d.element(w).is(KindWeakEntity));

    const std::vector<int> pasted =
        b.editor.pasteFragment(copyFragment(b.d, {w, r, name, age}), {0, 200});
    ASSERT_EQ(pasted.size(), 4u);
    EXPECT_EQ(findInconsistency(b.d, {}), QString());
    const Element& weak = b.d.element(pasted[0]);
    EXPECT_TRUE(weak.is(KindWeakEntity));
    EXPECT_EQ(weak.Caption, "DEPENDENT_2");
    EXPECT_EQ(weak.WeakRelationList.items(), std::vector<qint16>{qint16(pasted[1])});
    EXPECT_TRUE(b.d.element(pasted[1]).is(KindWeakRelationship));
    EXPECT_EQ(b.d.element(pasted[2]).Caption, "Name") << "an attribute keeps its name";
    EXPECT_TRUE(b.d.element(pasted[2]).underlined());
    EXPECT_TRUE(b.d.connector(b.connector(pasted[0], pasted[1])).Line2.Visible);

    // The pasted copy, copied alone: a numbered name counts on.
    const std::vector<int> alone = b.editor.pasteFragment(copyFragment(b.d, {pasted[1]}), {0, 400});
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_TRUE(b.d.element(alone[0]).is(KindRelationship));
    EXPECT_EQ(b.d.element(alone[0]).Caption, "DEPENDENTS_OF_3");
    EXPECT_EQ(findInconsistency(b.d, {}), QString());
    // The longer name is shown whole: the element is as wide as Resize would make it.
    const Element& renamed = b.d.element(alone[0]);
    EXPECT_GE(renamed.Width, fittedWidth(renamed, captionWidthFor(renamed.Font, renamed.Caption)));
}

// Bytes that are no fragment, damaged ones, one too large and one whose elements do not hold
// together are all refused with a reason; nothing is pasted from them.
TEST(Pasting, WhatIsNoFragmentIsRefused) {
    DiagramBuilder b;
    const int e = b.entity("E");
    const int a = b.attribute(e, "A");
    const QByteArray good = encodeFragment(copyFragment(b.d, {e, a}));

    Fragment broken = copyFragment(b.d, {e, a});
    broken.document.element(1).AttributeList.add(7, QStringLiteral("7"));  // no element 7

    QByteArray damaged = good;
    damaged[damaged.size() - 5] = char(damaged[damaged.size() - 5] ^ 0x55);
    const QByteArray cases[] = {
        QByteArray(), QByteArray("garbage"),  good.left(good.size() / 2),
        damaged,      encodeFragment(broken), QByteArray(65 * 1024 * 1024, 'R')};
    for (const QByteArray& bytes : cases) {
        QString problem;
        EXPECT_FALSE(decodeFragment(bytes, &problem)) << bytes.left(20).toStdString();
        EXPECT_FALSE(problem.isEmpty());
    }
    EXPECT_TRUE(decodeFragment(good, nullptr));
}
