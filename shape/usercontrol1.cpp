#include "usercontrol1.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <limits>

#include "inputcodes.h"
#include "shapepainter.h"

namespace {

constexpr qint32 kPlacedInset = 5;

// Property-bag values may come from anywhere; anything unreadable counts as missing.
std::optional<qint64> storedInteger(const QVariant& value) {
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!value.isValid() || !ok) return std::nullopt;
    return number;
}

OleColor storedColour(const PropertyBag& bag, const QString& name, OleColor defaultColour) {
    // Colours are written as signed 32-bit values; system colours therefore read back negative.
    const std::optional<qint64> number = storedInteger(bag.ReadProperty(name, QVariant()));
    if (!number || *number < std::numeric_limits<qint32>::min() ||
        *number > std::numeric_limits<quint32>::max())
        return defaultColour;
    return OleColor(quint32(*number));
}

QFont storedFont(const PropertyBag& bag, const QFont& ambientFont) {
    const QVariant value = bag.ReadProperty(QStringLiteral("Font"), QVariant());
    if (value.typeId() == QMetaType::QFont) return value.value<QFont>();
    QFont font;
    if (value.typeId() == QMetaType::QString && font.fromString(value.toString())) return font;
    return ambientFont;
}

}  // namespace

UserControl1::UserControl1(QWidget* parent) : QWidget(parent), Label1(new QLabel(this)) {
    AttributeList = std::make_shared<Collection>();
    RelationList = std::make_shared<Collection>();
    RelativeEntityList = std::make_shared<Collection>();
    PrimaryEntityList = std::make_shared<Collection>();
    WeakRelationList = std::make_shared<Collection>();
    WeakEntityList = std::make_shared<Collection>();

    // Only the inside of the outline is the control's own: around an ellipse or a diamond the
    // drawing area (its colour, the connector lines beneath) shows through, on the screen and
    // when the control is rendered into a picture.
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);  // moves without a button held are events too
    setFocusPolicy(Qt::ClickFocus);

    // The label holds the caption's text, font, colour, size and place; the control draws the text
    // itself at the label's place (a child widget per caption would double the widgets a large
    // diagram paints). Clicks belong to the surface, and the text is never read as markup.
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setVisible(false);
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setText(kDefaultCaption);
    font_ = QWidget::font();
    Label1->setFont(font_);
    applyForeColor();
    sizeLabelToText();
}

OleColor UserControl1::BackColor() const {
    return backColor_;
}

void UserControl1::setBackColor(OleColor colour) {
    backColor_ = colour;
    update();
}

QString UserControl1::Caption() const {
    return Label1->text();
}

void UserControl1::setCaption(const QString& caption) {
    Label1->setText(caption);
    sizeLabelToText();
    update();  // the new text shows at once, still at the label's old place
}

OleColor UserControl1::ForeColor() const {
    return foreColor_;
}

void UserControl1::setForeColor(OleColor colour) {
    foreColor_ = colour;
    applyForeColor();
}

QFont UserControl1::Font() const {
    return font_;
}

void UserControl1::setFont(const QFont& font) {
    font_ = font;
    Label1->setFont(font_);
    sizeLabelToText();
}

qint16 UserControl1::BorderStyle() const {
    return borderStyle_;
}

void UserControl1::setBorderStyle(qint16 style) {
    if (style != 0 && style != 1) return;
    borderStyle_ = style;
    update();
}

float UserControl1::Shape() const {
    return shape_;
}

bool UserControl1::setShape(float shape) {
    shape_ = shape;
    return paintProcedure();
}

qint32 UserControl1::CaptionWidth() const {
    return Label1->width();
}

bool UserControl1::RePaint() {
    return paintProcedure();
}

QRect UserControl1::surfaceRect() const {
    return shapeSurface(size(), borderStyle_);
}

void UserControl1::InitProperties() {
    RecWidth = EllWidth = DiaWidth = kPlacedInset;
    shape_ = 0;
    paintProcedure();
}

void UserControl1::ReadProperties(const PropertyBag& bag, const QFont& ambientFont) {
    setBackColor(storedColour(bag, QStringLiteral("BackColor"), kDefaultBackColor));
    setForeColor(storedColour(bag, QStringLiteral("ForeColor"), kDefaultForeColor));
    setFont(storedFont(bag, ambientFont));

    const std::optional<qint64> border =
        storedInteger(bag.ReadProperty(QStringLiteral("BorderStyle"), QVariant()));
    setBorderStyle(border && (*border == 0 || *border == 1) ? qint16(*border)
                                                            : kDefaultBorderStyle);

    const QVariant caption = bag.ReadProperty(QStringLiteral("Caption"), kDefaultCaption);
    setCaption(caption.canConvert<QString>() ? caption.toString() : kDefaultCaption);

    // The code is stored without painting: the next paint request draws it.
    bool ok = false;
    const QVariant shape = bag.ReadProperty(QStringLiteral("Shape"), QVariant());
    const float code = shape.toFloat(&ok);
    shape_ = shape.isValid() && ok ? code : kDefaultShape;
}

