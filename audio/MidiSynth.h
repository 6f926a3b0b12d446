#pragma once

#include "audio/MidiReader.h"

#include <QString>

#include <cstdint>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;

// FluidSynth driven directly: the General MIDI soundfont loaded once, messages in, 16-bit stereo
// out, on whatever thread renders, with every setting in our hands. Its log goes to a quiet line
// of ours, at most one for each file played (see BeginFile), never to stderr on its own.
class TMidiSynth
{
public:
    // Chosen by ear and by measurement with the game's own song (bench/audio/SynthBench). The
    // synthesis runs at half the output rate: the soundfont's samples hold nothing above 11 kHz, and
    // the cost halves. The chorus costs much and is not heard in the song; the room of the reverb is.
    // The song never sounds more than 40 voices at once.
    static constexpr int RateDivisor = 2;
    static constexpr int Polyphony = 64;
    static constexpr bool Reverb = true;
    static constexpr bool Chorus = false;
    // As loud as the mixer's own MIDI player plays at full music volume.
    static constexpr double Gain = 1.0;

    TMidiSynth();
    ~TMidiSynth();
    TMidiSynth(const TMidiSynth&) = delete;
    TMidiSynth& operator=(const TMidiSynth&) = delete;

    // Once; false when the soundfont cannot be loaded.
    bool Load(const QString& soundFont, int sampleRate);
    bool IsLoaded() const { return Synth != nullptr; }

    void Send(const TMidiEvent& event, const std::vector<uint8_t>& sysEx);
    void Render(int16_t* stereo, int frames);
    // Every sound cut and every channel back to its start: the state a song begins from.
    void Reset();
    int ActiveVoices() const;

    // The next line of the synthesizer's log is written; the rest for this file are not.
    static void BeginFile();

private:
    fluid_settings_t* Settings = nullptr;
    fluid_synth_t* Synth = nullptr;
};
