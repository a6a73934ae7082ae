#include "findwindow.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "canvas.h"
#include "editor.h"
#include "finding.h"

namespace {

// How a match is listed: its name, and an attribute's owner, so that the "name" of one entity
// can be told from the "name" of another.
QString listedName(const Document& document, int i) {
    const Element& e = document.element(i);
    if (!e.isAttributeKind() || e.RelativeEntityList.count() == 0) return e.Caption;
    const int owner = e.RelativeEntityList.items().front();
    if (!document.isLiveElement(owner)) return e.Caption;
    return QStringLiteral("%1 (%2)").arg(e.Caption, document.element(owner).Caption);
}

}  // namespace

FindWindow::FindWindow(Editor& editor, Canvas& canvas, QWidget* parent)
    : QWidget(parent, Qt::Tool), editor_(editor), canvas_(canvas) {
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QCoreApplication::translate("FindWindow", "尋找"));
    box_ = new QLineEdit(this);
    box_->setObjectName(QStringLiteral("txtFind"));
    box_->setPlaceholderText(QCoreApplication::translate("FindWindow", "輸入名稱的一部分"));
    box_->setClearButtonEnabled(true);
    box_->installEventFilter(this);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstFound"));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("lblFound"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(box_);
    column->addWidget(list_, 1);
    column->addWidget(count_);
    resize(260, 320);

    connect(box_, &QLineEdit::textChanged, this, &FindWindow::search);
    connect(box_, &QLineEdit::returnPressed, this, [this] {
        // Enter goes to the match chosen in the list, else to the next one.
        const int row = list_->currentRow();
        if (row >= 0 && size_t(row) < matches_.size() && matches_[size_t(row)] != current_)
            goTo(matches_[size_t(row)]);
        else
            goToAdjacent(1);
    });
    connect(list_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { goTo(item->data(Qt::UserRole).toInt()); });
    connect(list_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { goTo(item->data(Qt::UserRole).toInt()); });
    // Names change, elements come and go: the list follows the diagram while it is shown.
    connect(&editor_.diagram(), &Diagram::changed, this, [this] {
        if (isVisible()) search();
    });
}

void FindWindow::open() {
    show();
    raise();
    activateWindow();
    box_->setFocus();
    box_->selectAll();
    search();
}

QString FindWindow::text() const {
    return box_->text();
}

void FindWindow::setText(const QString& text) {
    box_->setText(text);
}

void FindWindow::search() {
    const Document& document = editor_.diagram().document();
    std::vector<int> found = elementsNamed(document, box_->text());
    if (found != matches_ || list_->count() != int(found.size())) {
        matches_ = std::move(found);
        list_->clear();
        for (int i : matches_) {
            auto* item = new QListWidgetItem(listedName(document, i), list_);
            item->setData(Qt::UserRole, i);
        }
    } else {
        // The same elements, perhaps renamed.
        for (int row = 0; row < list_->count(); ++row)
            list_->item(row)->setText(listedName(document, matches_[size_t(row)]));
    }
    const auto at = std::find(matches_.begin(), matches_.end(), current_);
    list_->setCurrentRow(at == matches_.end() ? (matches_.empty() ? -1 : 0)
                                              : int(at - matches_.begin()));
    count_->setText(
        box_->text().trimmed().isEmpty()
            ? QString()
            : QCoreApplication::translate("FindWindow", "找到 %1 個元素").arg(matches_.size()));
}

void FindWindow::goToAdjacent(int step) {
    search();
    if (const int next = adjacentMatch(matches_, current_, step)) goTo(next);
}

void FindWindow::goTo(int i) {
    if (!editor_.diagram().isLiveElement(i)) return;
    current_ = i;
    editor_.selectElements({i});
    canvas_.ensureVisible(i);
    const Element& e = editor_.diagram().element(i);
    canvas_.flash(QRectF(e.Left, e.Top, e.Width, e.Height));
    const auto at = std::find(matches_.begin(), matches_.end(), i);
    if (at != matches_.end()) list_->setCurrentRow(int(at - matches_.begin()));
    moveOutOfTheWayOf(i);
}

void FindWindow::moveOutOfTheWayOf(int i) {
    const QRect rect = canvas_.elementRect(i);
    if (rect.isEmpty()) return;
    const QRect shown(canvas_.mapToGlobal(rect.topLeft()), rect.size());
    if (!frameGeometry().intersects(shown)) return;
    // To the other side of the drawing area from the element.
    const QRect area(canvas_.mapToGlobal(QPoint(0, 0)), canvas_.size());
    constexpr int kMargin = 20;
    const int left = shown.center().x() > area.center().x()
                         ? area.left() + kMargin
                         : area.right() - frameGeometry().width() - kMargin;
    move(left, pos().y());
}

bool FindWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        // The arrow keys move through the list while the box keeps the focus.
        if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && list_->count() > 0) {
            const int step = key->key() == Qt::Key_Down ? 1 : -1;
            const int row = std::clamp(list_->currentRow() + step, 0, list_->count() - 1);
            list_->setCurrentRow(row);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool FindWindow::event(QEvent* event) {
    // Esc belongs to this window, not to the main window's Cancel, whose keys a tool window of
    // it shares otherwise.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

void FindWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
