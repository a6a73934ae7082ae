#include "ziparchive.h"

#include <zlib.h>

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <atomic>
#include <limits>
#include <thread>

namespace {

constexpr qsizetype kWindow = 32 * 1024;

struct Slice {
    const QByteArray* data;
    qsizetype from, size;
    bool last;  // of its part: ends the deflate stream
    QByteArray deflated;
    uLong crc = 0;
};

// One slice as raw deflate data, primed with the 32 KiB before it. `scratch` is the thread's
// buffer for the deflated bytes: the slice keeps a copy of only what was written, so the memory
// the bound reserves is touched once per thread, not once per slice.
void deflateSlice(Slice& slice, QByteArray& scratch) {
    const auto* bytes = reinterpret_cast<const Bytef*>(slice.data->constData());
    slice.crc = crc32(crc32(0L, Z_NULL, 0), bytes + slice.from, uInt(slice.size));
    z_stream z{};
    deflateInit2(&z, 1, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    if (slice.from > 0) {
        const qsizetype window = std::min(kWindow, slice.from);
        deflateSetDictionary(&z, bytes + slice.from - window, uInt(window));
    }
    // deflateBound covers the stream's end; a sync flush adds at most a few bytes more.
    const qsizetype bound = qsizetype(deflateBound(&z, uLong(slice.size))) + 16;
    if (scratch.size() < bound) scratch.resize(bound);
    z.next_in = const_cast<Bytef*>(bytes + slice.from);
    z.avail_in = uInt(slice.size);
    z.next_out = reinterpret_cast<Bytef*>(scratch.data());
    z.avail_out = uInt(scratch.size());
    const int flush = slice.last ? Z_FINISH : Z_SYNC_FLUSH;
    while (deflate(&z, flush) == Z_OK && z.avail_out == 0) {
        // Never with the bound above; grows rather than cut the data should zlib ever need more.
        const qsizetype used = scratch.size();
        scratch.resize(used * 2);
        z.next_out = reinterpret_cast<Bytef*>(scratch.data() + used);
        z.avail_out = uInt(used);
    }
    slice.deflated = QByteArray(scratch.constData(), qsizetype(z.total_out));
    deflateEnd(&z);
}

// Runs every slice on all cores; the calling thread is one of them.
void deflateAll(std::vector<Slice>& slices) {
    std::atomic<size_t> next{0};
    const auto work = [&] {
        QByteArray scratch;
        for (size_t i = next++; i < slices.size(); i = next++) deflateSlice(slices[i], scratch);
    };
    const size_t threads =
        std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), slices.size());
    std::vector<std::thread> helpers;
    for (size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
}

void put16(QByteArray& out, quint32 value) {
    out += char(value & 0xFF);
    out += char((value >> 8) & 0xFF);
}

void put32(QByteArray& out, quint32 value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// The MS-DOS date and time the zip headers carry: now, in local time, to two seconds.
std::pair<quint32, quint32> dosDateTime() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    const quint32 date = quint32(std::max(d.year() - 1980, 0) << 9 | d.month() << 5 | d.day());
    const quint32 time = quint32(t.hour() << 11 | t.minute() << 5 | t.second() / 2);
    return {date, time};
}

// A part cut into slices of kSliceSize.
void sliceUp(const QByteArray& data, std::vector<Slice>& slices) {
    qsizetype from = 0;
    do {
        const qsizetype size = std::min(ZipArchive::kSliceSize, data.size() - from);
        slices.push_back({&data, from, size, from + size == data.size(), {}, 0});
        from += size;
    } while (from < data.size());
}

// The crc of a part whose slices were deflated.
uLong partCrc(const std::vector<Slice>& slices, size_t first, size_t end) {
    uLong crc = slices[first].crc;
    for (size_t s = first + 1; s < end; ++s)
        crc = crc32_combine(crc, slices[s].crc, z_off_t(slices[s].size));
    return crc;
}

constexpr quint16 kVersionNeeded = 20;  // 2.0: deflate
constexpr quint16 kUtf8Names = 0x0800;  // general purpose flag bit 11
constexpr quint16 kDeflated = 8;

}  // namespace

