// Any bytes at all through the MIDI reader; a song it accepts must hold up to what the sequencer
// relies on: events in order, inside the song, system-exclusive bytes inside their store.
#include "audio/MidiReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<TMidiSong> song = TMidiReader::Read(file);
    if (!song)
        return 0;
    int64_t previous = 0;
    for (const TMidiEvent& event : song->Events) {
        if (event.Microsecond < previous || event.Microsecond > song->LengthMicroseconds
            || size_t(event.SysExOffset) + event.SysExLength > song->SysEx.size())
            std::abort();
        previous = event.Microsecond;
    }
    if (song->LengthMicroseconds <= 0)
        std::abort();
    return 0;
}
