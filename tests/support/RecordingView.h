#pragma once

#include "engine/Block.h"
#include "engine/GameView.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

enum class TViewCall
{
    StartGameTimer,
    StopGameTimer,
    RedrawPieceArea,
    RedrawWell,
    CaptureWell,
    ShowEmptyWell,
    DrawDissolveFrame,
    InvalidateWindow,
    ShowScore,
    ShowLevel,
    ShowNextBlock,
    RepaintPreview,
    SetPauseCaptions,
    PlayEffect,
    StartMusic,
    PauseMusic,
    ResumeMusic,
    ModeChanged,
    MarkMode,
    GameOver,
};

// One call of the engine on its view, with its arguments (unused ones stay 0).
struct TViewEvent
{
    TViewCall Call;
    int A = 0;
    int B = 0;
    int C = 0;
    int D = 0;

    bool operator==(const TViewEvent&) const = default;
};

std::string ToString(const TViewEvent& event);

// Records every call in order. Recording can be switched off for long runs; the counters of
// score, level and game over are kept either way.
class TRecordingView : public IGameView
{
public:
    void StartGameTimer() override { TimerRunning = true; Add({TViewCall::StartGameTimer}); }
    void StopGameTimer() override { TimerRunning = false; Add({TViewCall::StopGameTimer}); }
    void RedrawPieceArea(int column, int row, int width, int height) override
    {
        Add({TViewCall::RedrawPieceArea, column, row, width, height});
    }
    void RedrawWell(bool full) override { Add({TViewCall::RedrawWell, full ? 1 : 0}); }
    void CaptureWell() override { Add({TViewCall::CaptureWell}); }
    void ShowEmptyWell() override { Add({TViewCall::ShowEmptyWell}); }
    void DrawDissolveFrame(int step) override { Add({TViewCall::DrawDissolveFrame, step}); }
    void InvalidateWindow() override { Add({TViewCall::InvalidateWindow}); }
    void ShowScore(int32_t score) override
    {
        ShownScore = score;
        Add({TViewCall::ShowScore, score});
    }
    void ShowLevel(int level) override
    {
        ShownLevel = level;
        Add({TViewCall::ShowLevel, level});
    }
    void ShowNextBlock(const TBlock& next) override
    {
        Preview = next;
        Add({TViewCall::ShowNextBlock, next.Count, next.Horizontal ? 1 : 0});
    }
    void RepaintPreview() override { Add({TViewCall::RepaintPreview}); }
    void SetPauseCaptions(bool paused) override { Add({TViewCall::SetPauseCaptions, paused ? 1 : 0}); }
    void PlayEffect(TEffect effect) override { Add({TViewCall::PlayEffect, static_cast<int>(effect)}); }
    void StartMusic() override { Add({TViewCall::StartMusic}); }
    void PauseMusic() override { Add({TViewCall::PauseMusic}); }
    void ResumeMusic() override { Add({TViewCall::ResumeMusic}); }
    void ModeChanged(int modeNumber) override { Add({TViewCall::ModeChanged, modeNumber}); }
    void MarkMode(int modeNumber) override { Add({TViewCall::MarkMode, modeNumber}); }
    void GameOver(int32_t score) override
    {
        ++GameOvers;
        Add({TViewCall::GameOver, score});
    }

    void Clear() { Events.clear(); }

    int CountOf(TViewCall call) const
    {
        return static_cast<int>(std::count_if(Events.begin(), Events.end(),
                                              [call](const TViewEvent& e) { return e.Call == call; }));
    }

    std::vector<TViewEvent> Only(TViewCall call) const
    {
        std::vector<TViewEvent> found;
        for (const TViewEvent& e : Events)
            if (e.Call == call)
                found.push_back(e);
        return found;
    }

    std::vector<TEffect> Effects() const
    {
        std::vector<TEffect> effects;
        for (const TViewEvent& e : Only(TViewCall::PlayEffect))
            effects.push_back(static_cast<TEffect>(e.A));
        return effects;
    }

    // Position of the first call of a kind, or -1.
    int IndexOf(TViewCall call) const
    {
        for (size_t i = 0; i < Events.size(); ++i)
            if (Events[i].Call == call)
                return static_cast<int>(i);
        return -1;
    }

    std::string Dump() const
    {
        std::string text;
        for (const TViewEvent& e : Events)
            text += ToString(e) + "\n";
        return text;
    }

    std::vector<TViewEvent> Events;
    bool Recording = true;
    bool TimerRunning = false;
    int32_t ShownScore = -1;
    int ShownLevel = -1;
    int GameOvers = 0;
    TBlock Preview;
    // Called after every call, for looking at the engine at that moment.
    std::function<void(const TViewEvent&)> OnCall;

private:
    void Add(const TViewEvent& event)
    {
        if (Recording)
            Events.push_back(event);
        if (OnCall)
            OnCall(event);
    }
};

inline std::string ToString(const TViewEvent& event)
{
    static const char* const Names[] = {
        "StartGameTimer", "StopGameTimer", "RedrawPieceArea", "RedrawWell", "CaptureWell",
        "ShowEmptyWell", "DrawDissolveFrame", "InvalidateWindow", "ShowScore", "ShowLevel",
        "ShowNextBlock", "RepaintPreview", "SetPauseCaptions", "PlayEffect", "StartMusic",
        "PauseMusic", "ResumeMusic", "ModeChanged", "MarkMode", "GameOver",
    };
    return std::string(Names[static_cast<int>(event.Call)]) + "(" + std::to_string(event.A) + ","
           + std::to_string(event.B) + "," + std::to_string(event.C) + "," + std::to_string(event.D)
           + ")";
}

// gtest prints events readably in failed comparisons.
inline void PrintTo(const TViewEvent& event, std::ostream* os) { *os << ToString(event); }
