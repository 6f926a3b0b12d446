#include "app/PreferencesApply.h"

#include "audio/GameMusic.h"
#include "view/CellImages.h"
#include "view/WellPainter.h"

#include <QString>

namespace
{
// A picture mode without a picture is the colour; the colour mode keeps no path.
void SettleBackground(uint8_t& mode, std::string& image, uint8_t chosenMode, const std::string& chosenImage)
{
    mode = chosenMode == 1 ? 1 : 2;
    image = chosenImage;
    if (mode == 2 && image.empty())
        mode = 1;
    if (mode == 1)
        image.clear();
}
} // namespace

void ApplyPreferences(const TPreferences& chosen, TGameParts& game)
{
    TSettings& settings = game.Settings;
    settings.SoundOn = chosen.SoundOn;
    game.Music.ApplyPreferences(settings, chosen.MusicOn, QString::fromStdString(chosen.MusicFile),
                                game.GameStopped);
    settings.FastDropping = chosen.FastDropping;
    game.ShowNext = chosen.ShowNext;

    const bool widthChanged = settings.BlockWidth != chosen.BlockWidth || settings.FitToWindow != chosen.FitToWindow;
    settings.FitToWindow = chosen.FitToWindow;
    settings.BlockWidth = chosen.BlockWidth;
    settings.BlockHeight = chosen.BlockHeight;
    game.Cells.LoadSolveImages(settings.BlockWidth);
    // The dialog's preview held these very pictures when OK was pressed.
    game.Cells.LoadCellImages(chosen.BlockPicture, settings.BlockWidth);
    settings.BlockPicture = chosen.BlockPicture;

    SettleBackground(settings.InnerMode, settings.InnerImage, chosen.InnerMode, chosen.InnerImage);
    SettleBackground(settings.OuterMode, settings.OuterImage, chosen.OuterMode, chosen.OuterImage);
    settings.InnerColor = chosen.InnerColor;
    settings.OuterColor = chosen.OuterColor;
    settings.InnerTile = chosen.InnerTile;
    settings.OuterTile = chosen.OuterTile;
    game.Painter.BuildWellBackground();
    game.Painter.LoadOuterPicture();

    uint16_t* const keys[] = {&settings.LeftKey, &settings.RightKey, &settings.DropKey, &settings.RColorKey,
                              &settings.RBlockKey};
    for (int i = 0; i < TPreferences::ActionCount; ++i)
        if (chosen.Keys[i] != 0) // a list left without a selection keeps its binding
            *keys[i] = chosen.Keys[i];

    game.Painter.Invalidate();
    if (widthChanged && game.UpdateGeometry)
        game.UpdateGeometry();
}
