#include "abouttext.h"

#include <QCoreApplication>

namespace {

// Every line ends in a carriage return and a line feed.
QString joinLines(std::initializer_list<QString> lines) {
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    return text;
}

}  // namespace

QString aboutDescription() {
    return joinLines({
               QCoreApplication::translate("AboutText", "本程式可以協助您"),
               QCoreApplication::translate("AboutText", "　1.繪製實體關聯模式"),
               QCoreApplication::translate("AboutText", "　2.產生關聯模式"),
           }) +
           QCoreApplication::translate("AboutText", "對本程式的任何指教, 歡迎 Email 至 ") +
           kContactAddress + QCoreApplication::translate("AboutText", ", 謝謝");
}

QString aboutDisclaimer() {
    return joinLines({
        QCoreApplication::translate("AboutText", "功能1注意事項:"),
        QCoreApplication::translate("AboutText",
                                    "　1.您可以使用 File->Capture 將繪製完成的ERD, 存放於記憶體中"),
        QCoreApplication::translate("AboutText", "　2.您可以使用 File->Set 改變操作的環境"),
        QString(),
        QCoreApplication::translate("AboutText", "功能2注意事項:"),
        QCoreApplication::translate("AboutText",
                                    "　1.如果您要用本程式自動產生關聯模式, 您必須先安裝Excel"),
        QCoreApplication::translate("AboutText", "　2.在一般環境設定中, 您必須選用增強模式"),
        QCoreApplication::translate(
            "AboutText", "　3.基數比與參與度，增強模式採用課本p61下方之表示法, 預設值為 (0,N)"),
        QCoreApplication::translate("AboutText", "　  若該實體為完全參與, 則 min 值為1"),
        QCoreApplication::translate(
            "AboutText", "　4.雙直線所代表的意義為識別關係型態之指定, 基數比與參與度必為 (1,N)"),
        QCoreApplication::translate(
            "AboutText", "　5.所產生之關聯將存放於Excel中, 部份關聯可能彼此重疊, 請搬移檢視"),
    });
}
