#include "audio/MidiSynth.h"

#include <QFile>
#include <QLoggingCategory>

#include <atomic>
#include <mutex>

#include <fluidsynth.h>

namespace
{
Q_LOGGING_CATEGORY(SynthLog, "pelmo.audio.synth", QtWarningMsg)

std::atomic<bool> LineWritten{false};

void QuietLog(int level, const char* message, void* /*data*/)
{
    if (level > FLUID_WARN || LineWritten.exchange(true))
        return;
    qCWarning(SynthLog, "%s", message);
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

bool TMidiSynth::Load(const QString& soundFont, int sampleRate)
{
    if (Synth)
        return true;
    Settings = new_fluid_settings();
    if (!Settings)
        return false;
    fluid_settings_setnum(Settings, "synth.sample-rate", sampleRate);
    fluid_settings_setnum(Settings, "synth.gain", Gain);
    fluid_settings_setint(Settings, "synth.polyphony", Polyphony);
    fluid_settings_setint(Settings, "synth.reverb.active", Reverb);
    fluid_settings_setint(Settings, "synth.chorus.active", Chorus);
    fluid_settings_setint(Settings, "synth.cpu-cores", 1);
    // One caller at a time is our own rule (the player's lock); the synthesizer's would be spare.
    fluid_settings_setint(Settings, "synth.threadsafe-api", 0);
    // Every sample is read in now, never inside the audio callback; none is locked into memory.
    fluid_settings_setint(Settings, "synth.dynamic-sample-loading", 0);
    fluid_settings_setint(Settings, "synth.lock-memory", 0);
    Synth = new_fluid_synth(Settings);
    if (Synth && fluid_synth_sfload(Synth, QFile::encodeName(soundFont).constData(), 1) != FLUID_FAILED)
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

void TMidiSynth::Reset()
{
    fluid_synth_system_reset(Synth);
}

int TMidiSynth::ActiveVoices() const
{
    return fluid_synth_get_active_voice_count(Synth);
}