ZipArchive::Deflated ZipArchive::deflate(QByteArray data) {
    Deflated part;
    part.data = std::move(data);
    std::vector<Slice> slices;
    sliceUp(part.data, slices);
    QByteArray scratch;
    for (Slice& slice : slices) deflateSlice(slice, scratch);
    part.crc = quint32(partCrc(slices, 0, slices.size()));
    for (Slice& slice : slices) part.slices.push_back(std::move(slice.deflated));
    return part;
}

void ZipArchive::add(QByteArray name, QByteArray data) {
    parts_.push_back({std::move(name), std::move(data), std::nullopt});
}

void ZipArchive::add(QByteArray name, Deflated part) {
    QByteArray data = part.data;
    parts_.push_back({std::move(name), std::move(data), std::move(part)});
}

std::optional<QByteArray> ZipArchive::build(QString* error) const {
    const auto tooLarge = [error]() -> std::optional<QByteArray> {
        if (error)
            *error = QCoreApplication::translate("ZipArchive", "活頁簿超過 zip 檔 4 GiB 的上限");
        return std::nullopt;
    };
    constexpr qint64 kLimit = std::numeric_limits<quint32>::max();
    if (parts_.size() > 0xFFFF) return tooLarge();

    // The parts not deflated ahead, in slices on every core.
    std::vector<Slice> slices;
    std::vector<size_t> firstSlice;
    for (const Part& part : parts_) {
        if (part.data.size() >= kLimit) return tooLarge();
        firstSlice.push_back(slices.size());
        if (!part.deflated) sliceUp(part.data, slices);
    }
    firstSlice.push_back(slices.size());
    deflateAll(slices);

    const auto [date, time] = dosDateTime();
    QByteArray out;
    QByteArray directory;
    // Every part's deflated pieces and crc, from the slices above or deflated ahead.
    std::vector<std::vector<const QByteArray*>> pieces(parts_.size());
    std::vector<uLong> crcs(parts_.size());
    qsizetype total = 0;
    for (size_t p = 0; p < parts_.size(); ++p) {
        if (const auto& ahead = parts_[p].deflated) {
            for (const QByteArray& piece : ahead->slices) pieces[p].push_back(&piece);
            crcs[p] = ahead->crc;
        } else {
            for (size_t s = firstSlice[p]; s < firstSlice[p + 1]; ++s)
                pieces[p].push_back(&slices[s].deflated);
            crcs[p] = partCrc(slices, firstSlice[p], firstSlice[p + 1]);
        }
        for (const QByteArray* piece : pieces[p]) total += piece->size();
    }
    out.reserve(total + qsizetype(parts_.size()) * 128);
    for (size_t p = 0; p < parts_.size(); ++p) {
        const Part& part = parts_[p];
        const uLong crc = crcs[p];
        qint64 deflatedSize = 0;
        for (const QByteArray* piece : pieces[p]) deflatedSize += piece->size();
        const qint64 offset = out.size();
        if (deflatedSize >= kLimit || offset >= kLimit) return tooLarge();

        // The fields a local header and its central directory entry share, from the version
        // needed to the extra field's length (none).
        const auto putEntry = [&](QByteArray& to) {
            put16(to, kVersionNeeded);
            put16(to, kUtf8Names);
            put16(to, kDeflated);
            put16(to, time);
            put16(to, date);
            put32(to, quint32(crc));
            put32(to, quint32(deflatedSize));
            put32(to, quint32(part.data.size()));
            put16(to, quint32(part.name.size()));
            put16(to, 0);
        };

        // Local header, then the data.
        put32(out, 0x04034b50);
        putEntry(out);
        out += part.name;
        for (const QByteArray* piece : pieces[p]) out += *piece;

        // Its central directory entry: a regular file, readable by all (Unix attributes); no
        // comment, on the first disk.
        put32(directory, 0x02014b50);
        put16(directory, 3 << 8 | kVersionNeeded);
        putEntry(directory);
        put16(directory, 0);
        put16(directory, 0);
        put16(directory, 0);
        put32(directory, quint32(0100644) << 16);
        put32(directory, quint32(offset));
        directory += part.name;
    }
    const qint64 directoryOffset = out.size();
    if (directoryOffset + directory.size() >= kLimit) return tooLarge();
    out += directory;
    put32(out, 0x06054b50);
    put16(out, 0);
    put16(out, 0);
    put16(out, quint32(parts_.size()));
    put16(out, quint32(parts_.size()));
    put32(out, quint32(directory.size()));
    put32(out, quint32(directoryOffset));
    put16(out, 0);
    return out;
}
