#include "RecordingDialogs.h"

#include "app/FormTumbla.h"
#include "cellart/CellArt.h"
#include "settings/dialog/FormOptions.h"
#include "tests/audio/AudioTestFiles.h"
#include "tests/settings/dialog/ScriptedPickers.h"
#include "tests/support/TempStore.h"
#include "view/NextPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{
// Opens the real dialog offscreen and lets the test work its controls; OK unless the test closed it.
// Without a script, the program's own modal dialog.
class TPreferenceDialogs : public TRecordingDialogs
{
public:
    std::optional<TPreferences> EditPreferences(QWidget* parent, const TPreferences& now,
                                                const TDisplayFacts& display) override
    {
        if (!Script)
            return TDialogs::EditPreferences(parent, now, display);
        TFormOptions form(display, Pickers, parent);
        form.Fill(now);
        form.show();
        Script(form);
        if (form.isVisible())
            form.BitBtn1->click();
        return form.result() == QDialog::Accepted ? std::optional(form.Chosen()) : std::nullopt;
    }

    std::function<void(TFormOptions&)> Script;
    TScriptedPickers Pickers;
};

QImage Rgb(const QImage& image)
{
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage Cell(const QString& name)
{
    return Rgb(QImage(":/cells/" + name));
}

// What the dialog must leave alone in a game: its well, piece, score and level.
auto GameFacts(const TGameEngine& game)
{
    return std::make_tuple(game.Board, game.BlockX, game.BlockY, game.Score, int(game.Level));
}

class PreferencesTest : public StoreTest
{
protected:
    void SetUp() override
    {
        StoreTest::SetUp();
        Window = std::make_unique<TFormTumbla>(&Dialogs);
        Window->resize(1280, 800);
        Window->show();
    }

    void Preferences(std::function<void(TFormOptions&)> script)
    {
        Dialogs.Script = std::move(script);
        Window->Preferences1Click();
    }

    // A game with a lying piece of colours 1, 2, 3 falling and 4, 5, 6 settled at the bottom left.
    TGameEngine& StartGame()
    {
        Window->NewMenuClick();
        TGameEngine& game = Window->Parts().Engine;
        game.NextBlock.Generate(3, game.Random, 7, 1);
        for (int i = 0; i < 3; ++i)
        {
            game.NextBlock.Colors[i] = uint8_t(1 + i);
            game.NewBoard.At(16, i) = game.Board.At(16, i) = uint8_t(4 + i);
        }
        game.TimerTick();
        game.Score = 1234;
        game.Level = 3;
        return game;
    }

    QImage ShownCell(int column, int row) const
    {
        const TWellGeometry& well = Window->Parts().Painter.Geometry();
        const int w = Window->Parts().Settings.BlockWidth;
        const int h = Window->Parts().Settings.BlockHeight;
        return Window->Parts().Painter.WindowImage().copy(well.WellLeft + column * w, well.WellTop + row * h, w, h);
    }

    TMediaMode MusicMode() { return Window->Parts().Music.MediaPlayer1().Mode(); }

    TPreferenceDialogs Dialogs;
    std::unique_ptr<TFormTumbla> Window;
};

TEST_F(PreferencesTest, CancelChangesNothing)
{
    const TGameEngine& game = StartGame();
    const auto facts = GameFacts(game);
    const TPreferences before = PreferencesOf(Window->Parts().Settings, Window->Parts().Preview.ShowNext);
    const QImage shown = Window->Parts().Painter.WindowImage();
    Dialogs.Pickers.Colors = {0xFF};
    Dialogs.Pickers.MusicFiles = {"/elsewhere/song.mid"};
    Preferences([](TFormOptions& form) {
        for (QAbstractButton* button : std::initializer_list<QAbstractButton*>{
                 form.BitBtn3, form.RadioNumber, form.RadioSmall, form.Button2, form.ButtonMusic, form.CheckSound,
                 form.BitBtn2}) // the last is Cancel
            button->click();
    });
    EXPECT_EQ(PreferencesOf(Window->Parts().Settings, Window->Parts().Preview.ShowNext), before);
    EXPECT_EQ(GameFacts(game), facts);
    EXPECT_EQ(std::make_tuple(game.GameState, MusicMode(), Window->Parts().Music.MediaPlayer1().FileName().toStdString()),
              std::make_tuple(gsPaused, TMediaMode::Paused, before.Settings.MusicFile));
    EXPECT_EQ(Window->Parts().Painter.WindowImage(), shown);
}

TEST_F(PreferencesTest, SkinAndSizeChangeAPausedGameWhichResumesInTheNewCellsAtItsGridPlaces)
{
    struct Case
    {
        QRadioButton* TFormOptions::*Size;
        QRadioButton* TFormOptions::*Skin;
        int32_t Width;
        int32_t Height;
        const char* Previewed; // colour 1 while the dialog is open
        QString Stem;          // the cells after OK, in the dialog's preview and in the game
    };
    const Case cases[] = {
        {&TFormOptions::RadioLarge, &TFormOptions::RadioNumber, 44, 37, "NUMBER1", "NUMBER"}, // the skin alone
        {&TFormOptions::RadioSmall, &TFormOptions::RadioPyramid, 26, 22, "PYRAMID1", "PYRAMIDS"},
        {&TFormOptions::RadioMedium, &TFormOptions::RadioNumber, 34, 29, "NUMBER1", "NUMBERM"},
    };
    TGameEngine& game = StartGame();
    const QSize client = Window->Parts().Client.size();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Stem.toStdString());
        const auto facts = GameFacts(game);
        Preferences([&](TFormOptions& form) {
            (form.*c.Size)->click();
            (form.*c.Skin)->click();
            EXPECT_EQ(Rgb(form.Images[0]->pixmap().toImage()), Cell(c.Previewed));
            form.BitBtn1->click();
            EXPECT_EQ(Rgb(form.Images[0]->pixmap().toImage()), Cell(c.Stem + "1"));
        });
        EXPECT_EQ(game.GameState, gsPaused);
        EXPECT_EQ(GameFacts(game), facts);
        const TWellGeometry& well = Window->Parts().Painter.Geometry();
        EXPECT_EQ(QRect(well.WellLeft, well.WellTop, well.WellWidth, well.WellHeight),
                  QRect((client.width() - 9 * c.Width) / 2, (client.height() - 17 * c.Height) / 2, 9 * c.Width,
                        17 * c.Height));

        Window->PauseMenuClick();
        ASSERT_EQ(game.GameState, gsPlaying);
        for (int i = 0; i < 3; ++i)
        {
            EXPECT_EQ(ShownCell(i, 16), Cell(c.Stem + QString::number(4 + i)));
            EXPECT_EQ(ShownCell(game.BlockX + i, game.BlockY), Cell(c.Stem + QString::number(1 + i)));
        }
    }
    EXPECT_FALSE(RawStore()->contains("BlockWidth")) << "the store is written at exit only";
}

