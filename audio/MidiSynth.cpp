#include "audio/MidiSynth.h"

#include <QFile>
#include <QLoggingCategory>

#include <array>
#include <atomic>
#include <mutex>
#include <set>
#include <utility>

#include <malloc.h>

#include <fluidsynth.h>
#include <glib.h>

namespace
{
// Quiet unless asked for (QT_LOGGING_RULES="pelmo.audio.synth.warning=true").
Q_LOGGING_CATEGORY(SynthLog, "pelmo.audio.synth", QtCriticalMsg)

std::atomic<bool> LineWritten{false};

void QuietLog(int level, const char* message, void* /*data*/)
{
    if (level > FLUID_WARN || LineWritten.exchange(true))
        return;
    qCWarning(SynthLog, "%s", message);
}

// A damaged soundfont also reaches the DLS loader FluidSynth tries after its own (libinstpatch),
// whose complaints go through GLib's log rather than FluidSynth's.
void QuietGLibLog(const gchar* /*domain*/, GLogLevelFlags /*level*/, const gchar* message, gpointer /*data*/)
{
    QuietLog(FLUID_ERR, message, nullptr);
}

void RouteLog()
{
    static std::once_flag routed;
    std::call_once(routed, [] {
        for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level)
            fluid_set_log_function(level, &QuietLog, nullptr);
    });
}
} // namespace

TMidiSynth::TMidiSynth()
{
    RouteLog();
}

TMidiSynth::~TMidiSynth()
{
    if (Synth)
        delete_fluid_synth(Synth);
    if (Settings)
        delete_fluid_settings(Settings);
}

void TMidiSynth::BeginFile()
{
    LineWritten = false;
}

bool TMidiSynth::Load(const QString& soundFont, int sampleRate, const TOptions& options)
{
    if (Synth)
        return true;
    Settings = new_fluid_settings();
    if (!Settings)
        return false;
    fluid_settings_setnum(Settings, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(Settings, "synth.gain", options.Gain);
    fluid_settings_setint(Settings, "synth.polyphony", options.Polyphony);
    fluid_settings_setint(Settings, "synth.reverb.active", options.Reverb);
    fluid_settings_setint(Settings, "synth.chorus.active", options.Chorus);
    fluid_settings_setint(Settings, "synth.cpu-cores", 1);
    // One caller at a time is our own rule (the player's lock); the synthesizer's would be spare.
    fluid_settings_setint(Settings, "synth.threadsafe-api", 0);
    // Samples are read when an instrument is first chosen (Prepare does it for the song), and none
    // is locked into memory.
    fluid_settings_setint(Settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(Settings, "synth.lock-memory", 0);
    fluid_settings_setint(Settings, "synth.midi-channels", SongChannels + HoldingChannels);
    const GLogFunc previousLog = g_log_set_default_handler(&QuietGLibLog, nullptr);
    Synth = new_fluid_synth(Settings);
    if (Synth)
        SoundFontId = fluid_synth_sfload(Synth, QFile::encodeName(soundFont).constData(), 1);
    g_log_set_default_handler(previousLog, nullptr);
    // Reading the soundfont leaves megabytes of freed buffers behind; they go back to the system.
    malloc_trim(0);
    if (SoundFontId != FLUID_FAILED)
        return true;
    if (Synth)
        delete_fluid_synth(Synth);
    delete_fluid_settings(Settings);
    Synth = nullptr;
    Settings = nullptr;
    return false;
}

void TMidiSynth::Send(const TMidiEvent& event, const std::vector<uint8_t>& sysEx)
{
    const int channel = event.Status & 0x0F;
    switch (event.Status & 0xF0) {
    case 0x80:
        fluid_synth_noteoff(Synth, channel, event.Data1);
        break;
    case 0x90:
        if (event.Data2 == 0)
            fluid_synth_noteoff(Synth, channel, event.Data1);
        else
            fluid_synth_noteon(Synth, channel, event.Data1, event.Data2);
        break;
    case 0xA0:
        fluid_synth_key_pressure(Synth, channel, event.Data1, event.Data2);
        break;
    case 0xB0:
        fluid_synth_cc(Synth, channel, event.Data1, event.Data2);
        break;
    case 0xC0:
        fluid_synth_program_change(Synth, channel, event.Data1);
        break;
    case 0xD0:
        fluid_synth_channel_pressure(Synth, channel, event.Data1);
        break;
    case 0xE0:
        fluid_synth_pitch_bend(Synth, channel, event.Data1 | (event.Data2 << 7));
        break;
    case 0xF0:
        if (event.SysExLength > 0)
            fluid_synth_sysex(Synth, reinterpret_cast<const char*>(sysEx.data() + event.SysExOffset),
                              int(event.SysExLength), nullptr, nullptr, nullptr, 0);
        break;
    }
}

void TMidiSynth::Render(int16_t* stereo, int frames)
{
    fluid_synth_write_s16(Synth, frames, stereo, 0, 2, stereo, 1, 2);
}

void TMidiSynth::Prepare(const TMidiSong& song)
{
    constexpr int DrumChannel = 9;
    constexpr int DrumBank = 128;
    std::set<std::pair<int, int>> instruments; // bank, program
    std::array<int, SongChannels> bank{};
    for (const TMidiEvent& event : song.Events) {
        const int channel = event.Status & 0x0F;
        if ((event.Status & 0xF0) == 0xB0 && event.Data1 == 0)
            bank[size_t(channel)] = event.Data2;
        else if ((event.Status & 0xF0) == 0xC0)
            instruments.insert({channel == DrumChannel ? DrumBank : bank[size_t(channel)], event.Data1});
    }
    int held = 0;
    for (const auto& [bankNumber, program] : instruments) {
        if (held == HoldingChannels)
            break;
        // An instrument the soundfont lacks is left to the synthesizer's own fallback.
        if (fluid_synth_program_select(Synth, SongChannels + held, SoundFontId, bankNumber, program) == FLUID_OK)
            ++held;
    }
    // The previous song's instruments are let go only now, so that those both share stay loaded.
    for (int channel = held; channel < HeldCount; ++channel)
        fluid_synth_unset_program(Synth, SongChannels + channel);
    HeldCount = held;
}

void TMidiSynth::Reset()
{
    // A system reset would also let go of the held instruments; the song's channels are enough.
    fluid_synth_all_sounds_off(Synth, -1);
    for (int channel = 0; channel < SongChannels; ++channel) {
        fluid_synth_cc(Synth, channel, 121, 0); // all controllers off, the pitch bend centred
        fluid_synth_cc(Synth, channel, 0, 0);   // bank 0
        fluid_synth_program_change(Synth, channel, 0);
    }
}

int TMidiSynth::ActiveVoices() const
{
    return fluid_synth_get_active_voice_count(Synth);
}
