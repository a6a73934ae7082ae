#pragma once

#include <QLineEdit>

class Canvas;
class Editor;

// The caption of one element typed in place, over the element on the drawing at the zoom in
// force: Enter or leaving the box keeps what was typed (one rename step through the editor), Esc
// gives it up. Every key goes to the box while it is open, so the window's keys (Delete, Esc as
// Cancel) do not act on the drawing meanwhile.
class CaptionEdit : public QLineEdit {
    Q_OBJECT
public:
    CaptionEdit(Canvas& canvas, Editor& editor);

    // Opens the box over live element i with its caption selected; an open box keeps its text
    // first. A hidden element is not edited.
    void begin(int i);
    // The element being edited; 0 while the box is closed.
    int element() const { return element_; }
    // Keeps the typed caption, or gives it up, and closes the box.
    void finish(bool keep);
    // Puts the box back over its element after the view changed; gives it up when the element
    // went (an undo, a load).
    void follow();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Canvas& canvas_;
    Editor& editor_;
    int element_ = 0;
};
