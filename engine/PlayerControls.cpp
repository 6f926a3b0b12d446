#include "GameEngine.h"

#include "core/Settings.h"
#include "engine/KeyBindings.h"

void TGameEngine::FormKeyDown(uint16_t key)
{
    DoAction(ActionOfKey(Settings, key));
}

void TGameEngine::DoAction(TPlayerAction action)
{
    if (GameState != gsPlaying)
        return;
    switch (action)
    {
    case TPlayerAction::MoveLeft: MoveSideways(-1); break;
    case TPlayerAction::MoveRight: MoveSideways(+1); break;
    case TPlayerAction::Drop: Drop(); break;
    case TPlayerAction::RotateColor: RotateColors(); break;
    case TPlayerAction::RotateBlock: RotatePiece(); break;
    case TPlayerAction::None: break;
    }
}

void TGameEngine::FormKeyUp(uint16_t)
{
    DropKeyHeld = false;
}

void TGameEngine::MoveSideways(int direction)
{
    BlockX += direction;
    if (BlockCollides())
    {
        BlockX -= direction;
        return;
    }
    // The new place together with the column just vacated.
    const int left = direction < 0 ? BlockX : BlockX - 1;
    const int count = CurrentBlock.Count;
    if (CurrentBlock.IsHorizontal())
        View.RedrawPieceArea(left, BlockY, count + 1, 1);
    else
        View.RedrawPieceArea(left, BlockY, 2, count);
}

void TGameEngine::Drop()
{
    if (!Settings.FastDropping)
    {
        DropKeyHeld = true;
        return;
    }
    const int count = CurrentBlock.Count;
    while (!BlockLanded())
    {
        if (CurrentBlock.IsHorizontal())
            View.RedrawPieceArea(BlockX, BlockY - 1, count, 2);
        else
            View.RedrawPieceArea(BlockX, BlockY - 1, 1, count + 1);
        ++BlockY;
        ++Score;
        BusyWait(10);
    }
    // The last step went into the blocked row: one point per row actually fallen.
    --Score;
    View.ShowScore(Score);
    LandPiece();
}

void TGameEngine::RotateColors()
{
    const int count = CurrentBlock.Count;
    if (count < 2)
        return;
    if (Settings.SoundOn)
        PlayEffect(TEffect::Rotate);
    CurrentBlock.RotateColor();
    if (CurrentBlock.IsHorizontal())
        View.RedrawPieceArea(BlockX, BlockY, count, 1);
    else
        View.RedrawPieceArea(BlockX, BlockY, 1, count);
}

void TGameEngine::RotatePiece()
{
    const int count = CurrentBlock.Count;
    if (Settings.GameMode != 3 || count < 2 || count > 4)
        return;

    // The cells the piece sweeps through while turning about its cell 0.
    for (int i = 0; i < count; ++i)
    {
        const bool occupied = CurrentBlock.IsHorizontal() ? CellOccupied(BlockY + 1, BlockX + i)
                                                           : CellOccupied(BlockY + i, BlockX + 1);
        if (occupied)
            return;
    }

    // A standing piece too close to the right wall tries lying down further left.
    if (!CurrentBlock.IsHorizontal() && BlockX > Settings.ColNumber - count)
    {
        const int oldX = BlockX;
        BlockX = Settings.ColNumber - count;
        CurrentBlock.RotateBlock();
        const bool fits = !BlockCollides() && !BlockLanded();
        CurrentBlock.RotateBlock();
        if (fits)
            View.RedrawPieceArea(oldX, BlockY, 1, count);
        else
            BlockX = oldX;
    }

    CurrentBlock.RotateBlock();
    if (BlockCollides() || BlockLanded())
    {
        CurrentBlock.RotateBlock();
        return;
    }
    if (Settings.SoundOn)
        PlayEffect(TEffect::Move);
    View.RedrawPieceArea(BlockX, BlockY, 1, count);
    View.RedrawPieceArea(BlockX, BlockY, count, 1);
}
