#include "audio/MidiSongLength.h"

#include "audio/MidiReader.h"

int64_t TMidiSongLength::Microseconds(const QByteArray& file)
{
    const std::optional<TMidiSong> song = TMidiReader::Read(file);
    return song ? song->LengthMicroseconds : 0;
}
