#pragma once

#include <QWidget>
#include <vector>

class Canvas;
class Editor;
class QLabel;
class QLineEdit;
class QListWidget;

// 尋找 (Ctrl+F): a small window beside the drawing. Part of a name typed in its box lists the
// elements whose names hold it (finding.h); Enter, or a click on one in the list, selects that
// element and scrolls the drawing to it. F3 and Shift+F3 go to the next and the previous match,
// from the last round to the first. It never blocks the main window.
class FindWindow : public QWidget {
    Q_OBJECT
public:
    FindWindow(Editor& editor, Canvas& canvas, QWidget* parent = nullptr);

    // Shows the window with its box ready for typing.
    void open();
    // The text searched for.
    QString text() const;
    void setText(const QString& text);
    // The elements listed, best first.
    const std::vector<int>& matches() const { return matches_; }
    // F3 (1) and Shift+F3 (-1): the match after or before the one last gone to.
    void goToAdjacent(int step);
    // Selects match `i` and shows it on the drawing.
    void goTo(int i);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Esc closes the window; the element found stays selected.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Lists the matches of the text afresh.
    void search();
    // Moves the window aside when it covers element i on the screen.
    void moveOutOfTheWayOf(int i);

    Editor& editor_;
    Canvas& canvas_;
    QLineEdit* box_ = nullptr;
    QListWidget* list_ = nullptr;
    QLabel* count_ = nullptr;
    std::vector<int> matches_;
    int current_ = 0;  // the match last gone to
};
