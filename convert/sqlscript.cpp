#include "sqlscript.h"

#include <QCoreApplication>
#include <QSet>
#include <algorithm>
#include <limits>
#include <map>
#include <vector>

#include "mapping.h"
#include "module1.h"
#include "schematext.h"

std::optional<SqlDialect> sqlDialectFromName(const QString& name) {
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("sqlite")) return SqlDialect::SQLite;
    if (n == QLatin1String("postgresql")) return SqlDialect::PostgreSQL;
    if (n == QLatin1String("mysql")) return SqlDialect::MySQL;
    return std::nullopt;
}

namespace {

const QString kOne = QStringLiteral("1");

QString dialectName(SqlDialect dialect) {
    switch (dialect) {
        case SqlDialect::SQLite:
            return QStringLiteral("SQLite");
        case SqlDialect::PostgreSQL:
            return QStringLiteral("PostgreSQL");
        case SqlDialect::MySQL:
            return QStringLiteral("MySQL");
    }
    return QString();
}

// One foreign key: the columns of one group of a relation and the key columns they reference.
struct ForeignKeyPlan {
    int relation = 0;
    std::vector<int> columns;
    int referenced = -1;       // the referenced relation; -1 when there is none
    std::vector<int> targets;  // referenced columns, -1 where none was found
    QString problem;           // why the constraint cannot be written; empty when it can
    bool deferred = false;     // checked when the transaction ends (not in MySQL)
    Explanation why;
};

// An item of a CREATE TABLE: comment lines and the definition itself (empty: comments only).
struct TableItem {
    QStringList comments;
    QString text;
};

class ScriptWriter {
public:
    ScriptWriter(const RelationalModel& model, const Diagram& diagram, SqlDialect dialect,
                 QStringList* warnings)
        : m_(model), d_(diagram), dialect_(dialect), warnings_(warnings) {}

    QString run() {
        nameTables();
        for (size_t i = 0; i < m_.relations.size(); ++i) nameColumns(int(i));
        planForeignKeys();
        sizeColumns();

        QStringList out;
        out << comment(QCoreApplication::translate(
                           "SqlScript", "Relvane: 由 ER 圖轉換出的關聯模型, %1 的 SQL 指令碼")
                           .arg(dialectName(dialect_)));
        out << comment(
            QCoreApplication::translate(
                "SqlScript", "欄位型別一律暫寫為 %1, 請依每個欄位的資料自行選擇適當的型別.")
                .arg(columnType()));
        if (dialect_ == SqlDialect::MySQL)
            out << comment(QCoreApplication::translate(
                "SqlScript",
                "MySQL 的索引與一列的大小有上限: 超過的欄位改寫為較短的 VARCHAR 或 "
                "TEXT, 各有註解說明."));
        if (dialect_ == SqlDialect::SQLite) {
            out << comment(
                QCoreApplication::translate("SqlScript", "SQLite 要先開啟外鍵檢查, 外鍵才會生效."));
            out << QStringLiteral("PRAGMA foreign_keys = ON;");
        }
        for (size_t i = 0; i < m_.relations.size(); ++i) out << QString() << createTable(int(i));
        if (dialect_ != SqlDialect::SQLite) {
            QStringList alters;
            std::map<int, int> perTable;
            QSet<QString> constraints;
            for (const ForeignKeyPlan& fk : fks_) {
                alters << QString();
                if (const QString why = explanation(fk.why); !why.isEmpty()) alters << why;
                if (!fk.problem.isEmpty()) {
                    alters << comment(
                                  QCoreApplication::translate("SqlScript", "無法建立這個外鍵: ") +
                                  fk.problem)
                           << comment(alterText(fk, 0));
                } else {
                    alters << alterText(fk, ++perTable[fk.relation], &constraints);
                }
            }
            if (!alters.isEmpty()) {
                out << QString()
                    << comment(QCoreApplication::translate(
                           "SqlScript",
                           "外鍵在所有資料表建立之後才加上, 所以與資料表建立的順序無關."));
                out << alters;
            }
        }
        return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }

private:
    // ---- names ----

    QString quote(const QString& name) const {
        const QChar q = dialect_ == SqlDialect::MySQL ? QLatin1Char('`') : QLatin1Char('"');
        QString text = name;
        text.replace(q, QString(2, q));
        return q + text + q;
    }