TEST_F(PreferencesTest, BackgroundsAreBuiltAtOnceAndAMissingOrEmptyImageLeavesTheColour)
{
    QTemporaryDir folder;
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(folder.filePath("blue.jpg"), "JPEG", 100));
    picture.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(picture.save(folder.filePath("red.ICO"), "ICO"));
    struct Case
    {
        QString Inner; // picked for the well; the outer picture is always the red icon
        QStringList Shown;
        int InnerMode;
        QRgb Well;
    };
    const Case cases[] = {{folder.filePath("blue.jpg"), {}, 2, qRgb(0, 0, 254)},
                          {"", {}, 1, qRgb(0, 0, 0)},
                          {"/nonexistent/in.bmp", {"information: Cannot open /nonexistent/in.bmp"}, 1, qRgb(0, 0, 0)}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.Inner.toStdString());
        Dialogs.Shown.clear();
        Dialogs.Pickers.Pictures = {c.Inner, folder.filePath("red.ICO")};
        Preferences([](TFormOptions& form) {
            form.Button3->click();
            form.Button5->click();
        });
        QApplication::processEvents(); // the repaint asked for
        EXPECT_EQ(Dialogs.Shown, c.Shown);
        const TSettings& settings = Window->Parts().Settings;
        EXPECT_EQ(std::make_tuple(int(settings.InnerMode), QString::fromStdString(settings.InnerImage),
                                  Window->Parts().Painter.WellBackground().pixel(5, 5),
                                  Window->Parts().Painter.WindowImage().pixel(3, 3)),
                  std::make_tuple(c.InnerMode, c.InnerMode == 1 ? "" : c.Inner, c.Well, qRgb(255, 0, 0)));
        Preferences([&](TFormOptions& form) {
            EXPECT_EQ(form.RadioSolid1->isChecked(), c.InnerMode == 1); // reopens as "Use color:"
            form.BitBtn2->click();
        });
    }
}

