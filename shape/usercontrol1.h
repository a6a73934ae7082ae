#pragma once

#include <QFont>
#include <QLabel>
#include <QWidget>
#include <memory>

#include "collection.h"
#include "glyphon_global.h"
#include "olecolor.h"
#include "outline.h"
#include "propertybag.h"

// The shape control: draws one element outline (rectangle, ellipse, diamond, single or double)
// with a one-line caption, forwards the mouse and key events of its surface to the host as
// signals, and carries the six per-element collections and four plain values the editor uses.
// It has no logic of its own beyond drawing and property storage.
class GLYPHON_EXPORT UserControl1 : public QWidget {
    Q_OBJECT
public:
    explicit UserControl1(QWidget* parent = nullptr);

    // Properties. Changing one marks it changed for persistence; only Shape repaints at once.
    OleColor BackColor() const;
    void setBackColor(OleColor colour);
    QString Caption() const;
    void setCaption(const QString& caption);
    OleColor ForeColor() const;
    void setForeColor(OleColor colour);
    QFont Font() const;
    void setFont(const QFont& font);
    qint16 BorderStyle() const;
    void setBorderStyle(qint16 style);
    float Shape() const;
    void setShape(float shape);
    // Width of the caption label in pixels, rounded half to even.
    qint32 CaptionWidth() const;

    // The six collections: public, readable and replaceable by reference.
    std::shared_ptr<Collection> AttributeList, RelationList, RelativeEntityList, PrimaryEntityList,
        WeakRelationList, WeakEntityList;
    // Insets of the inner outline of codes 1, 5 and 3, and the editor's size-lock flag.
    qint32 RecWidth = 0;
    qint32 DiaWidth = 0;
    qint32 EllWidth = 0;
    bool IsSizeLock = false;

    // Runs the paint procedure at once. Returns false when the inner outline's coordinates leave
    // the 32-bit range (the error is reported to the caller instead of drawing).
    bool RePaint();
    // Does nothing: hosts call RePaint to redraw.
    void Refresh() {}

    // Lifecycle: a newly placed instance gets insets 5, shape 0 and paints; an instance created
    // from stored properties reads them in order and keeps insets 0.
    void InitProperties();
    void ReadProperties(const PropertyBag& bag, const QFont& ambientFont);
    void WriteProperties(PropertyBag& bag, const QFont& ambientFont) const;

    // The caption label and the geometry of the last paint, for the host and for tests.
    const QLabel* label() const { return Label1; }
    const OutlineGeometry& lastOutline() const { return outline_; }

Q_SIGNALS:
    void Click();
    void DblClick();
    void KeyDown(qint16 KeyCode, qint16 Shift);
    void KeyPress(qint16 KeyAscii);
    void KeyUp(qint16 KeyCode, qint16 Shift);
    void MouseDown(qint16 Button, qint16 Shift, float x, float y);
    void MouseMove(qint16 Button, qint16 Shift, float x, float y);
    void MouseUp(qint16 Button, qint16 Shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QLabel* Label1;
    OleColor backColor_ = 0xC0C0FF;
    OleColor foreColor_ = kSystemWindowText;
    qint16 borderStyle_ = 1;
    float shape_ = 0;
    OutlineGeometry outline_;
};
