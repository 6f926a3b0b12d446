#include "core/GameModes.h"

#include "core/Settings.h"

const TModePreset ModePresets[ModeCount] = {
    {gmSingle, "Single", "&Single (no rotation)", 1, 7, 5, 15, 1},
    {gmDuoBlock, "DuoBlock", "&DuoBlock", 2, 7, 7, 16, 3},
    {gmTrioBlock, "TrioBlock", "&TrioBlock (no rotation)", 3, 7, 9, 17, 1},
    {gmColumn, "Column", "&Column (no rotation)", 3, 7, 9, 17, 2},
    {gmQuartetBlock, "QuartetBlock", "&QuartetBlock", 4, 7, 9, 17, 3},
    {gmRowBlock, "RowBlock", "&RowBlock", 7, 5, 7, 17, 1},
    {gmPelmo2000, "Pelmo 2000", "Pelmo &2000", 5, 7, 9, 17, 3},
};

const TModePreset& ModePreset(int modeNumber)
{
    if (modeNumber < 1 || modeNumber > ModeCount)
        modeNumber = gmPelmo2000;
    return ModePresets[modeNumber - 1];
}

uint8_t DeriveModeNumber(uint8_t numOfBlock, uint8_t gameMode)
{
    if (numOfBlock == 1)
        return gmSingle;
    if (numOfBlock == 2)
        return gmDuoBlock;
    if (numOfBlock == 3 && gameMode == 1)
        return gmTrioBlock;
    if (numOfBlock == 3 && gameMode == 2)
        return gmColumn;
    if (numOfBlock == 4)
        return gmQuartetBlock;
    if (numOfBlock == 7)
        return gmRowBlock;
    return gmPelmo2000;
}

void ApplyModePreset(TSettings& settings, const TModePreset& preset)
{
    settings.NumOfBlock = preset.NumOfBlock;
    settings.NumOfColor = preset.NumOfColor;
    settings.ColNumber = preset.ColNumber;
    settings.RowNumber = preset.RowNumber;
    settings.GameMode = preset.GameMode;
}