TEST_F(PreferencesTest, TheMusicFollowsTheChoicesOfThePlayer)
{
    QTemporaryDir folder;
    const QString song = folder.filePath("other.mid");
    ASSERT_TRUE(AudioTestFiles::WriteFile(song, AudioTestFiles::MidiSong(3.0)));
    TGameEngine& game = StartGame();
    const TSettings& settings = Window->Parts().Settings;
    const std::string file = settings.MusicFile;

    // Off while paused: stopped, and the resume does not bring it back; the path stays.
    Preferences([](TFormOptions& form) { form.CheckMusic->click(); });
    EXPECT_EQ(std::make_pair(MusicMode(), settings.MusicFile), std::make_pair(TMediaMode::Stopped, file));
    Window->PauseMenuClick();
    EXPECT_EQ(MusicMode(), TMediaMode::Stopped);

    // A new file during a game waits, paused at its start, for the resume.
    Dialogs.Pickers.MusicFiles = {song};
    Preferences([](TFormOptions& form) {
        form.CheckMusic->click();
        form.ButtonMusic->click();
    });
    EXPECT_EQ(std::make_tuple(game.GameState, Window->Parts().Music.MediaPlayer1().FileName(), MusicMode()),
              std::make_tuple(gsPaused, song, TMediaMode::Paused));
    EXPECT_LT(Window->Parts().Music.MediaPlayer1().PositionMs(), 150);
    Window->PauseMenuClick();
    EXPECT_EQ(MusicMode(), TMediaMode::Playing);

    // An empty path turns the music off (the next step's click turns it on again).
    Preferences([](TFormOptions& form) { form.EditMusic->clear(); });
    EXPECT_EQ(std::make_pair(settings.MusicOn, settings.MusicFile), std::make_pair(false, std::string()));

    // A file that cannot be opened is reported once; the rest is applied all the same.
    Preferences([](TFormOptions& form) {
        form.CheckMusic->click();
        form.EditMusic->setText("/nonexistent/song.mid");
        form.RadioNumber->click();
    });
    EXPECT_EQ(Dialogs.Shown, QStringList{"error: Cannot play MIDI file."});
    EXPECT_EQ(std::make_tuple(settings.MusicOn, settings.MusicFile, int(settings.BlockPicture)),
              std::make_tuple(true, std::string("/nonexistent/song.mid"), 4));
}

TEST_F(PreferencesTest, OffTableValuesShowAsSmallAndUnlistedKeysAreKept)
{
    TSettings& settings = Window->Parts().Settings;
    settings.BlockWidth = 30;
    settings.BlockHeight = 25;
    settings.LeftKey = 108; // the keypad separator, not offered by the lists
    Preferences([](TFormOptions& form) {
        EXPECT_TRUE(form.RadioSmall->isChecked());
        EXPECT_EQ(form.ComboLeft->currentIndex(), -1);
        form.ComboRight->setCurrentIndex(25); // "D key"
    });
    EXPECT_EQ(std::make_tuple(settings.BlockWidth, settings.BlockHeight, settings.LeftKey, settings.RightKey),
              std::make_tuple(26, 22, uint16_t(108), uint16_t(68))); // the engine plays by these very keys
}

TEST_F(PreferencesTest, TheRealDialogAnswersItsAcceleratorsEscapeAndEnter)
{
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return})
    {
        QTimer::singleShot(0, [key] {
            auto* form = dynamic_cast<TFormOptions*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            form->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(form));
            QTest::keyClick(form->focusWidget(), Qt::Key_F, Qt::AltModifier);
            QTest::keyClick(form->focusWidget(), Qt::Key_S, Qt::AltModifier);
            // A mnemonic presses its button the way a click does, over a short moment.
            EXPECT_TRUE(
                QTest::qWaitFor([form] { return !form->CheckFast->isChecked() && !form->CheckSound->isChecked(); }));
            QTest::keyClick(form, key);
        });
        Window->Preferences1Click();
        EXPECT_EQ(Window->Parts().Settings.FastDropping || Window->Parts().Settings.SoundOn, key == Qt::Key_Escape);
    }
}
} // namespace

TEST_F(PreferencesTest, FitToWindowGrowsThePausedGamesCellsAndKeepsTheFixedSizeForLater)
{
    TGameEngine& game = StartGame();
    const auto facts = GameFacts(game);
    const int32_t fixedWidth = Window->Parts().Settings.BlockWidth;
    Preferences([](TFormOptions& form) { form.RadioFit->click(); form.BitBtn1->click(); });
    EXPECT_TRUE(Window->Parts().Settings.FitToWindow);
    EXPECT_EQ(Window->Parts().Settings.BlockWidth, fixedWidth);
    EXPECT_EQ(GameFacts(game), facts);
    const int w = Window->Parts().Painter.CellWidth();
    const int h = Window->Parts().Painter.CellHeight();
    EXPECT_GT(h, 37);

    Window->PauseMenuClick();
    const TWellGeometry& well = Window->Parts().Painter.Geometry();
    const QImage settled = Window->Parts().Painter.WindowImage().copy(well.WellLeft, well.WellTop + 16 * h, w, h);
    EXPECT_EQ(settled, TCellArt::Cell(Window->Parts().Settings.BlockPicture, 4, w, h));

    Preferences([](TFormOptions& form) { form.RadioLarge->click(); form.BitBtn1->click(); });
    EXPECT_FALSE(Window->Parts().Settings.FitToWindow);
    EXPECT_EQ(Window->Parts().Painter.CellHeight(), 37);
}
