#include "app/PreferencesApply.h"

#include "audio/GameMusic.h"
#include "view/CellImages.h"
#include "view/WellPainter.h"

#include <QString>

namespace
{
// A picture mode without a picture is the colour; the colour mode keeps no path.
void SettleBackground(uint8_t& mode, std::string& image)
{
    mode = mode == 1 ? 1 : 2;
    if (mode == 2 && image.empty())
        mode = 1;
    if (mode == 1)
        image.clear();
}
} // namespace

void ApplyPreferences(const TPreferences& chosen, TGameParts& game)
{
    TSettings& settings = game.Settings;
    const bool widthChanged = settings.BlockWidth != chosen.Settings.BlockWidth
                              || settings.FitToWindow != chosen.Settings.FitToWindow;
    CopyDialogFields(chosen.Settings, chosen.ShowNext, settings, game.ShowNext);
    // The music decides for itself whether an empty path leaves it on.
    game.Music.ApplyPreferences(settings, chosen.Settings.MusicOn, QString::fromStdString(chosen.Settings.MusicFile),
                                game.GameStopped);

    game.Cells.LoadSolveImages(settings.BlockWidth);
    // The dialog's preview held these very pictures when OK was pressed.
    game.Cells.LoadCellImages(settings.BlockPicture, settings.BlockWidth);

    SettleBackground(settings.InnerMode, settings.InnerImage);
    SettleBackground(settings.OuterMode, settings.OuterImage);
    game.Painter.BuildWellBackground();
    game.Painter.LoadOuterPicture();

    game.Painter.Invalidate();
    if (widthChanged && game.UpdateGeometry)
        game.UpdateGeometry();
}
