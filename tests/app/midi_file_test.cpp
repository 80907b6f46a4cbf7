// MIDI file checks: lengths in ticks as FluidSynth's player counts them, and refused files.
#include "music/MidiFile.h"

#include <QTest>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes BigEndian(std::uint32_t value, int count)
{
    Bytes out;
    for (int i = count - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    return out;
}

Bytes Header(int format, int tracks, int division = 480, std::uint32_t length = 6)
{
    return Bytes{'M', 'T', 'h', 'd'} + BigEndian(length, 4) + BigEndian(static_cast<std::uint32_t>(format), 2) +
           BigEndian(static_cast<std::uint32_t>(tracks), 2) + BigEndian(static_cast<std::uint32_t>(division), 2);
}

Bytes Chunk(const char* type, const Bytes& body)
{
    return Bytes(type, type + 4) + BigEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

const Bytes EndOfTrack = {0x00, 0xFF, 0x2F, 0x00};
const Bytes Note = {0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0};  // a quarter note: 480 ticks

}  // namespace

Q_DECLARE_METATYPE(Bytes)

class MidiFileTest : public QObject {
    Q_OBJECT

private slots:
    void readsLengthsAndRefusesDamage_data()
    {
        QTest::addColumn<Bytes>("file");
        QTest::addColumn<int>("ticks");       // when the file is accepted
        QTest::addColumn<QString>("reason");  // "" when the file is accepted

        QTest::newRow("one quarter note") << Header(0, 1) + Chunk("MTrk", Note + EndOfTrack) << 480 << "";
        QTest::newRow("end of track after a pause")
            << Header(0, 1) + Chunk("MTrk", Note + Bytes{0x83, 0x60, 0xFF, 0x2F, 0x00}) << 960 << "";
        QTest::newRow("longest of three tracks, one empty")
            << Header(1, 3) + Chunk("MTrk", EndOfTrack) + Chunk("MTrk", Note + Note + EndOfTrack) +
                   Chunk("MTrk", Note + EndOfTrack)
            << 960 << "";
        QTest::newRow("running status")
            << Header(0, 1) + Chunk("MTrk", Bytes{0x00, 0x90, 60, 100, 0x83, 0x60, 60, 0, 0x10, 64, 100, 0x10, 64, 0} + EndOfTrack)
            << 512 << "";
        QTest::newRow("one-byte messages, system exclusive and meta events")
            << Header(0, 1) + Chunk("MTrk", Bytes{0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xC0, 5, 0x10, 0xD0, 64,
                                                  0x10, 0xFF, 0x03, 0x02, 'h', 'i', 0x10, 0xF7, 0x01, 0xF7} +
                                               EndOfTrack)
            << 48 << "";
        QTest::newRow("unknown chunk skipped")
            << Header(0, 1) + Chunk("XFIH", Bytes{1, 2, 3}) + Chunk("MTrk", Note + EndOfTrack) << 480 << "";
        QTest::newRow("longer header") << Header(0, 1, 480, 8) + Bytes{0, 0} + Chunk("MTrk", Note + EndOfTrack) << 480 << "";
        QTest::newRow("bytes after the end of track") << Header(0, 1) + Chunk("MTrk", Note + EndOfTrack + Bytes{0x83, 0x60, 0x90})
                                                      << 480 << "";
        QTest::newRow("no end of track event") << Header(0, 1) + Chunk("MTrk", Note) << 480 << "";

        QTest::newRow("empty") << Bytes{} << 0 << "not a MIDI file";
        QTest::newRow("header cut short") << Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0} << 0 << "not a MIDI file";
        QTest::newRow("text") << Bytes(20, 'x') << 0 << "not a MIDI file";
        QTest::newRow("header length 5") << Header(0, 1, 480, 5) + Chunk("MTrk", EndOfTrack) << 0 << "header too short";
        QTest::newRow("SMPTE timing") << Header(0, 1, 0xE728) + Chunk("MTrk", EndOfTrack) << 0 << "SMPTE";
        QTest::newRow("zero division") << Header(0, 1, 0) + Chunk("MTrk", EndOfTrack) << 0 << "zero ticks per quarter";
        QTest::newRow("format 3") << Header(3, 1) + Chunk("MTrk", EndOfTrack) << 0 << "unknown MIDI file format 3";
        QTest::newRow("no tracks") << Header(0, 0) << 0 << "no tracks";
        QTest::newRow("tracks of no length") << Header(1, 2) + Chunk("MTrk", EndOfTrack) + Chunk("MTrk", Bytes{0x00, 0xC0, 5} + EndOfTrack)
                                             << 0 << "lasts 0 ticks";
        QTest::newRow("second track missing") << Header(1, 2) + Chunk("MTrk", EndOfTrack) << 0 << "track 2 of 2 is missing";
        QTest::newRow("track longer than the file")
            << Header(0, 1) + Bytes{'M', 'T', 'r', 'k', 0, 0, 1, 0} + EndOfTrack << 0 << "runs past the end of the file";
        QTest::newRow("event cut short") << Header(0, 1) + Chunk("MTrk", Bytes{0x00, 0x90, 60}) << 0 << "ends inside an event";
        QTest::newRow("data byte without status") << Header(0, 1) + Chunk("MTrk", Bytes{0x00, 60, 100} + EndOfTrack) << 0
                                                  << "no status";
        QTest::newRow("five-byte time") << Header(0, 1) + Chunk("MTrk", Bytes{0x81, 0x81, 0x81, 0x81, 0x01} + EndOfTrack)
                                        << 0 << "event time";
        QTest::newRow("meta event cut short") << Header(0, 1) + Chunk("MTrk", Bytes{0x00, 0xFF, 0x01, 0x09, 'a'}) << 0
                                              << "meta event";
        QTest::newRow("system exclusive cut short") << Header(0, 1) + Chunk("MTrk", Bytes{0x00, 0xF0, 0x09, 1}) << 0
                                                    << "system exclusive";
        QTest::newRow("real-time message in a file") << Header(0, 1) + Chunk("MTrk", Bytes{0x00, 0xF8} + EndOfTrack) << 0
                                                     << "real-time";
    }
    void readsLengthsAndRefusesDamage()
    {
        QFETCH(Bytes, file);
        QFETCH(int, ticks);
        QFETCH(QString, reason);
        korvan::MidiFileInfo info;
        const QString found = QString::fromStdString(korvan::ReadMidiFile(file, info));
        if (reason.isEmpty()) {
            QCOMPARE(found, QString());
            QCOMPARE(info.TotalTicks, ticks);
            QCOMPARE(info.Division, 480);
        } else {
            QVERIFY2(found.contains(reason), qPrintable(found));
        }
    }
};

QTEST_MAIN(MidiFileTest)
#include "midi_file_test.moc"
