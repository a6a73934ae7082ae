#include "fragmentclipboard.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>

#include "canvas.h"
#include "editor.h"
#include "fragment.h"

namespace {

// Room around the picture, in drawing units, so lines at the edge are not cut.
constexpr double kPictureMargin = 10;

}  // namespace

bool copySelectionToClipboard(Editor& editor, Canvas& canvas) {
    const Fragment fragment = copyFragment(editor.diagram(), editor.diagram().view.selection);
    if (fragment.isEmpty()) return false;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kFragmentMimeType), encodeFragment(fragment));
    const QRectF area = fragment.bounds().adjusted(-kPictureMargin, -kPictureMargin, kPictureMargin,
                                                   kPictureMargin);
    data->setImageData(canvas.renderAtFullSize(area).toImage());
    QGuiApplication::clipboard()->setMimeData(data);
    return true;
}

void pasteFromClipboard(Editor& editor, Canvas& canvas) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QString type = QString::fromLatin1(kFragmentMimeType);
    if (!data || !data->hasFormat(type)) {
        editor.prompts().message(
            QCoreApplication::translate("Fragment", "剪貼簿中沒有可貼上的圖形元素"));
        return;
    }
    QString problem;
    const std::optional<Fragment> fragment = decodeFragment(data->data(type), &problem);
    if (!fragment) {
        editor.prompts().message(problem);
        return;
    }
    QPointF offset = Editor::kPasteStep;
    const QPoint pointer = canvas.mapFromGlobal(QCursor::pos());
    if (canvas.rect().contains(pointer))
        offset = canvas.mapping().toLogical(QPointF(pointer)) - fragment->bounds().topLeft();
    editor.pasteFragment(*fragment, offset);
}
