#include "helptext.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// ---- 畫圖 ----

constexpr HelpItem kDrawing[] = {
    {nullptr,
     QT_TRANSLATE_NOOP(
         "HelpText",
         "工具列的前三個按鈕產生新元素, 新元素放在畫面上第一個空位, 再用滑鼠拖到想要的位置。"
         "按鈕旁的箭頭另有弱實體、多值屬性與識別關係。")},
    {QT_TRANSLATE_NOOP("HelpText", "實體"),
     QT_TRANSLATE_NOOP("HelpText", "按 Entity (New Entity)。實體畫成長方形。")},
    {QT_TRANSLATE_NOOP("HelpText", "屬性"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "按 Attribute (New Attribute), 再按 Set Attribute, 先點屬性的擁有者 (實體或關係), "
         "再點屬性。屬性畫成橢圓。")},
    {QT_TRANSLATE_NOOP("HelpText", "鍵屬性"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "在屬性上按右鍵, 選 Key: 名稱加上底線, 成為主鍵的一部分。每個實體至少要有一個鍵屬性。")},
    {QT_TRANSLATE_NOOP("HelpText", "多值屬性"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "Attribute 旁的箭頭選 MultAttribute, 或在屬性的右鍵選單選 MultAttribute。畫成雙橢圓。")},
    {QT_TRANSLATE_NOOP("HelpText", "複合屬性"),
     QT_TRANSLATE_NOOP("HelpText",
                       "用 Set Attribute 先點一個屬性, 再點另一個屬性: "
                       "後者成為前者的成分。轉換時以成分代替複合屬性。")},
    {QT_TRANSLATE_NOOP("HelpText", "關係"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "按 Relationship (New Relationship), 再按 Set Relationship, 依序點第一個實體、關係、"
         "第二個實體。關係畫成菱形。")},
    {QT_TRANSLATE_NOOP("HelpText", "遞迴關係"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "Set Relationship 時第二個實體再點同一個實體: 兩條連線畫成虛線, 每條都要用右鍵選單的 "
         "Description 設定角色。")},
    {QT_TRANSLATE_NOOP("HelpText", "多元關係"),
     QT_TRANSLATE_NOOP("HelpText",
                       "關係已連了兩個實體時, 再用 Set Relationship 點另一個實體和這個關係, "
                       "就加上第三個參與者。")},
    {QT_TRANSLATE_NOOP("HelpText", "弱實體"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "先產生實體, 用 Set Relationship 把它和擁有者接到同一個關係, 再在它的右鍵選單選 "
         "WeakEnitty, 然後點那個關係: 實體成為弱實體 (雙長方形), 關係成為識別關係 (雙菱形)。"
         "弱實體的部分鍵也用 Key 標示。")},
    {QT_TRANSLATE_NOOP("HelpText", "特殊化"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "按 Specialization (New Specialization) 產生特殊化的圓圈, 再按 Set Subclass, 依序點父類別"
         "的實體、圓圈、子類別的實體, 每個子類別各點一次; 子類別的連線畫上子集合符號 ⊂。圓圈的"
         "右鍵選單選不相交 (d) 或重疊 (o)、全部 (父類別的連線畫成雙線) 或部分、對映 8A 到 8D, "
         "以及定義屬性 (寫在父類別的連線旁)。")},
    {QT_TRANSLATE_NOOP("HelpText", "類別"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "按 Category (New Category) 產生類別的圓圈 (∪), 再用 Set Subclass 依序點一個父類別、"
         "圓圈和類別的子類別, 每個父類別各點一次。全部的類別在子類別的連線畫雙線。")},
    {QT_TRANSLATE_NOOP("HelpText", "參與度與角色"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "在關係連線的中段按右鍵: Participation 輸入 min,max (見下一節), Description 輸入遞迴關係的"
         "角色, Delete 刪除連線。")},
    {QT_TRANSLATE_NOOP("HelpText", "選取、移動、刪除"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "點一下元素選取它, Ctrl+點選加選或取消, 在空白處拖曳框選。拖曳選取的元素一起移動; "
         "Delete 刪除選取的元素, 無法刪除的會說明原因。每個動作都能復原 (Ctrl+Z)。")},
    {QT_TRANSLATE_NOOP("HelpText", "連線中"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "Set Attribute 與 Set Relationship 會把可以點的元素標成候選色, 已點的標成已選色, "
         "下方狀態列說明下一步要點什麼; Esc 或 Cancel 放棄這次連線。按住 Shift 點這兩個按鈕, "
         "工具會留著, 一條連線完成後再開始下一條, 直到 Esc 或 Cancel。")},
};

// ---- min,max ----

