#include "RecordingDialogs.h"

#include "app/FormTumbla.h"
#include "tests/support/TempStore.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace
{
using StoredOddities = StoreTest;

// Values the program never writes, put into the store between two runs as a hand edit would: a
// named pipe as the background once held start-up until something wrote to it, an unknown skin
// drew every cell invisible, and a well with no rows ended every game at once.
TEST_F(StoredOddities, StartUpReportsOrMendsThemAndTheGamePlays)
{
    QTemporaryDir folder;
    const QString pipe = folder.filePath(QStringLiteral("texture2.bmp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    TRecordingDialogs dialogs;
    {
        TFormTumbla first(&dialogs); // the defaults, edited and stored as it closes
        first.Parts().Settings.InnerMode = 2;
        first.Parts().Settings.InnerImage = pipe.toStdString();
        first.Parts().Settings.BlockPicture = 9;
        first.Parts().Settings.RowNumber = 0;
    }
    dialogs.Shown.clear();
    TFormTumbla window(&dialogs);
    window.resize(1280, 800);
    window.show();
    EXPECT_EQ(dialogs.Shown, QStringList{QStringLiteral("information: Cannot open ") + pipe});
    EXPECT_EQ(window.Parts().Settings.InnerMode, 1);
    EXPECT_EQ(window.Parts().Settings.BlockPicture, 4);
    EXPECT_EQ(window.Parts().Settings.RowNumber, 17);
    TGameEngine& game = window.Parts().Engine;
    game.NewGame();
    for (int tick = 0; tick < 200; ++tick)
        game.TimerTick();
    EXPECT_EQ(game.GameState, gsPlaying);
}

} // namespace
