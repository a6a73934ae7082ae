#pragma once

#include <QFont>
#include <QLabel>
#include <QStaticText>
#include <QWidget>
#include <memory>

#include "collection.h"
#include "glyphon_global.h"
#include "olecolor.h"
#include "outline.h"
#include "propertybag.h"

class QPainter;

// The shape control: draws one element outline (rectangle, ellipse, diamond, single or double)
// with a one-line caption, forwards the mouse and key events of its surface to the host as
// signals, and carries the six per-element collections and four plain values the editor uses.
// It has no logic of its own beyond drawing and property storage.
//
// The control itself is the drawing surface (Picture1): with BorderStyle 1 a one-pixel border
// frames it and the surface is the area inside, otherwise the surface is the whole control.
// Event coordinates are pixels from the control's top-left corner.
class GLYPHON_EXPORT UserControl1 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(OleColor BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(OleColor ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(qint16 BorderStyle READ BorderStyle WRITE setBorderStyle)
    Q_PROPERTY(float Shape READ Shape WRITE setShape)
    Q_PROPERTY(qint32 CaptionWidth READ CaptionWidth)
    Q_PROPERTY(qint32 RecWidth MEMBER RecWidth)
    Q_PROPERTY(qint32 DiaWidth MEMBER DiaWidth)
    Q_PROPERTY(qint32 EllWidth MEMBER EllWidth)
    Q_PROPERTY(bool IsSizeLock MEMBER IsSizeLock)
public:
    // Persisted defaults (the font's default is the host's ambient font).
    static constexpr OleColor kDefaultBackColor = 0xC0C0FF;
    static constexpr OleColor kDefaultForeColor = kSystemWindowText;
    static constexpr qint16 kDefaultBorderStyle = 1;
    static constexpr float kDefaultShape = 0;
    static inline const QString kDefaultCaption = QStringLiteral("Label1");

    explicit UserControl1(QWidget* parent = nullptr);

    // Properties. Only Shape runs the paint procedure at once; the others take effect on the
    // screen with the last outline, and the caption label keeps its place until the next paint.
    OleColor BackColor() const;
    void setBackColor(OleColor colour);
    QString Caption() const;
    void setCaption(const QString& caption);
    OleColor ForeColor() const;
    void setForeColor(OleColor colour);
    QFont Font() const;
    void setFont(const QFont& font);
    // 0 no border, 1 fixed single; any other value is refused and the style stays.
    qint16 BorderStyle() const;
    void setBorderStyle(qint16 style);
    float Shape() const;
    // Stores the code and paints; false when the paint failed (see RePaint).
    bool setShape(float shape);
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
    // Where the last paint put the caption label, in surface pixels (a float position, as placed).
    QPointF captionPosition() const { return captionPosition_; }
    // The drawing surface: its top-left in control pixels and its inner width and height.
    QRect surfaceRect() const;

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
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The paint procedure: outline from the current surface size, caption placed, repaint queued.
    bool paintProcedure();
    void sizeLabelToText();
    void applyForeColor();

    QLabel* Label1;
    // The caption as it is drawn: laid out once per text or font, not on every paint.
    QStaticText captionText_;
    OleColor backColor_ = kDefaultBackColor;
    OleColor foreColor_ = kDefaultForeColor;
    QFont font_;
    qint16 borderStyle_ = kDefaultBorderStyle;
    float shape_ = kDefaultShape;
    OutlineGeometry outline_;
    QPointF captionPosition_;
    // The surface size the last outline was made for; a paint request at another size (or before
    // any paint) runs the paint procedure first.
    QSize outlineSurface_{-1, -1};
    bool leftPressed_ = false;  // a left press on the control that a release turns into Click
};
