#include "GameEngine.h"

#include "core/Settings.h"

void TGameEngine::LandPiece()
{
    const int count = CurrentBlock.Count;
    const int rows = Settings.RowNumber;
    const int cols = Settings.ColNumber;
    const bool lying = CurrentBlock.IsHorizontal();

    // The piece rests one row above the blocked position; cells above the well are lost.
    if (lying)
    {
        const int row = BlockY - 1;
        if (row >= 0 && row < rows)
            for (int i = 0; i < count; ++i)
            {
                const int col = BlockX + i;
                if (col >= 0 && col < cols)
                    Board.At(row, col) = CurrentBlock.Colors[i];
            }
    }
    else if (BlockX >= 0 && BlockX < cols)
    {
        for (int i = 0; i < count; ++i)
        {
            const int row = BlockY - 1 + i;
            if (row >= 0 && row < rows)
                Board.At(row, BlockX) = CurrentBlock.Colors[i];
        }
    }

    if (lying)
        SettleLyingPiece();
    else
        View.CaptureWell(); // so a repaint before the next capture still shows the piece

    GameState = gsNextBlock;

    int32_t passPoints = 0;
    int32_t passCells = 0;
    int passes = 0;
    while (ClearPass(passPoints, passCells))
        ++passes;
    if (passes == 0 && Settings.SoundOn)
        PlayEffect(TEffect::Drop);
}

// Cells of a lying piece that hang over a gap drop down their own columns.
void TGameEngine::SettleLyingPiece()
{
    NewBoard = Board;
    ClearMarks.Clear();
    const int rows = Settings.RowNumber;
    for (int col = 0; col < Settings.ColNumber; ++col)
        for (int r = rows - 1; r >= 1; --r)
        {
            if (NewBoard.At(r, col) != 0 || NewBoard.At(r - 1, col) == 0)
                continue;
            int k = r - 1;
            while (k + 1 < rows && NewBoard.At(k + 1, col) == 0)
            {
                NewBoard.At(k + 1, col) = NewBoard.At(k, col);
                NewBoard.At(k, col) = 0;
                ++k;
            }
        }
    View.CaptureWell();
    View.RedrawWell(false);
    Board = NewBoard;
}

bool TGameEngine::ClearPass(int32_t& passPoints, int32_t& passCells)
{
    NewBoard = Board;
    ClearMarks.Clear();
    if (ScanRuns(passPoints, passCells) == 0)
        return false;

    if (Settings.SoundOn)
        PlayEffect(TEffect::Disappear);
    for (int step = 1; step <= 5; ++step)
    {
        View.DrawDissolveFrame(step);
        BusyWait(25);
    }
    RemoveMarkedCells();
    View.CaptureWell();
    View.RedrawWell(false);
    Board = NewBoard;
    AddPassScore(passPoints, passCells);
    CountPassTowardsLevel();
    return true;
}

// Finds the runs of three or more in the four directions on the unchanged Board, marking
// their cells and counting them; returns the number of runs found.
int TGameEngine::ScanRuns(int32_t& passPoints, int32_t& passCells)
{
    const int rows = Settings.RowNumber;
    const int cols = Settings.ColNumber;
    int runs = 0;

    // Follows a run from its start while it stays in the well and keeps its colour.
    auto follow = [&](int row, int col, int dRow, int dCol, int points) {
        const uint8_t colour = Board.At(row, col);
        int length = 0;
        while (row >= 0 && row < rows && col >= 0 && col < cols && Board.At(row, col) == colour)
        {
            ClearMarks.At(row, col) = 1;
            passPoints += points;
            ++passCells;
            ++length;
            row += dRow;
            col += dCol;
        }
        ++runs;
        return length;
    };
    auto startsRun = [&](int row, int col, int dRow, int dCol) {
        const uint8_t colour = Board.At(row, col);
        return colour != 0 && Board.At(row + dRow, col + dCol) == colour &&
               Board.At(row + 2 * dRow, col + 2 * dCol) == colour;
    };

    // A second run in the same row waits for a later pass.
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col <= cols - 3; ++col)
            if (startsRun(row, col, 0, 1))
            {
                follow(row, col, 0, 1, 10);
                break;
            }

    // Diagonals are found again from each later cell that still has two more beyond it.
    for (int row = 0; row <= rows - 3; ++row)
        for (int col = 0; col <= cols - 3; ++col)
            if (startsRun(row, col, 1, 1))
                follow(row, col, 1, 1, 11);

    for (int row = rows - 1; row >= 2; --row)
        for (int col = 0; col <= cols - 3; ++col)
            if (startsRun(row, col, -1, 1))
                follow(row, col, -1, 1, 11);

    // Upwards; the cell right above a run is skipped in this pass.
    for (int col = 0; col < cols; ++col)
    {
        int row = rows - 1;
        while (row >= 2)
        {
            if (startsRun(row, col, -1, 0))
                row -= follow(row, col, -1, 0, 9) + 1;
            else
                --row;
        }
    }
    return runs;
}

// Working from the top row down keeps the places of the marked cells further down valid.
void TGameEngine::RemoveMarkedCells()
{
    for (int row = 0; row < Settings.RowNumber; ++row)
        for (int col = 0; col < Settings.ColNumber; ++col)
        {
            if (ClearMarks.At(row, col) == 0)
                continue;
            for (int k = row; k >= 1; --k)
                NewBoard.At(k, col) = NewBoard.At(k - 1, col);
            NewBoard.At(0, col) = 0;
        }
}

// The totals grow over the passes of one landing, so every pass of a chain pays again
// for the runs before it.
void TGameEngine::AddPassScore(int32_t passPoints, int32_t passCells)
{
    Score += 25 * (passCells - 2) + passPoints - 10;
    if (CurrentBlock.Count != 1)
    {
        if (Settings.GameMode == 1)
            Score += 25 * (passCells - 2);
        else if (Settings.GameMode == 2)
            Score += 5 * (passCells - 2);
    }
    View.ShowScore(Score);
}

void TGameEngine::CountPassTowardsLevel()
{
    ++LevelCounter;
    if (Level < 12 && LevelCounter > 15)
    {
        ++Level;
        LevelCounter = 0;
        FallDelay = static_cast<uint8_t>(15 - Level);
        View.ShowLevel(Level);
    }
}

void TGameEngine::BusyWait(uint32_t ms)
{
    const uint32_t start = Clock.Milliseconds();
    while (static_cast<int32_t>(Clock.Milliseconds() - start) < static_cast<int32_t>(ms))
    {
    }
}
