#pragma once

#include "engine/GameView.h"

struct TSettings;
class TNextPreview;
class TWellPainter;

// The engine's drawing requests, turned from cells into pixels and handed to the painter and
// the preview. Everything else the engine asks (timer, displays, sound, dialogs) belongs to the
// game window, which overrides those calls; here they do nothing.
class TWellView : public IGameView
{
public:
    TWellView(TWellPainter& painter, const TSettings& settings, TNextPreview* preview = nullptr);

    void SetPreview(TNextPreview* preview) { Preview = preview; }

    void RedrawPieceArea(int column, int row, int width, int height) override;
    void RedrawWell(bool full) override;
    void CaptureWell() override;
    void ShowEmptyWell() override;
    void DrawDissolveFrame(int step) override;
    void InvalidateWindow() override;
    void ShowNextBlock(const TBlock& next) override;
    void RepaintPreview() override;

    void StartGameTimer() override {}
    void StopGameTimer() override {}
    void ShowScore(int32_t) override {}
    void ShowLevel(int) override {}
    void SetPauseCaptions(bool) override {}
    void PlayEffect(TEffect) override {}
    void StartMusic() override {}
    void PauseMusic() override {}
    void ResumeMusic() override {}
    void ModeChanged(int) override {}
    void MarkMode(int) override {}
    void GameOver(int32_t) override {}

private:
    TWellPainter& Painter;
    const TSettings& Settings;
    TNextPreview* Preview;
};