    // The longest name the dialect keeps: PostgreSQL counts UTF-8 bytes, MySQL characters.
    qint64 nameLimit() const {
        switch (dialect_) {
            case SqlDialect::PostgreSQL:
                return 63;
            case SqlDialect::MySQL:
                return 64;
            case SqlDialect::SQLite:
                break;
        }
        return std::numeric_limits<qint64>::max();
    }
    int unitsOf(char32_t c) const {
        if (dialect_ != SqlDialect::PostgreSQL) return 1;
        return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    qint64 unitsOf(const QString& name) const {
        qint64 units = 0;
        for (char32_t c : name.toUcs4()) units += unitsOf(c);
        return units;
    }
    // MySQL keeps a table in a file named after it, every character but a-z, 0-9 and _ written
    // as five ("@8868"): a name of 51 Chinese characters makes a file name too long for the
    // system. Table names are kept to 250 such characters, room for the file's suffix.
    static constexpr int kTableFileNameLimit = 250;
    int fileUnitsOf(char32_t c) const {
        if (dialect_ != SqlDialect::MySQL || !namingTables_) return 0;
        const bool plain =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        return plain ? 1 : 5;
    }
    qint64 fileUnitsOf(const QString& name) const {
        qint64 units = 0;
        for (char32_t c : name.toUcs4()) units += fileUnitsOf(c);
        return units;
    }
    bool fits(const QString& name) const {
        return unitsOf(name) <= nameLimit() && fileUnitsOf(name) <= kTableFileNameLimit;
    }

    // `base` cut at a character boundary so that base + suffix fits, in one pass over it. A cut
    // that leaves spaces at the end loses them too: MySQL refuses a name ending in a space.
    QString shortened(const QString& base, const QString& suffix) const {
        if (fits(base + suffix)) return base + suffix;
        qint64 room = nameLimit() - unitsOf(suffix);
        qint64 fileRoom = kTableFileNameLimit - fileUnitsOf(suffix);
        QString kept;
        for (char32_t c : base.toUcs4()) {
            room -= unitsOf(c);
            fileRoom -= fileUnitsOf(c);
            if (room < 0 || fileRoom < 0) break;
            kept += QString::fromUcs4(&c, 1);
        }
        while (kept.endsWith(QLatin1Char(' '))) kept.chop(1);
        return kept + suffix;
    }

    // Names compare as the database compares them: SQLite and MySQL ignore case, MySQL also
    // accents. PostgreSQL keeps quoted names apart by case, but a script whose names differ only
    // by case would not run on the others, so it is kept to the same rule.
    QString compareKey(const QString& name) const {
        QString key = name.toCaseFolded();
        if (dialect_ == SqlDialect::MySQL) {
            QString plain;
            for (QChar c : key.normalized(QString::NormalizationForm_D))
                if (c.category() != QChar::Mark_NonSpacing) plain += c;
            key = plain;
        }
        return key;
    }

    // What cleaned() changed in a caption.
    struct Cleaning {
        bool controls = false;   // line breaks or other control characters became spaces
        bool beyondBmp = false;  // characters MySQL cannot name became "_"
        bool trimmed = false;    // spaces at either end went
    };

    // A caption as a name: line breaks and other control characters become spaces, spaces at
    // either end go (MySQL refuses a name ending in one), and MySQL's names hold no character
    // beyond the Basic Multilingual Plane.
    QString cleaned(const QString& caption, Cleaning* what = nullptr) const {
        Cleaning done;
        QString name;
        for (char32_t c : caption.toUcs4()) {
            if (c < 0x20 || c == 0x7f || c == 0x2028 || c == 0x2029 || (c >= 0x80 && c < 0xa0)) {
                name += QLatin1Char(' ');
                done.controls = true;
            } else if (dialect_ == SqlDialect::MySQL && c > 0xffff) {
                name += QLatin1Char('_');
                done.beyondBmp = true;
            } else {
                name += QString::fromUcs4(&c, 1);
            }
        }
        const QString trimmed = name.trimmed();
        done.trimmed = trimmed != name;
        if (what) *what = done;
        return trimmed;
    }

    // The name written for `caption`: cleaned, a placeholder when empty, shortened, then made
    // distinct from `used` (compare keys) by a numeric suffix. Each change adds a note.
    QString uniqueName(const QString& caption, const QString& placeholder, QSet<QString>& used,
                       const QSet<QString>& reserved, const QString& reservedWhy,
                       QStringList& notes) const {
        Cleaning changed;
        QString name = cleaned(caption, &changed);
        if (!name.isEmpty()) {
            // Each note says what was done; spaces trimmed alone are no control characters.
            if (changed.controls)
                notes << QCoreApplication::translate("SqlScript", "名稱含有換行或控制字元, 寫為 %1")
                             .arg(quote(name));
            if (changed.beyondBmp)
                notes << QCoreApplication::translate(
                             "SqlScript",
                             "MySQL 的名稱不能含有 U+FFFF 以後的字元, 以 _ 代替, 寫為 %1")
                             .arg(quote(name));
            if (changed.trimmed && !changed.controls)
                notes << QCoreApplication::translate("SqlScript", "名稱前後的空白已去除, 寫為 %1")
                             .arg(quote(name));
        }
        if (name.isEmpty()) {
            name = placeholder;
            notes << QCoreApplication::translate("SqlScript", "名稱是空白的, 暫以 %1 代替")
                         .arg(quote(name));
        }
        if (!fits(name)) {
            const QString longName = name;
            name = shortened(name, QString());
            notes << QCoreApplication::translate("SqlScript",
                                                 "名稱 %1 超過 %2 的長度上限, 縮短為 %3")
                         .arg(longName, dialectName(dialect_), quote(name));
        }
        const QString base = name;
        const bool clash = used.contains(compareKey(name));
        const bool isReserved = reserved.contains(compareKey(name));
        for (int n = 2; used.contains(compareKey(name)) || reserved.contains(compareKey(name)); ++n)
            name = shortened(base, QStringLiteral("_%1").arg(n));
        if (isReserved)
            notes << QCoreApplication::translate("SqlScript", "%1 %2, 改名為 %3")
                         .arg(quote(base), reservedWhy, quote(name));
        else if (clash)
            notes << QCoreApplication::translate("SqlScript",
                                                 "名稱 %1 與前面的名稱重複 (不分大小寫), 改名為 %2")
                         .arg(quote(base), quote(name));
        used.insert(compareKey(name));
        return name;
    }

    void nameTables() {
        QSet<QString> used;
        namingTables_ = true;
        tables_.resize(m_.relations.size());
        tableNotes_.resize(m_.relations.size());
        for (size_t i = 0; i < m_.relations.size(); ++i) {
            QString caption = m_.relations[i].name;
            // SQLite keeps names beginning with "sqlite_" for itself.
            if (dialect_ == SqlDialect::SQLite &&
                cleaned(caption).toCaseFolded().startsWith(QLatin1String("sqlite_"))) {
                tableNotes_[i] << QCoreApplication::translate(
                    "SqlScript", "SQLite 保留以 sqlite_ 開頭的名稱, 前面加上 t_");
                caption = QStringLiteral("t_") + cleaned(caption);
            }
            tables_[i] = uniqueName(caption, QStringLiteral("relation_%1").arg(i + 1), used, {},
                                    QString(), tableNotes_[i]);
        }
        namingTables_ = false;
    }

    void nameColumns(int r) {
        const Relation& relation = m_.relations[size_t(r)];
        // PostgreSQL refuses a column named like one of its system columns.
        static const QSet<QString> systemColumns{
            QStringLiteral("tableoid"), QStringLiteral("xmin"), QStringLiteral("cmin"),
            QStringLiteral("xmax"),     QStringLiteral("cmax"), QStringLiteral("ctid")};
        const QSet<QString> reserved =
            dialect_ == SqlDialect::PostgreSQL ? systemColumns : QSet<QString>();
        QSet<QString> used;
        std::vector<QString>& names = columns_[r];
        std::vector<QStringList>& notes = columnNotes_[r];
        names.resize(relation.columns.size());
        notes.resize(relation.columns.size());
        for (size_t c = 0; c < relation.columns.size(); ++c)
            names[c] = uniqueName(
                relation.columns[c].name, QStringLiteral("column_%1").arg(c + 1), used, reserved,
                QCoreApplication::translate("SqlScript", "是 PostgreSQL 的系統欄位名稱"), notes[c]);
    }

    QString columnList(int r, const std::vector<int>& columns) const {
        QStringList names;
        for (int c : columns)
            names << (c < 0 ? QStringLiteral("?") : quote(columns_.at(r)[size_t(c)]));
        return names.join(QStringLiteral(", "));
    }

    // ---- keys ----

    std::vector<int> keyColumns(int r) const {
        std::vector<int> out;
        const Relation& relation = m_.relations[size_t(r)];
        for (size_t c = 0; c < relation.columns.size(); ++c)
            if (relation.columns[c].key) out.push_back(int(c));
        return out;
    }

    // The live relationship connectors between `entity` and relationship r, lowest first; with
    // entity 0, all of r's.
    std::vector<int> connectors(int r, int entity = 0) const {
        std::vector<int> out;
        if (!d_.isElement(r)) return out;
        for (int k : d_.connectorsOf(r)) {
            if (!d_.isLiveConnector(k) || !d_.connector(k).isRelationship()) continue;
            const Connector& c = d_.connector(k);
            if (c.second == r && (!entity || c.first == entity)) out.push_back(k);
        }
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return out;
    }

    QString minOf(int k) const { return MinPart(d_.connector(k).MN.Caption); }
    QString maxOf(int k) const { return MaxPart(d_.connector(k).MN.Caption); }

    bool oneToOne(int r) const {
        const std::vector<int> ks = connectors(r);
        return ks.size() == 2 && maxOf(ks[0]) == kOne && maxOf(ks[1]) == kOne;
    }

    // MySQL checks every foreign key at once: one that closes a cycle of required ones must
    // stay nullable there, so that the rows of the cycle can be inserted and then joined.
    bool notNull(const Column& column) const {
        if (column.key) return true;
        return column.required && !(column.deferred && dialect_ == SqlDialect::MySQL);
    }

    // A shared subclass's key references one more superclass: the plan of its group again, to the
    // relation of that superclass and the columns there holding the same key.
    void planSharedKey(const Relation::SharedKey& shared) {
        const auto base = std::find_if(fks_.begin(), fks_.end(), [&](const ForeignKeyPlan& fk) {
            return !fk.columns.empty() && m_.relations[size_t(fk.relation)]
                                                  .columns[size_t(fk.columns.front())]
                                                  .references->group == shared.group;
        });
        if (base == fks_.end() || base->referenced < 0) return;
        ForeignKeyPlan fk = *base;
        fk.referenced = relationOfEntity(m_, shared.entity);
        const QString other =
            d_.isElement(shared.entity) ? d_.element(shared.entity).Caption : QString();
        fk.why.reason =
            QCoreApplication::translate("SqlScript", "共用子類別的主鍵也參照 %1").arg(other);
        fk.targets.clear();
        if (fk.referenced < 0) {
            fk.problem =
                QCoreApplication::translate("SqlScript", "被參照的 %1 沒有對應的關聯").arg(other);
        } else {
            const std::vector<Column>& columns = m_.relations[size_t(fk.relation)].columns;
            for (int c : fk.columns)
                fk.targets.push_back(columnHolding(m_.relations[size_t(fk.referenced)],
                                                   columns[size_t(c)].references->target));
            std::vector<int> referenced = fk.targets;
            std::sort(referenced.begin(), referenced.end());
            if (referenced != keyColumns(fk.referenced))
                fk.problem = QCoreApplication::translate("SqlScript",
                                                         "參照的欄位不是關聯 %1 的完整主鍵 (%2)")
                                 .arg(m_.relations[size_t(fk.referenced)].name,
                                      columnList(fk.referenced, keyColumns(fk.referenced)));
        }
        fks_.push_back(fk);
    }

    void planForeignKeys() {
        const std::vector<std::vector<ColumnReference>> references = columnReferences(m_);
        for (size_t r = 0; r < m_.relations.size(); ++r) {
            const Relation& relation = m_.relations[r];
            std::vector<int> groups;
            for (const Column& c : relation.columns)
                if (c.references &&
                    std::find(groups.begin(), groups.end(), c.references->group) == groups.end())
                    groups.push_back(c.references->group);
            for (int group : groups) {
                ForeignKeyPlan fk;
                fk.relation = int(r);
                for (size_t c = 0; c < relation.columns.size(); ++c)
                    if (relation.columns[c].references &&
                        relation.columns[c].references->group == group)
                        fk.columns.push_back(int(c));
                const Column& first = relation.columns[size_t(fk.columns.front())];
                fk.why = first.why;
                fk.deferred = first.deferred;
                const int entity = first.references->entity;
                if (references[r][size_t(fk.columns.front())].relationIndex < 0) {
                    fk.problem =
                        QCoreApplication::translate("SqlScript", "被參照的 %1 沒有對應的關聯")
                            .arg(d_.isElement(entity) ? d_.element(entity).Caption : QString());
                    fks_.push_back(fk);
                    continue;
                }
                fk.referenced = references[r][size_t(fk.columns.front())].relationIndex;
                const Relation& target = m_.relations[size_t(fk.referenced)];
                for (int c : fk.columns) fk.targets.push_back(references[r][size_t(c)].columnIndex);
                std::vector<int> key = keyColumns(fk.referenced);
                std::vector<int> referenced = fk.targets;
                std::sort(referenced.begin(), referenced.end());
                if (key.empty()) {
                    fk.problem =
                        QCoreApplication::translate("SqlScript", "被參照的關聯 %1 沒有主鍵")
                            .arg(target.name);
                } else if (referenced != key) {
                    fk.problem = QCoreApplication::translate(
                                     "SqlScript", "參照的欄位不是關聯 %1 的完整主鍵 (%2)")
                                     .arg(target.name, columnList(fk.referenced, key));
                } else {
                    // Pairs in the order of the referenced key, as MySQL looks for its index.
                    std::vector<size_t> order(fk.columns.size());
                    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
                    std::sort(order.begin(), order.end(),
                              [&](size_t a, size_t b) { return fk.targets[a] < fk.targets[b]; });
                    std::vector<int> columns, targets;
                    for (size_t i : order) {
                        columns.push_back(fk.columns[i]);
                        targets.push_back(fk.targets[i]);
                    }
                    fk.columns = columns;
                    fk.targets = targets;
                }
                fks_.push_back(fk);
            }
            for (const Relation::SharedKey& shared : relation.sharedKeys) planSharedKey(shared);
        }
        for (const ForeignKeyPlan& fk : fks_)
            if (!fk.problem.isEmpty())
                warn(QCoreApplication::translate("SqlScript",
                                                 "關聯 %1 的外鍵 (%2) 沒有寫成限制, 只寫成註解: %3")
                         .arg(m_.relations[size_t(fk.relation)].name,
                              columnList(fk.relation, fk.columns), fk.problem));
    }

    // ---- text ----

    QString columnType() const {
        return dialect_ == SqlDialect::SQLite ? QStringLiteral("TEXT")
                                              : QStringLiteral("VARCHAR(255)");
    }

    // Line comments: every line of `text` (line breaks of any kind) after "-- ", so that no
    // caption can end the comment and no "*/" matters.
    static QString comment(const QString& text, const QString& indent = QString()) {
        QString flat = text;
        flat.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        QStringList lines;
        QString line;
        for (QChar c : flat) {
            if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x2028) ||
                c == QChar(0x2029) || c == QChar(0x0b) || c == QChar(0x0c) || c == QChar(0x85)) {
                lines << line;
                line.clear();
            } else if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
                line += QLatin1Char(' ');
            } else {
                line += c;
            }
        }
        lines << line;
        for (QString& l : lines) l = indent + QStringLiteral("-- ") + l;
        return lines.join(QLatin1Char('\n'));
    }

    // String literals, quotes doubled; MySQL also reads backslashes as escapes.
    QString literals(const QStringList& values) const {
        QStringList out;
        for (QString v : values) {
            if (dialect_ == SqlDialect::MySQL) v.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
            v.replace(QLatin1Char('\''), QLatin1String("''"));
            out << QLatin1Char('\'') + v + QLatin1Char('\'');
        }
        return out.join(QStringLiteral(", "));
    }

    static QString explanation(const Explanation& why, const QString& indent = QString()) {
        const QString title = ruleTitle(why.rule);
        if (title.isEmpty() && why.reason.isEmpty()) return QString();
        if (title.isEmpty()) return comment(why.reason, indent);
        if (why.reason.isEmpty()) return comment(title, indent);
        return comment(title + QStringLiteral(": ") + why.reason, indent);
    }

    void warn(const QString& text) {
        if (warnings_) warnings_->append(text);
    }

    QString referencesText(const ForeignKeyPlan& fk) const {
        QString text =
            QStringLiteral("FOREIGN KEY (%1) REFERENCES ").arg(columnList(fk.relation, fk.columns));
        if (fk.referenced < 0) return text + QStringLiteral("?");
        text += QStringLiteral("%1 (%2)").arg(quote(tables_[size_t(fk.referenced)]),
                                              columnList(fk.referenced, fk.targets));
        if (fk.deferred && dialect_ != SqlDialect::MySQL)
            text += QStringLiteral(" DEFERRABLE INITIALLY DEFERRED");
        return text;
    }

    // ALTER TABLE ... ADD FOREIGN KEY; `number` counts the table's written foreign keys. MySQL
    // names a constraint table + "_ibfk_" + number, which must fit its 64 characters itself, and
    // a constraint's name must be unique in the whole database: two long table names cut to the
    // same beginning get a further number. `used` holds the names given so far (compare keys).
    QString alterText(const ForeignKeyPlan& fk, int number, QSet<QString>* used = nullptr) const {
        const QString table = tables_[size_t(fk.relation)];
        QString constraint;
        if (dialect_ == SqlDialect::MySQL && number > 0) {
            const QString suffix = QStringLiteral("_ibfk_%1").arg(number);
            QString name = table + suffix;
            if (!fits(name)) {
                name = shortened(table, suffix);
                for (int n = 2; used && used->contains(compareKey(name)); ++n)
                    name = shortened(table, suffix + QStringLiteral("_%1").arg(n));
                constraint = QStringLiteral("CONSTRAINT %1 ").arg(quote(name));
            }
            if (used) used->insert(compareKey(name));
        }
        return QStringLiteral("ALTER TABLE %1 ADD %2%3;")
            .arg(quote(table), constraint, referencesText(fk));
    }

    // MySQL's InnoDB indexes at most 3072 bytes, and utf8mb4 counts 4 bytes a character: four
    // VARCHAR(255) columns are too long for one key. Every column of a k-column index (primary
    // key, UNIQUE, or the index MySQL makes for a foreign key) gets at most 768 / k characters.
    void sizeColumns() {
        for (size_t r = 0; r < m_.relations.size(); ++r) {
            lengths_[int(r)].assign(m_.relations[r].columns.size(), kVarcharLength);
            indexed_[int(r)].assign(m_.relations[r].columns.size(), 0);
        }
        if (dialect_ != SqlDialect::MySQL) return;
        std::map<int, std::vector<bool>> inIndex;
        const auto fit = [&](int r, const std::vector<int>& columns) {
            const int most = kIndexBytes / kBytesPerCharacter / int(columns.size());
            inIndex[r].resize(m_.relations[size_t(r)].columns.size(), false);
            for (int c : columns) {
                inIndex[r][size_t(c)] = true;
                if (most >= lengths_[r][size_t(c)]) continue;
                lengths_[r][size_t(c)] = most;
                indexed_[r][size_t(c)] = int(columns.size());
            }
        };
        for (size_t r = 0; r < m_.relations.size(); ++r)
            if (const std::vector<int> key = keyColumns(int(r)); !key.empty()) fit(int(r), key);
        for (const ForeignKeyPlan& fk : fks_)
            if (fk.problem.isEmpty()) fit(fk.relation, fk.columns);

        // MySQL also holds at most 65,535 bytes of declared sizes a row, TEXT counting only a
        // few: a table of some sixty columns or more writes its unindexed columns as TEXT, from
        // the last one on, until it fits.
        const auto rowBytes = [](int length) {
            if (length == kText) return 12;
            return length * kBytesPerCharacter + (length * kBytesPerCharacter > 255 ? 2 : 1);
        };
        for (auto& [r, lengths] : lengths_) {
            const int most = kRowBytes - (int(lengths.size()) + 7) / 8;
            qint64 bytes = 0;
            for (int length : lengths) bytes += rowBytes(length);
            inIndex[r].resize(lengths.size(), false);
            for (size_t c = lengths.size(); c-- > 0 && bytes > most;) {
                if (inIndex[r][c]) continue;
                bytes -= rowBytes(lengths[c]) - rowBytes(kText);
                lengths[c] = kText;
            }
        }
    }

    QString columnType(int r, size_t c) const {
        if (dialect_ == SqlDialect::SQLite) return QStringLiteral("TEXT");
        if (lengths_.at(r)[c] == kText) return QStringLiteral("TEXT");
        return QStringLiteral("VARCHAR(%1)").arg(lengths_.at(r)[c]);
    }

    QString createTable(int r) {
        const Relation& relation = m_.relations[size_t(r)];
        QStringList out;
        if (const QString why = explanation(relation.why); !why.isEmpty()) out << why;
        for (const QString& note : tableNotes_[size_t(r)]) out << comment(note);
        const QString header = QStringLiteral("CREATE TABLE %1 (").arg(quote(tables_[size_t(r)]));
        if (relation.columns.empty()) {
            out << comment(QCoreApplication::translate("SqlScript",
                                                       "關聯 %1 沒有任何欄位, 無法建立資料表:")
                               .arg(relation.name))
                << comment(header + QStringLiteral(");"));
            warn(QCoreApplication::translate("SqlScript",
                                             "關聯 %1 沒有任何欄位, 它的 CREATE TABLE 只寫成註解")
                     .arg(relation.name));
            return out.join(QLatin1Char('\n'));
        }

        const QString indent = QStringLiteral("    ");
        std::vector<TableItem> items;
        for (size_t c = 0; c < relation.columns.size(); ++c) {
            TableItem item;
            for (const QString& note : columnNotes_.at(r)[c])
                item.comments << comment(note, indent);
            if (const int k = indexed_.at(r)[c])
                item.comments << comment(
                    QCoreApplication::translate(
                        "SqlScript",
                        "MySQL 的索引最多 %1 位元組, utf8mb4 每個字元佔 %2 位元組; 這個欄位在 %3 "
                        "個欄位的索引中, 所以最長 %4 個字元")
                        .arg(kIndexBytes)
                        .arg(kBytesPerCharacter)
                        .arg(k)
                        .arg(lengths_.at(r)[c]),
                    indent);
            if (lengths_.at(r)[c] == kText && dialect_ == SqlDialect::MySQL)
                item.comments << comment(
                    QCoreApplication::translate("SqlScript",
                                                "MySQL 的一列最多 %1 位元組, 這個資料表的欄位太多: "
                                                "這個不在索引中的欄位寫為 TEXT")
                        .arg(kRowBytes),
                    indent);
            const Column& column = relation.columns[c];
            if (dialect_ == SqlDialect::MySQL && column.deferred && !column.key) {
                const QString text = QCoreApplication::translate(
                    "SqlScript",
                    "%1 必須有值, 但它與其他不可為空的外鍵形成循環, 而 MySQL 不能把外鍵檢查延到交易"
                    "結束: 這裡允許空值, 先新增各列再補上");
                item.comments << comment(text.arg(columns_.at(r)[c]), indent);
                warn(QCoreApplication::translate("SqlScript", "關聯 %1: ").arg(relation.name) +
                     text.arg(columns_.at(r)[c]));
            }
            item.text = indent + quote(columns_.at(r)[c]) + QLatin1Char(' ') + columnType(r, c);
            if (notNull(column)) item.text += QStringLiteral(" NOT NULL");
            items.push_back(item);
        }
        const std::vector<int> key = keyColumns(r);
        if (key.empty()) {
            out << comment(
                QCoreApplication::translate("SqlScript", "關聯 %1 沒有主鍵").arg(relation.name));
            warn(QCoreApplication::translate("SqlScript",
                                             "關聯 %1 沒有主鍵, 資料表建立時不含 PRIMARY KEY")
                     .arg(relation.name));
        } else {
            TableItem item;
            item.text = indent + QStringLiteral("PRIMARY KEY (%1)").arg(columnList(r, key));
            items.push_back(item);
        }
        for (const ForeignKeyPlan& fk : fks_) {
            if (fk.relation != r) continue;
            const int by = relation.columns[size_t(fk.columns.front())].addedBy;
            if (!by || !oneToOne(by)) continue;
            TableItem item;
            item.comments << comment(
                QCoreApplication::translate("SqlScript", "一對一關係: 每一列參照的對象都不同"),
                indent);
            std::vector<int> columns = fk.columns;
            std::sort(columns.begin(), columns.end());
            item.text = indent + QStringLiteral("UNIQUE (%1)").arg(columnList(r, columns));
            items.push_back(item);
        }
        for (size_t c = 0; c < relation.columns.size(); ++c) {
            if (relation.columns[c].allowedValues.isEmpty()) continue;
            TableItem item;
            if (const QString why = explanation(relation.columns[c].why, indent); !why.isEmpty())
                item.comments << why;
            item.text = indent + QStringLiteral("CHECK (%1 IN (%2))")
                                     .arg(quote(columns_.at(r)[c]),
                                          literals(relation.columns[c].allowedValues));
            items.push_back(item);
        }
        if (dialect_ == SqlDialect::SQLite) {
            for (const ForeignKeyPlan& fk : fks_) {
                if (fk.relation != r) continue;
                TableItem item;
                const QString why = explanation(fk.why, indent);
                if (!why.isEmpty()) item.comments << why;
                if (fk.problem.isEmpty()) {
                    item.text = indent + referencesText(fk);
                } else {
                    item.comments << comment(QCoreApplication::translate("SqlScript",
                                                                         "無法建立這個外鍵: ") +
                                                 fk.problem,
                                             indent)
                                  << comment(referencesText(fk), indent);
                }
                items.push_back(item);
            }
        }

        out << header;
        for (size_t i = 0; i < items.size(); ++i) {
            out << items[i].comments;
            if (items[i].text.isEmpty()) continue;
            bool more = false;
            for (size_t j = i + 1; j < items.size() && !more; ++j) more = !items[j].text.isEmpty();
            out << items[i].text + (more ? QStringLiteral(",") : QString());
        }
        out << QStringLiteral(");");
        return out.join(QLatin1Char('\n'));
    }

    const RelationalModel& m_;
    const Diagram& d_;
    SqlDialect dialect_;
    QStringList* warnings_;
    std::vector<QString> tables_;
    std::vector<QStringList> tableNotes_;
    std::map<int, std::vector<QString>> columns_;
    std::map<int, std::vector<QStringList>> columnNotes_;
    std::vector<ForeignKeyPlan> fks_;
    std::map<int, std::vector<int>> lengths_;  // VARCHAR length of every column
    std::map<int, std::vector<int>> indexed_;  // columns of the index that shortened it, or 0

    bool namingTables_ = false;  // the names being given are table names
    static constexpr int kVarcharLength = 255;
    static constexpr int kIndexBytes = 3072;
    static constexpr int kBytesPerCharacter = 4;
    static constexpr int kRowBytes = 65535;
    static constexpr int kText = 0;  // a length that stands for TEXT
};

}  // namespace

QString sqlScript(const RelationalModel& model, const Diagram& diagram, SqlDialect dialect,
                  QStringList* warnings) {
    return ScriptWriter(model, diagram, dialect, warnings).run();
}

std::optional<QString> sqlScriptRefusal(const RelationalModel& model, SqlDialect dialect) {
    // The most columns a table may have: PostgreSQL's limit, SQLite's default build, InnoDB's.
    const size_t most = dialect == SqlDialect::PostgreSQL ? 1600
                        : dialect == SqlDialect::SQLite   ? 2000
                                                          : 1017;
    for (const Relation& relation : model.relations)
        if (relation.columns.size() > most)
            return QCoreApplication::translate(
                       "SqlScript", "關聯 %1 有 %2 個欄位, %3 的資料表最多只能有 %4 個欄位")
                .arg(relation.name)
                .arg(relation.columns.size())
                .arg(dialectName(dialect))
                .arg(most);
    return std::nullopt;
}