constexpr HelpItem kParticipation[] = {
    {nullptr,
     QT_TRANSLATE_NOOP(
         "HelpText",
         "每條實體與關係之間的連線都有一個參與度, 寫成 min,max, 兩邊各是一個數字或 N, "
         "例如 0,N、1,N、1,1。它屬於這條連線那一端的實體: 說的是這個實體怎麼參與這個關係。")},
    {QT_TRANSLATE_NOOP("HelpText", "min"),
     QT_TRANSLATE_NOOP("HelpText",
                       "0: 部分參與, 實體可以不參與這個關係; 1: 完全參與, 每個實體都必須參與 "
                       "(教科書表示法畫成雙線)。")},
    {QT_TRANSLATE_NOOP("HelpText", "max"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "這個實體在對應比例中的那一邊: 兩條連線都是 1 為一對一; 一條 1、一條 N 為一對多, "
         "寫 N 的那一端是「多」的一方; 兩條都是 N 為多對多。")},
    {QT_TRANSLATE_NOOP("HelpText", "例子"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "EMPLOYEE —1,N— WORKS_FOR —0,1— DEPARTMENT: 每個員工都屬於一個部門 (EMPLOYEE 端 min 為 "
         "1), "
         "一個部門有多個員工 (EMPLOYEE 端為 N), 轉換時 DEPARTMENT 的主鍵成為 EMPLOYEE 的外鍵。")},
    {QT_TRANSLATE_NOOP("HelpText", "標籤的位置"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "參與度標籤預設畫在連線靠關係的一端, File → Set 可改到靠實體的一端; 不論畫在哪裡, "
         "它都屬於這條連線的實體。")},
    {QT_TRANSLATE_NOOP("HelpText", "弱實體"),
     QT_TRANSLATE_NOOP("HelpText", "弱實體與識別關係之間的連線必須是 1,N。")},
    {QT_TRANSLATE_NOOP("HelpText", "教科書表示法"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "File → Set 可改用教科書表示法: 連線只標 max, min 為 1 時畫雙線。轉換只在 min,max "
         "表示法下進行。")},
};

// ---- 檢查訊息 ----

constexpr HelpItem kChecks[] = {
    {nullptr,
     QT_TRANSLATE_NOOP(
         "HelpText",
         "Save 與 Convert 先檢查圖形, 遇到第一個問題就以訊息說明並停下 (Save 可另存為草稿)。"
         "關聯綱要面板 (F9) 隨時列出同樣的問題。")},
    {QT_TRANSLATE_NOOP("CheckDiagram", "目前沒有任何資料"),
     QT_TRANSLATE_NOOP("HelpText", "圖上沒有元素。先畫圖再儲存或轉換。"), "CheckDiagram"},
    {QT_TRANSLATE_NOOP("CheckDiagram", "實體 %1 沒有設定主鍵"),
     QT_TRANSLATE_NOOP("HelpText", "這個實體沒有直接相連的鍵屬性。在它的一個屬性上按右鍵選 Key。"),
     "CheckDiagram", "EMPLOYEE"},
    {QT_TRANSLATE_NOOP("CheckDiagram", "屬性 %1 未設定擁有者!"),
     QT_TRANSLATE_NOOP("HelpText",
                       "這個屬性沒有接到任何元素。用 Set Attribute 先點擁有者再點它, 或把它刪除。"),
     "CheckDiagram", "Salary"},
    {QT_TRANSLATE_NOOP("CheckDiagram", "關聯實體 %1 的關聯數至少應是 2 個"),
     QT_TRANSLATE_NOOP("HelpText",
                       "這個關係連到的實體不到兩個。用 Set Relationship 接上兩個實體 "
                       "(遞迴關係則是同一個實體兩次)。"),
     "CheckDiagram", "WORKS_FOR"},
    {QT_TRANSLATE_NOOP("CheckDiagram",
                       "Entity %1 與 Relationship %2 之間為弱實體關係, 參與度必須為 1,N"),
     QT_TRANSLATE_NOOP("HelpText",
                       "弱實體與識別關係之間的連線要設成 1,N: 在連線上按右鍵選 Participation。"),
     "CheckDiagram", "DEPENDENT|DEPENDENTS_OF"},
    {QT_TRANSLATE_NOOP("CheckDiagram",
                       "Entity %1 與 Relationship %2 之間的參與度未設定, 已更改為預設值 0,N"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "只是提醒, 不會擋下儲存或轉換: 這條連線還沒有參與度, 已自動填 0,N。請確認是否正確。"),
     "CheckDiagram", "PROJECT|WORKS_ON"},
    {QT_TRANSLATE_NOOP("CheckDiagram", "Entity %1 與 Relationship %2 為遞迴關係, 請設定角色"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "遞迴關係的兩條虛線都要有角色: 在連線上按右鍵選 Description, 例如 supervisor 與 "
         "supervisee。一對多時, 1 端那條連線的角色成為外鍵的名稱; 多對多時, "
         "兩個角色分別命名新關聯的兩組外鍵。"),
     "CheckDiagram", "EMPLOYEE|SUPERVISION"},
    {nullptr, QT_TRANSLATE_NOOP(
                  "HelpText",
                  "關聯綱要面板另列出不會擋下儲存的警告: 同名的實體或關係、同一元素的兩個同名屬性、"
                  "沒有部分鍵的弱實體、兩邊都完全參與的多對多關係、min 大於 max 的參與度。"
                  "它們多半是筆誤, 請再確認。")},
};

