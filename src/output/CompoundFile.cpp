#include "output/CompoundFile.h"

#include <QtEndian>

namespace
{
constexpr quint32 FreeSect = 0xFFFFFFFF;
constexpr quint32 EndOfChain = 0xFFFFFFFE;
constexpr quint32 FatSect = 0xFFFFFFFD;
constexpr quint32 DifSect = 0xFFFFFFFC;
constexpr quint32 NoStream = 0xFFFFFFFF;
constexpr int SectorSize = 512;
constexpr int IdsPerSector = SectorSize / 4;
constexpr int HeaderDifatEntries = 109;
constexpr int MiniStreamCutoff = 4096;

void put16(QByteArray &b, quint16 v)
{
    char d[2];
    qToLittleEndian(v, d);
    b.append(d, 2);
}

void put32(QByteArray &b, quint32 v)
{
    char d[4];
    qToLittleEndian(v, d);
    b.append(d, 4);
}

QByteArray directoryEntry(const QString &name, quint8 type, quint32 child, quint32 start, quint32 size)
{
    QByteArray e;
    QByteArray n(64, '\0');
    const int chars = std::min<int>(31, static_cast<int>(name.size()));
    for (int i = 0; i < chars; ++i)
        qToLittleEndian<quint16>(name[i].unicode(), n.data() + 2 * i);
    e += n;
    put16(e, type == 0 ? 0 : static_cast<quint16>(2 * (chars + 1)));
    e += char(type);
    e += char(1); // black
    put32(e, NoStream);
    put32(e, NoStream);
    put32(e, child);
    e += QByteArray(16 + 4 + 16, '\0'); // class id, state, times
    put32(e, start);
    put32(e, size);
    put32(e, 0);
    return e;
}

int sectorsFor(qsizetype bytes)
{
    return static_cast<int>((bytes + SectorSize - 1) / SectorSize);
}
} // namespace

QByteArray compoundFileWithStream(const QString &streamName, QByteArray stream)
{
    if (stream.size() < MiniStreamCutoff)
        stream.append(QByteArray(MiniStreamCutoff - stream.size(), '\0'));
    const quint32 streamSize = static_cast<quint32>(stream.size());
    const int streamSectors = sectorsFor(stream.size());
    // Sectors: the stream, one directory sector, the FAT, the DIFAT beyond the header's 109 entries.
    int fatSectors = 1, difatSectors = 0;
    for (;;) {
        const int total = streamSectors + 1 + fatSectors + difatSectors;
        const int needFat = (total + IdsPerSector - 1) / IdsPerSector;
        const int needDifat = needFat > HeaderDifatEntries
                                  ? (needFat - HeaderDifatEntries + IdsPerSector - 2) / (IdsPerSector - 1)
                                  : 0;
        if (needFat == fatSectors && needDifat == difatSectors)
            break;
        fatSectors = needFat;
        difatSectors = needDifat;
    }
    const quint32 dirSector = static_cast<quint32>(streamSectors);
    const quint32 firstFat = dirSector + 1;
    const quint32 firstDifat = firstFat + static_cast<quint32>(fatSectors);

    QByteArray out;
    out.reserve((1 + streamSectors + 1 + fatSectors + difatSectors) * SectorSize);
    // Header.
    out += QByteArray::fromHex("D0CF11E0A1B11AE1");
    out += QByteArray(16, '\0');
    put16(out, 0x003E);
    put16(out, 0x0003);
    put16(out, 0xFFFE);
    put16(out, 9); // 512-byte sectors
    put16(out, 6); // 64-byte mini sectors
    out += QByteArray(6, '\0');
    put32(out, 0); // directory sectors (version 3: 0)
    put32(out, static_cast<quint32>(fatSectors));
    put32(out, dirSector);
    put32(out, 0);
    put32(out, MiniStreamCutoff);
    put32(out, EndOfChain); // no mini FAT
    put32(out, 0);
    put32(out, difatSectors ? firstDifat : EndOfChain);
    put32(out, static_cast<quint32>(difatSectors));
    for (int i = 0; i < HeaderDifatEntries; ++i)
        put32(out, i < fatSectors ? firstFat + static_cast<quint32>(i) : FreeSect);

    // The stream, padded to whole sectors.
    out += stream;
    out += QByteArray(streamSectors * SectorSize - stream.size(), '\0');

    // Directory: the root, the stream, two unused entries.
    out += directoryEntry(QStringLiteral("Root Entry"), 5, 1, EndOfChain, 0);
    out += directoryEntry(streamName, 2, NoStream, 0, streamSize);
    out += directoryEntry(QString(), 0, NoStream, 0, 0);
    out += directoryEntry(QString(), 0, NoStream, 0, 0);

    // FAT.
    QByteArray fat;
    for (int i = 0; i < streamSectors; ++i)
        put32(fat, i + 1 < streamSectors ? static_cast<quint32>(i + 1) : EndOfChain);
    put32(fat, EndOfChain); // directory
    for (int i = 0; i < fatSectors; ++i)
        put32(fat, FatSect);
    for (int i = 0; i < difatSectors; ++i)
        put32(fat, DifSect);
    while (fat.size() < fatSectors * SectorSize)
        put32(fat, FreeSect);
    out += fat;

    // DIFAT sectors: 127 FAT sector numbers each, then the next DIFAT sector.
    int fatIndex = HeaderDifatEntries;
    for (int d = 0; d < difatSectors; ++d) {
        for (int i = 0; i < IdsPerSector - 1; ++i, ++fatIndex)
            put32(out, fatIndex < fatSectors ? firstFat + static_cast<quint32>(fatIndex) : FreeSect);
        put32(out, d + 1 < difatSectors ? firstDifat + static_cast<quint32>(d + 1) : EndOfChain);
    }
    return out;
}
