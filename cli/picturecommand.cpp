#include "picturecommand.h"

#include <QFileInfo>
#include <QPalette>

#include "canvas.h"
#include "commandline.h"
#include "commandsupport.h"
#include "picturefile.h"
#include "stderrprogress.h"

namespace {

const char* const kUsage =
    "usage: relvane picture --db URL --project NAME --output FILE.png|svg|pdf [--scale 1|2]";

struct PictureOptions {
    QString db, project, output;
    int scale = 1;
};

std::optional<PictureOptions> parsePictureOptions(const QStringList& arguments) {
    const auto given = parseOptions(
        QStringLiteral("picture"), arguments,
        {QStringLiteral("--db"), QStringLiteral("--project"), QStringLiteral("--output"),
         QStringLiteral("--scale")});
    if (!given) return std::nullopt;
    PictureOptions options;
    options.db = given->value(QStringLiteral("--db"));
    options.project = given->value(QStringLiteral("--project"));
    options.output = given->value(QStringLiteral("--output"));
    if (!given->contains(QStringLiteral("--db")) || !given->contains(QStringLiteral("--project")) ||
        options.output.isEmpty()) {
        printError(QLatin1String(kUsage));
        return std::nullopt;
    }
    if (!pictureFormatOf(options.output)) {
        printError(QStringLiteral("relvane picture: the output must end in .png, .svg or .pdf"));
        return std::nullopt;
    }
    if (given->contains(QStringLiteral("--scale"))) {
        const QString value = given->value(QStringLiteral("--scale"));
        if (value != QLatin1String("1") && value != QLatin1String("2")) {
            printError(QStringLiteral("relvane picture: --scale takes 1 or 2"));
            return std::nullopt;
        }
        options.scale = value.toInt();
    }
    return options;
}

}  // namespace

int runPictureCommand(const QStringList& given) {
    QStringList arguments = given;
    StderrProgress progress(arguments);
    const std::optional<PictureOptions> options = parsePictureOptions(arguments);
    if (!options) return ExitUsageOrSystem;
    if (const auto status = refuseOutput(QStringLiteral("picture"), options->output, options->db))
        return *status;

    HeadlessProject project;
    if (const auto status = loadOnly(options->db, options->project, project.editor))
        return *status;
    const QRectF area = project.editor.captureRect();
    if (area.isEmpty()) {
        printError(noElementsToPictureMessage());
        return ExitRefused;
    }

    // The drawing area the window would show, never shown itself: it paints the picture with the
    // renderer it paints the screen with.
    Canvas canvas(project.diagram, project.editor);
    QPalette palette = canvas.palette();
    palette.setColor(QPalette::Window, toQColor(project.diagram.settings.WindowBackColor));
    canvas.setPalette(palette);
    if (const auto error =
            writePicture(canvas, area, options->output, options->scale, progress.get())) {
        printError(QStringLiteral("%1: %2").arg(QFileInfo(options->output).filePath(), *error));
        return ExitUsageOrSystem;
    }
    return ExitWritten;
}