void UserControl1::WriteProperties(PropertyBag& bag, const QFont& ambientFont) const {
    // Colours go out as signed 32-bit values, the width the bag's readers expect.
    bag.WriteProperty(QStringLiteral("BackColor"), qint32(backColor_), qint32(kDefaultBackColor));
    bag.WriteProperty(QStringLiteral("ForeColor"), qint32(foreColor_), qint32(kDefaultForeColor));
    bag.WriteProperty(QStringLiteral("Font"), QVariant::fromValue(font_),
                      QVariant::fromValue(ambientFont));
    bag.WriteProperty(QStringLiteral("BorderStyle"), QVariant::fromValue(borderStyle_),
                      QVariant::fromValue(kDefaultBorderStyle));
    bag.WriteProperty(QStringLiteral("Shape"), shape_, kDefaultShape);
    bag.WriteProperty(QStringLiteral("Caption"), Caption(), kDefaultCaption);
}

bool UserControl1::paintProcedure() {
    const QRect surface = surfaceRect();
    outline_ =
        outlineGeometry(shape_, surface.width(), surface.height(), RecWidth, EllWidth, DiaWidth);
    outlineSurface_ = surface.size();
    if (outline_.captionCentre) {
        captionPosition_ = captionTopLeft(*outline_.captionCentre, QSizeF(Label1->size()));
        Label1->move(placeCaptionLabel(outline_, surface, Label1->size(), Label1->pos()).topLeft());
    }
    update();
    return !outline_.overflow;
}

void UserControl1::sizeLabelToText() {
    Label1->resize(captionSizeFor(font_, Label1->text()));
    captionText_.setText(Label1->text());
    captionText_.setTextFormat(Qt::PlainText);
    // Laid out without the underline, which is drawn by hand (see paintShape).
    QFont plain = font_;
    plain.setUnderline(false);
    captionText_.prepare(QTransform(), plain);
}

void UserControl1::applyForeColor() {
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::WindowText, toQColor(foreColor_));
    Label1->setPalette(palette);
    update();
}

void UserControl1::paintEvent(QPaintEvent*) {
    // A paint request at a surface size the outline was not made for (or before any paint) runs
    // the paint procedure; otherwise the last outline is replayed and the caption stays put.
    if (outlineSurface_ != surfaceRect().size()) paintProcedure();

    ShapeLayout layout;
    layout.size = size();
    layout.surface = surfaceRect();
    layout.shape = shape_;
    layout.borderStyle = borderStyle_;
    layout.outline = outline_;
    layout.font = font_;
    layout.caption = captionText_;
    layout.captionLabel = Label1->geometry();
    // The control paints within itself anyway; only the outline needs holding to the surface.
    layout.outlineLeavesSurface = true;
    QPainter painter(this);
    paintShape(painter, QPoint(), layout, toQColor(backColor_),
               Label1->palette().color(QPalette::WindowText));
}

void UserControl1::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) leftPressed_ = true;
    const QPointF at = event->position();
    Q_EMIT MouseDown(buttonCode(event->button()), shiftState(event->modifiers()), float(at.x()),
                     float(at.y()));
}

void UserControl1::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    Q_EMIT MouseMove(buttonState(event->buttons()), shiftState(event->modifiers()), float(at.x()),
                     float(at.y()));
}

void UserControl1::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    Q_EMIT MouseUp(buttonCode(event->button()), shiftState(event->modifiers()), float(at.x()),
                   float(at.y()));
    // A click is a left press and release both on the control.
    if (event->button() == Qt::LeftButton && leftPressed_) {
        leftPressed_ = false;
        if (rect().contains(at.toPoint())) Q_EMIT Click();
    }
}

void UserControl1::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second left press of a double click is the DblClick itself, with no MouseDown and no
    // Click of its own; other buttons pressed twice are two ordinary presses.
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    leftPressed_ = false;
    Q_EMIT DblClick();
}

void UserControl1::keyPressEvent(QKeyEvent* event) {
    Q_EMIT KeyDown(virtualKeyCode(event->key(), event->modifiers()),
                   shiftState(event->modifiers()));
    // Characters travel as 16-bit codes; those beyond 0x7FFF arrive negative.
    for (const QChar character : event->text()) Q_EMIT KeyPress(qint16(character.unicode()));
}

void UserControl1::keyReleaseEvent(QKeyEvent* event) {
    Q_EMIT KeyUp(virtualKeyCode(event->key(), event->modifiers()), shiftState(event->modifiers()));
}

void UserControl1::contextMenuEvent(QContextMenuEvent* event) {
    // A right click reaches the host as MouseDown/MouseUp only; it must not fall through to the
    // widget underneath as a menu request on empty ground.
    event->accept();
}