// ---- 轉換規則 ----

constexpr HelpItem kRules[] = {
    {nullptr, QT_TRANSLATE_NOOP(
                  "HelpText",
                  "Convert 把圖形轉換成關聯綱要, 寫成活頁簿: 每個外鍵畫一個箭頭指向它參照的主鍵, "
                  "「對映說明」工作表寫出每個欄位依哪條規則產生。規則依序為:")},
    {QT_TRANSLATE_NOOP("HelpText", "規則 1 實體"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "每個實體成為一個關聯, 欄位是它的屬性 (複合屬性以成分代替), 底線屬性為主鍵。")},
    {QT_TRANSLATE_NOOP("HelpText", "規則 2 弱實體"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "弱實體成為一個關聯, 加上擁有者的主鍵作為外鍵; 主鍵是部分鍵加上擁有者的主鍵。")},
    {QT_TRANSLATE_NOOP("HelpText", "規則 3 一對一關係"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "外鍵加在完全參與 (min 為 1) 的一端, 參照另一端的主鍵; 關係的屬性跟著加在同一個關聯。")},
    {QT_TRANSLATE_NOOP("HelpText", "規則 4 一對多關係"),
     QT_TRANSLATE_NOOP("HelpText",
                       "外鍵加在 N 端實體的關聯, 參照 1 端的主鍵; "
                       "關係的屬性跟著加入。遞迴關係的外鍵以角色命名。")},
    {QT_TRANSLATE_NOOP("HelpText", "規則 5 多對多關係"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "關係成為獨立的關聯, 兩端實體的主鍵作為外鍵, 合起來是主鍵, 再加上關係的屬性。")},
    {QT_TRANSLATE_NOOP("HelpText", "規則 6 多值屬性"),
     QT_TRANSLATE_NOOP("HelpText",
                       "多值屬性成為名為「多值屬性」加屬性名稱的關聯: 擁有者的主鍵 (外鍵) "
                       "和屬性值, 全部是主鍵。")},
    {QT_TRANSLATE_NOOP("HelpText", "規則 7 多元關係"),
     QT_TRANSLATE_NOOP(
         "HelpText",
         "三個以上實體參與的關係成為獨立的關聯, 含每個參與者的主鍵; 連線 max 為 N 的參與者"
         "的主鍵組成主鍵。")},
};

constexpr HelpItem kMouse[] = {
    {nullptr, QT_TRANSLATE_NOOP("HelpText",
                                "滑鼠: 滾輪捲動 (Shift+滾輪左右捲動), Ctrl+滾輪以指標為中心縮放; "
                                "在元素上按右鍵開啟它的選單, 按兩下 (或選取後按 F2) 在圖上改名, "
                                "Enter 確定, Esc 放棄; "
                                "在關係連線中段按右鍵開啟連線選單。")},
};

constexpr HelpSection kSections[] = {
    {"drawing", QT_TRANSLATE_NOOP("HelpText", "畫圖"), kDrawing},
    {"participation", QT_TRANSLATE_NOOP("HelpText", "參與度 min,max"), kParticipation},
    {"checks", QT_TRANSLATE_NOOP("HelpText", "檢查訊息"), kChecks},
    {"rules", QT_TRANSLATE_NOOP("HelpText", "轉換規則"), kRules},
};

}  // namespace

std::span<const HelpSection> helpSections() {
    return kSections;
}

QString helpShortcutsAnchor() {
    return QStringLiteral("shortcuts");
}

QString helpShortcutsTitle() {
    return QCoreApplication::translate("HelpText", "快速鍵");
}

std::span<const HelpItem> helpMouseItems() {
    return kMouse;
}

QString helpTerm(const HelpItem& item) {
    if (!item.term) return QString();
    QString term =
        QCoreApplication::translate(item.termContext ? item.termContext : "HelpText", item.term);
    if (item.termArguments)
        for (const QString& name : QString::fromUtf8(item.termArguments).split(QLatin1Char('|')))
            term = term.arg(name);
    return term;
}

QString helpText(const HelpItem& item) {
    return QCoreApplication::translate("HelpText", item.text);
}
