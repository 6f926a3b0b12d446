#pragma once

#include "audio/MidiReader.h"

#include <QString>

#include <cstdint>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

// Chosen by measurement with the game's own song (bench/audio/SynthBench), against the mixer's own
// MIDI player (full rate, 256 voices, reverb and chorus): the synthesis runs at half the output
// rate, since the soundfont's samples hold little above 11 kHz, and that halves the cost. The song
// sounds up to about 100 voices at once, so 128 cut none of its notes. The reverb costs a few per
// cent and gives the room; the chorus costs a tenth more and only thickens a few instruments. Only
// the instruments the song plays are read in: 6 MiB less than the whole soundfont.
struct TMidiSynthOptions
{
    int Polyphony = 128;
    bool Reverb = true;
    bool Chorus = false;
    // About as loud as the mixer's own MIDI player played the song.
    double Gain = 1.0;
};

// FluidSynth driven directly: the General MIDI soundfont loaded once, messages in, 16-bit stereo
// out, on whatever thread renders, with every setting in our hands. Its log goes to our quiet
// logging category "pelmo.audio.synth", at most one line for each file played (see BeginFile),
// never to stderr on its own.
class TMidiSynth
{
public:
    // The synthesis runs at a fraction of the output rate (see TMidiSynthOptions).
    static constexpr int RateDivisor = 2;
    using TOptions = TMidiSynthOptions;

    TMidiSynth();
    ~TMidiSynth();
    TMidiSynth(const TMidiSynth&) = delete;
    TMidiSynth& operator=(const TMidiSynth&) = delete;

    // Once; false when the soundfont cannot be loaded.
    bool Load(const QString& soundFont, int sampleRate, const TOptions& options = {});
    bool IsLoaded() const { return Synth != nullptr; }

    void Send(const TMidiEvent& event, const std::vector<uint8_t>& sysEx);
    void Render(int16_t* stereo, int frames);
    // Keeps the instruments the song asks for loaded, from now until the next song, so that their
    // samples are read here and never while the audio callback renders.
    void Prepare(const TMidiSong& song);
    // Every sound cut and every channel back to its start: the state a song begins from.
    void Reset();
    int ActiveVoices() const;

    // The next line of the synthesizer's log is written; the rest for this file are not.
    static void BeginFile();

private:
    // The song's sixteen channels, and behind them silent ones that hold the song's instruments.
    static constexpr int SongChannels = 16;
    static constexpr int HoldingChannels = 48;

    fluid_settings_t* Settings = nullptr;
    fluid_synth_t* Synth = nullptr;
    int SoundFontId = -1;
    int HeldCount = 0;
};
