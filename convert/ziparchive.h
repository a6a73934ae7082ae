#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// A zip archive assembled in memory from whole parts, each deflated at the fastest level. Large
// parts are deflated in slices on every core at once: each slice continues the one before it
// (it starts from that slice's last 32 KiB as its dictionary and ends on a byte boundary), so the
// slices join into one ordinary deflate stream that any unzip reads.
class ZipArchive {
public:
    // A part deflated ahead of build() on the thread that made it, so that deflating a large part
    // overlaps the making of the others.
    class Deflated {
        friend class ZipArchive;
        QByteArray data;
        std::vector<QByteArray> slices;  // deflated, in order
        quint32 crc = 0;
    };
    static Deflated deflate(QByteArray data);

    void add(QByteArray name, QByteArray data);
    void add(QByteArray name, Deflated part);

    // The archive's bytes; nullopt (with `error` set) when it would need the zip64 extensions
    // (a part or the whole archive of 4 GiB or more, or more than 65,535 parts).
    std::optional<QByteArray> build(QString* error = nullptr) const;

    // Slices of this size are deflated separately; smaller parts are one slice.
    static constexpr qsizetype kSliceSize = qsizetype(1) << 20;

private:
    struct Part {
        QByteArray name;
        QByteArray data;
        std::optional<Deflated> deflated;  // none: deflated by build()
    };
    std::vector<Part> parts_;
};
