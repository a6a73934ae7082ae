#include "recoverysnapshot.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>

namespace {

// The file starts with the magic and the format number; the checksum of everything after the
// header comes last, so a damaged file is refused before any of it is used.
constexpr char kMagic[] = "RELVANE-RECOVERY";
// Format 1 had no store for the project's stored name; such a project is then saved as new.
// Formats 1 and 2 kept a text tag on every element (the own colour of a highlighted one) and on
// every line (its connector's two ends, "a,b"); both are read and dropped.
// Format 4 added the enhanced-ER circles' choices to every element and the superclass and
// subclass lines; older files hold neither, so their elements keep the defaults.
constexpr quint32 kFormat = 4;
constexpr quint32 kFirstFormat = 1;
constexpr quint32 kFirstUntaggedFormat = 3;
constexpr quint32 kFirstClassFormat = 4;
constexpr QDataStream::Version kStreamVersion = QDataStream::Qt_6_0;
// No count in a file written by this program passes the model's own limits.
constexpr quint32 kMostEntries = quint32(Document::kLargestIndex) + 1;

void write(QDataStream& out, const Collection& c) {
    out << quint32(c.count());
    for (const Collection::Entry& entry : c.entries()) out << entry.item << entry.key;
}

bool read(QDataStream& in, Collection& c) {
    quint32 count = 0;
    in >> count;
    if (count > kMostEntries) return false;
    for (quint32 n = 0; n < count && in.status() == QDataStream::Ok; ++n) {
        qint16 item = 0;
        QString key;
        in >> item >> key;
        if (!c.add(item, key)) return false;
    }
    return in.status() == QDataStream::Ok;
}

// Every field, in declaration order; reading uses the same order. `tagged`: the older formats'
// tag sits where it stood (its text is dropped).
template <typename Stream, typename E>
void elementFields(Stream& s, E& e, bool tagged) {
    QString tag;
    s& e.Shape& e.Caption& e.BackColor& e.ForeColor;
    if (tagged) s& tag;
    s& e.Font& e.BorderStyle& e.IsSizeLock& e.Visible& e.Left& e.Top& e.Width& e.Height& e
        .RecWidth& e.EllWidth& e.DiaWidth;
}

template <typename Stream, typename L>
void lineFields(Stream& s, L& l, bool tagged) {
    QString tag;
    s& l.X1& l.Y1& l.X2& l.Y2& l.BorderColor& l.BorderStyle& l.Visible;
    if (tagged) s& tag;
}

template <typename Stream, typename L>
void labelFields(Stream& s, L& l) {
    s& l.Caption& l.Left& l.Top& l.Width& l.Height& l.Visible;
}

// `&` on these adapters streams one field out or in, so one list of fields serves both ways.
struct Out {
    QDataStream& s;
    template <typename T>
    Out& operator&(const T& v) {
        s << v;
        return *this;
    }
};
struct In {
    QDataStream& s;
    template <typename T>
    In& operator&(T& v) {
        s >> v;
        return *this;
    }
};

// A specialization or category circle's choices, kept on every element.
template <typename Stream, typename E>
void circleFields(Stream& s, E& e) {
    s& e.Overlapping& e.Total& e.Mapping& e.DefiningAttribute;
}

void write(QDataStream& out, const Element& e) {
    Out o{out};
    elementFields(o, e, false);
    circleFields(o, e);
    for (const Collection* c : {&e.AttributeList, &e.RelationList, &e.RelativeEntityList,
                                &e.PrimaryEntityList, &e.WeakRelationList, &e.WeakEntityList})
        write(out, *c);
}

bool read(QDataStream& in, Element& e, quint32 format) {
    In i{in};
    elementFields(i, e, format < kFirstUntaggedFormat);
    if (format >= kFirstClassFormat) {
        circleFields(i, e);
        if (qint8(e.Mapping) < qint8(SubclassMapping::SuperclassAndSubclasses) ||
            qint8(e.Mapping) > qint8(SubclassMapping::TypeFlags))
            return false;
    }
    e.newCollections();
    for (Collection* c : {&e.AttributeList, &e.RelationList, &e.RelativeEntityList,
                          &e.PrimaryEntityList, &e.WeakRelationList, &e.WeakEntityList})
        if (!read(in, *c)) return false;
    return in.status() == QDataStream::Ok;
}

void write(QDataStream& out, const Connector& c) {
    Out o{out};
    lineFields(o, c.Line1, false);
    lineFields(o, c.Line2, false);
    labelFields(o, c.MN);
    labelFields(o, c.Description);
    out << qint8(c.kind) << c.first << c.second;
}

bool read(QDataStream& in, Connector& c, quint32 format) {
    const bool tagged = format < kFirstUntaggedFormat;
    In i{in};
    lineFields(i, c.Line1, tagged);
    lineFields(i, c.Line2, tagged);
    labelFields(i, c.MN);
    labelFields(i, c.Description);
    qint8 kind = 0;
    in >> kind >> c.first >> c.second;
    const ConnectorKind last =
        format >= kFirstClassFormat ? ConnectorKind::Subclass : ConnectorKind::Relationship;
    if (kind < qint8(ConnectorKind::None) || kind > qint8(last)) return false;
    c.kind = ConnectorKind(kind);
    return in.status() == QDataStream::Ok;
}

QByteArray encodeBody(const RecoverySnapshot& snapshot) {
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out << snapshot.projectName << snapshot.project.name << snapshot.project.stored
        << snapshot.project.store << snapshot.project.draft << qint32(snapshot.presentStyle);
    const Document& doc = snapshot.document;
    out << quint32(doc.elementCount());
    for (int i = 0; i < doc.elementCount(); ++i) write(out, doc.element(i));
    out << quint32(doc.connectorCount());
    for (int k = 0; k < doc.connectorCount(); ++k) write(out, doc.connector(k));
    return body;
}

// Entry 0 of each list is the template the document already has a place for.
bool decodeBody(QDataStream& in, quint32 format, RecoverySnapshot& snapshot) {
    qint32 presentStyle = 1;
    in >> snapshot.projectName >> snapshot.project.name >> snapshot.project.stored;
    if (format >= 2) in >> snapshot.project.store >> snapshot.project.draft;
    in >> presentStyle;
    snapshot.presentStyle = presentStyle;
    Document& doc = snapshot.document;
    quint32 elements = 0;
    in >> elements;
    if (elements < 1 || elements > kMostEntries) return false;
    for (quint32 i = 0; i < elements; ++i) {
        Element e;
        if (!read(in, e, format)) return false;
        if (i == 0)
            doc.element(0) = e;
        else
            doc.appendElement(e);
    }
    quint32 connectors = 0;
    in >> connectors;
    if (connectors < 1 || connectors > kMostEntries) return false;
    for (quint32 k = 0; k < connectors; ++k) {
        Connector c;
        if (!read(in, c, format)) return false;
        if (k == 0)
            doc.connector(0) = c;
        else
            doc.appendConnector(c);
    }
    return in.status() == QDataStream::Ok && in.atEnd();
}

}  // namespace

