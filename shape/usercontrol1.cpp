#include "usercontrol1.h"

#include <QPainter>

// Placeholder control until the shape control is written.
UserControl1::UserControl1(QWidget* parent) : QWidget(parent), Label1(new QLabel(this)) {
    AttributeList = std::make_shared<Collection>();
    RelationList = std::make_shared<Collection>();
    RelativeEntityList = std::make_shared<Collection>();
    PrimaryEntityList = std::make_shared<Collection>();
    WeakRelationList = std::make_shared<Collection>();
    WeakEntityList = std::make_shared<Collection>();
}
OleColor UserControl1::BackColor() const { return backColor_; }
void UserControl1::setBackColor(OleColor colour) { backColor_ = colour; }
QString UserControl1::Caption() const { return Label1->text(); }
void UserControl1::setCaption(const QString& caption) { Label1->setText(caption); }
OleColor UserControl1::ForeColor() const { return foreColor_; }
void UserControl1::setForeColor(OleColor colour) { foreColor_ = colour; }
QFont UserControl1::Font() const { return Label1->font(); }
void UserControl1::setFont(const QFont& font) { Label1->setFont(font); }
qint16 UserControl1::BorderStyle() const { return borderStyle_; }
void UserControl1::setBorderStyle(qint16 style) { borderStyle_ = style; }
float UserControl1::Shape() const { return shape_; }
void UserControl1::setShape(float shape) { shape_ = shape; }
qint32 UserControl1::CaptionWidth() const { return captionWidthFor(Font(), Caption()); }
bool UserControl1::RePaint() { update(); return true; }
void UserControl1::InitProperties() {}
void UserControl1::ReadProperties(const PropertyBag&, const QFont&) {}
void UserControl1::WriteProperties(PropertyBag&, const QFont&) const {}
void UserControl1::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(backColor_));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
void UserControl1::mousePressEvent(QMouseEvent*) {}
void UserControl1::mouseMoveEvent(QMouseEvent*) {}
void UserControl1::mouseReleaseEvent(QMouseEvent*) {}
void UserControl1::mouseDoubleClickEvent(QMouseEvent*) {}
void UserControl1::keyPressEvent(QKeyEvent*) {}
void UserControl1::keyReleaseEvent(QKeyEvent*) {}
