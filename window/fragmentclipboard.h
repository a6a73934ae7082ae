#pragma once

class Canvas;
class Editor;

// The system clipboard's side of copy and paste: the selection goes there as a fragment under
// our own type (read back by any window of this program) and as a picture of it for other
// programs.

// Puts the selection on the clipboard; false when nothing live is selected.
bool copySelectionToClipboard(Editor& editor, Canvas& canvas);
// Pastes the clipboard's fragment: its top-left corner under the pointer when the pointer is
// over the canvas, else a little beside where it was copied. Clipboard contents that are no
// fragment are refused with a message.
void pasteFromClipboard(Editor& editor, Canvas& canvas);
