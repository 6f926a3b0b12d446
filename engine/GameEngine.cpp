#include "GameEngine.h"

#include "core/Settings.h"

TGameEngine::TGameEngine(TSettings& settings, IGameView& view, IClock& clock, uint32_t seed)
    : Random(seed), Settings(settings), View(view), Clock(clock)
{
}

void TGameEngine::Start()
{
    GenerateFirstNextBlock();
    GameState = gsStopped;
    DropKeyHeld = false;
    Level = Settings.StartLevel;
    FallDelay = 25; // not used before the first game
    BlockX = 0;
    BlockY = 0;
    Score = 0;
    TickCounter = 0;
    LevelCounter = 0;
    ModeNumber = DeriveModeNumber(Settings.NumOfBlock, Settings.GameMode);
    View.MarkMode(ModeNumber);
}

// The first piece after start-up or a mode change is never the 9-cell row.
void TGameEngine::GenerateFirstNextBlock()
{
    const uint8_t n = Settings.NumOfBlock == 5 ? static_cast<uint8_t>(Random.Draw(4) + 1) : Settings.NumOfBlock;
    NextBlock.Generate(n, Random, Settings.NumOfColor, Settings.GameMode);
}

void TGameEngine::MakeNextBlock()
{
    uint8_t n = Settings.NumOfBlock;
    if (n == 5)
        n = Random.Draw(15) == 0 ? 9 : static_cast<uint8_t>(Random.Draw(4) + 1);
    NextBlock.Generate(n, Random, Settings.NumOfColor, Settings.GameMode);
}

void TGameEngine::SelectGameMode(int modeNumber)
{
    const TModePreset& preset = ModePreset(modeNumber);
    ApplyModePreset(Settings, preset);
    ModeNumber = preset.Number;
    View.MarkMode(ModeNumber);
    GenerateFirstNextBlock();
    View.ModeChanged(ModeNumber);
    NewGame();
}

void TGameEngine::NewGame()
{
    if (Settings.MusicOn)
        View.StartMusic();
    View.StartGameTimer();
    GameState = gsNextBlock;
    TickCounter = 0;
    Score = 0;
    DropKeyHeld = false;
    BlockX = 0;
    BlockY = 0;
    Level = Settings.StartLevel;
    LevelCounter = 0;
    FallDelay = static_cast<uint8_t>(15 - Level);
    View.ShowLevel(Level);
    View.SetPauseCaptions(false);
    Board.Clear();
    // The work grids too, so a partial redraw never compares against the last game's well.
    NewBoard.Clear();
    ClearMarks.Clear();
    View.ShowScore(Score);
    View.ShowEmptyWell();
    if (Settings.SoundOn)
        PlayEffect(TEffect::Drop);
    View.RepaintPreview();
}

void TGameEngine::TimerTick()
{
    switch (GameState)
    {
    case gsPlaying:
        FallStep();
        break;
    case gsNextBlock:
        EnterNextBlock();
        break;
    default:
        break;
    }
}

void TGameEngine::FallStep()
{
    ++TickCounter;
    if (TickCounter < FallDelay && !DropKeyHeld)
        return;
    TickCounter = 0;
    ++BlockY; // moved first, tested afterwards
    if (DropKeyHeld)
    {
        ++Score;
        View.ShowScore(Score);
    }
    if (BlockLanded())
    {
        LandPiece();
        return;
    }
    const int count = CurrentBlock.Count;
    if (CurrentBlock.IsHorizontal())
        View.RedrawPieceArea(BlockX, BlockY - 1, count, 2);
    else
        View.RedrawPieceArea(BlockX, BlockY - 1, 1, count + 1);
}

void TGameEngine::EnterNextBlock()
{
    GameState = gsPlaying;
    CurrentBlock.Assign(NextBlock);
    const int count = CurrentBlock.Count;
    BlockX = count <= 5 ? Settings.ColNumber / 2 : 0; // the long rows enter at the left wall
    BlockY = 0;
    if (CurrentBlock.IsHorizontal())
    {
        View.RedrawPieceArea(BlockX, 0, count, 1);
    }
    else
    {
        BlockY = 1 - count; // only the bottom cell is inside the well
        View.RedrawPieceArea(BlockX, BlockY, 1, count);
    }
    MakeNextBlock();
    View.ShowNextBlock(NextBlock);

    if (BlockLanded())
    {
        // The entering piece stays on screen over the stack but never joins the well.
        View.CaptureWell();
        View.RedrawWell(false);
        View.StopGameTimer();
        GameState = gsStopped;
        View.GameOver(Score);
    }
}

void TGameEngine::PauseMenuClick()
{
    switch (GameState)
    {
    case gsStopped:
        break;
    case gsPaused:
        View.SetPauseCaptions(false);
        GameState = ResumeState;
        View.StartGameTimer();
        View.RedrawWell(true);
        // Between a landing and the next entry the landed piece is already in the well:
        // drawing it again as the falling piece would leave a ghost one row below it.
        if (GameState == gsPlaying)
            View.RedrawPieceArea(BlockX, BlockY, CurrentBlock.Count, CurrentBlock.Count);
        View.ResumeMusic();
        break;
    default:
        Pause();
        break;
    }
}

void TGameEngine::FocusLost()
{
    if (GameState != gsStopped)
        Pause();
}

void TGameEngine::Pause()
{
    View.SetPauseCaptions(true);
    if (GameState != gsPaused)
        ResumeState = GameState;
    GameState = gsPaused;
    View.StopGameTimer();
    View.InvalidateWindow();
    View.PauseMusic();
}

bool TGameEngine::CellOccupied(int row, int col) const
{
    if (row < 0 || row >= Settings.RowNumber || col < 0 || col >= Settings.ColNumber)
        return false;
    return Board.At(row, col) != 0;
}

bool TGameEngine::BlockCollides() const
{
    const int count = CurrentBlock.Count;
    if (CurrentBlock.IsHorizontal())
    {
        if (BlockX < 0 || BlockX + count - 1 >= Settings.ColNumber)
            return true;
        for (int i = 0; i < count; ++i)
            if (CellOccupied(BlockY, BlockX + i))
                return true;
        return false;
    }
    if (BlockX < 0 || BlockX >= Settings.ColNumber)
        return true;
    for (int i = 0; i < count; ++i)
        if (CellOccupied(BlockY + i, BlockX))
            return true;
    return false;
}

bool TGameEngine::BlockLanded() const
{
    const int count = CurrentBlock.Count;
    if (CurrentBlock.IsHorizontal())
    {
        if (BlockY >= Settings.RowNumber)
            return true;
        for (int i = 0; i < count; ++i)
            if (CellOccupied(BlockY, BlockX + i))
                return true;
        return false;
    }
    // Only the bottom cell can meet something: the cells above it hold places the piece had.
    const int bottom = BlockY + count - 1;
    if (bottom >= Settings.RowNumber)
        return true;
    return CellOccupied(bottom, BlockX);
}

void TGameEngine::PlayEffect(TEffect effect)
{
    View.PlayEffect(effect);
}
