#pragma once

// Small wave and MIDI files made on the spot, so that the tests depend on no data file.

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

namespace AudioTestFiles
{
inline void PutLe(QByteArray& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

inline void PutBe(QByteArray& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char((value >> (8 * i)) & 0xFF));
}

inline void PutVariableLength(QByteArray& out, uint32_t value)
{
    char bytes[5];
    int count = 0;
    bytes[count++] = char(value & 0x7F);
    while (value >>= 7)
        bytes[count++] = char(0x80 | (value & 0x7F));
    while (count)
        out.append(bytes[--count]);
}

inline bool WriteFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// A 16-bit mono tone of the given length.
inline QByteArray WaveTone(int milliseconds, double hertz = 440.0)
{
    constexpr uint32_t rate = 22050;
    const uint32_t samples = rate * uint32_t(milliseconds) / 1000;
    QByteArray out("RIFF");
    PutLe(out, 36 + samples * 2, 4);
    out.append("WAVEfmt ");
    PutLe(out, 16, 4);
    PutLe(out, 1, 2); // PCM
    PutLe(out, 1, 2); // mono
    PutLe(out, rate, 4);
    PutLe(out, rate * 2, 4);
    PutLe(out, 2, 2);
    PutLe(out, 16, 2);
    out.append("data");
    PutLe(out, samples * 2, 4);
    for (uint32_t i = 0; i < samples; ++i)
        PutLe(out, uint32_t(int16_t(8000 * std::sin(2 * M_PI * hertz * i / rate))) & 0xFFFF, 2);
    return out;
}

// A one-track standard MIDI file: one woodblock note every half second, its last event after
// `seconds`. The woodblock dies away at once, so the synthesizer ends the song about two seconds
// after its last event (a piano would ring on for one more).
inline QByteArray MidiSong(double seconds)
{
    constexpr int ticksPerQuarter = 480; // 120 beats a minute: a quarter lasts 0.5 s
    const int totalTicks = int(seconds * 2 * ticksPerQuarter);
    QByteArray track;
    PutVariableLength(track, 0);
    track.append("\xC0\x73", 2); // woodblock
    int tick = 0;
    int note = 0;
    while (tick < totalTicks) {
        const int length = std::min(ticksPerQuarter, totalTicks - tick);
        PutVariableLength(track, 0);
        track.append(char(0x90));
        track.append(char(60 + note % 12));
        track.append(char(90));
        PutVariableLength(track, uint32_t(length));
        track.append(char(0x80));
        track.append(char(60 + note % 12));
        track.append(char(0));
        tick += length;
        ++note;
    }
    PutVariableLength(track, 0);
    track.append("\xFF\x2F\x00", 3);

    QByteArray out("MThd");
    PutBe(out, 6, 4);
    PutBe(out, 0, 2); // one track
    PutBe(out, 1, 2);
    PutBe(out, ticksPerQuarter, 2);
    out.append("MTrk");
    PutBe(out, uint32_t(track.size()), 4);
    out.append(track);
    return out;
}

// A one-track standard MIDI file that sounds without a break from its first moment to its last:
// one organ note held for `seconds` at 120 beats a minute, released exactly with the end of the
// track. Played in a loop it must not fall silent at the seam.
inline QByteArray MidiHeldNote(double seconds)
{
    constexpr int ticksPerQuarter = 480;
    const int totalTicks = int(seconds * 2 * ticksPerQuarter + 0.5);
    QByteArray track;
    PutVariableLength(track, 0);
    track.append("\xC0\x13", 2); // church organ
    PutVariableLength(track, 0);
    track.append("\x90\x3C\x64", 3);
    PutVariableLength(track, uint32_t(totalTicks));
    track.append("\x80\x3C\x00", 3);
    PutVariableLength(track, 0);
    track.append("\xFF\x2F\x00", 3);

    QByteArray out("MThd");
    PutBe(out, 6, 4);
    PutBe(out, 0, 2);
    PutBe(out, 1, 2);
    PutBe(out, ticksPerQuarter, 2);
    out.append("MTrk");
    PutBe(out, uint32_t(track.size()), 4);
    out.append(track);
    return out;
}

// What a burst song repeats at one moment.
enum class TBurst
{
    Controllers, // volume changes
    Notes,       // a note struck and released
    Resets,      // General MIDI system on
    Tunings,     // a real-time single-note tuning change
};

// Legal but awkward: `count` messages of one kind, spread over the first `ticks` ticks at
// `division` ticks a quarter and 0.1 s a quarter, and the track ends one tick after them.
inline QByteArray MidiBurst(TBurst kind, int count, int ticks = 0, int division = 960)
{
    static const QByteArray message[] = {
        QByteArray("\xB0\x07\x64", 3),
        QByteArray("\x90\x3C\x40\x00\x80\x3C\x00", 7),
        QByteArray("\xF0\x05\x7E\x7F\x09\x01\xF7", 7),
        QByteArray("\xF0\x0B\x7F\x7F\x08\x02\x00\x01\x3C\x3C\x00\x00\xF7", 13),
    };
    QByteArray track("\x00\xFF\x51\x03\x01\x86\xA0", 7); // 100,000 microseconds a quarter
    track.append("\x00\xC0\x73", 3); // woodblock
    int tick = 0;
    for (int i = 0; i < count; ++i) {
        const int at = ticks > 0 ? int(int64_t(i) * ticks / count) : 0;
        PutVariableLength(track, uint32_t(at - tick));
        tick = at;
        track.append(message[int(kind)]);
    }
    PutVariableLength(track, 0);
    track.append("\x90\x3C\x40", 3); // at least one note sounds
    PutVariableLength(track, uint32_t(std::max(ticks, 1) - tick));
    track.append("\xFF\x2F\x00", 3);

    QByteArray out("MThd");
    PutBe(out, 6, 4);
    PutBe(out, 0, 2);
    PutBe(out, 1, 2);
    PutBe(out, uint32_t(division), 2);
    out.append("MTrk");
    PutBe(out, uint32_t(track.size()), 4);
    out.append(track);
    return out;
}

// `count` tracks of one short note each, all at the song's start (a format 1 file holds up to 65,535).
inline QByteArray MidiManyTracks(int count)
{
    static const QByteArray track = QByteArray("MTrk\x00\x00\x00\x0C", 8)
                                    + QByteArray("\x00\x90\x3C\x40\x01\x80\x3C\x00\x00\xFF\x2F\x00", 12);
    QByteArray out("MThd");
    PutBe(out, 6, 4);
    PutBe(out, 1, 2);
    PutBe(out, uint32_t(count), 2);
    PutBe(out, 480, 2);
    for (int i = 0; i < count; ++i)
        out.append(track);
    return out;
}

// Waits without handling any event, as the game does during a busy wait.
inline bool WaitWithoutEvents(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(5);
    }
    return true;
}
} // namespace AudioTestFiles
