#include "quietmessages.h"

#include <QString>
#include <QtGlobal>

namespace {

QtMessageHandler previousHandler = nullptr;

void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: ")) &&
        (message.contains(QLatin1String("XDG_RUNTIME_DIR")) ||
         message.contains(QLatin1String("runtime directory"))))
        return;
    if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

void dropRuntimeDirectoryWarnings() {
    previousHandler = qInstallMessageHandler(handleMessage);
}