QByteArray encodeSnapshot(const RecoverySnapshot& snapshot) {
    const QByteArray body = encodeBody(snapshot);
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(kStreamVersion);
    out.writeRawData(kMagic, int(sizeof kMagic - 1));
    out << kFormat << body << quint32(qChecksum(body));
    return bytes;
}

std::optional<RecoverySnapshot> decodeSnapshot(const QByteArray& bytes, QString* problem) {
    const auto refuse = [problem](const QString& why) -> std::optional<RecoverySnapshot> {
        if (problem) *problem = why;
        return std::nullopt;
    };
    const int magicSize = int(sizeof kMagic - 1);
    if (!bytes.startsWith(QByteArray(kMagic, magicSize)))
        return refuse(QCoreApplication::translate("RecoverySnapshot", "不是 Relvane 的復原檔"));
    QDataStream in(bytes);
    in.setVersion(kStreamVersion);
    in.skipRawData(magicSize);
    quint32 format = 0;
    in >> format;
    if (format < kFirstFormat || format > kFormat)
        return refuse(QCoreApplication::translate("RecoverySnapshot", "復原檔的格式 %1 無法讀取")
                          .arg(format));
    QByteArray body;
    quint32 checksum = 0;
    in >> body >> checksum;
    if (in.status() != QDataStream::Ok || checksum != quint32(qChecksum(body)))
        return refuse(QCoreApplication::translate("RecoverySnapshot", "復原檔已損壞"));
    RecoverySnapshot snapshot;
    QDataStream bodyIn(body);
    bodyIn.setVersion(kStreamVersion);
    if (!decodeBody(bodyIn, format, snapshot))
        return refuse(QCoreApplication::translate("RecoverySnapshot", "復原檔已損壞"));
    return snapshot;
}
