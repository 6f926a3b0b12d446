#include "RecordingDialogs.h"

#include "app/FormTumbla.h"
#include "settings/dialog/FormOptions.h"
#include "tests/audio/AudioTestFiles.h"
#include "tests/settings/dialog/ScriptedPickers.h"
#include "view/NextPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace
{
// Opens the real dialog, lets the test work its controls, then presses OK or Cancel.
class TPreferenceDialogs : public TRecordingDialogs
{
public:
    std::optional<TPreferences> EditPreferences(QWidget* parent, const TPreferences& now,
                                                const TDisplayFacts& display) override
    {
        if (RealDialog)
            return TDialogs::EditPreferences(parent, now, display);
        TFormOptions form(display, Pickers, parent);
        form.Fill(now);
        form.show();
        if (Script)
            Script(form);
        (Ok ? form.BitBtn1 : form.BitBtn2)->click();
        if (AfterClose)
            AfterClose(form);
        return form.result() == QDialog::Accepted ? std::optional(form.Chosen()) : std::nullopt;
    }

    std::function<void(TFormOptions&)> Script;
    std::function<void(TFormOptions&)> AfterClose;
    bool Ok = true;
    bool RealDialog = false;
    TScriptedPickers Pickers;
};

QImage Cell(const QString& name)
{
    return QImage(":/cells/" + name).convertToFormat(QImage::Format_RGB32);
}

class PreferencesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Store().clear();
        Window = std::make_unique<TFormTumbla>(&Dialogs);
        Window->resize(1280, 800);
        Window->show();
    }

    static QSettings Store() { return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Hollin", "Pelmo2000"); }

    void Preferences(std::function<void(TFormOptions&)> script, bool ok = true)
    {
        Dialogs.Script = std::move(script);
        Dialogs.Ok = ok;
        Window->Preferences1Click();
    }

    // A game with a lying piece of three falling and three settled cells at the bottom left.
    TGameEngine& StartGame()
    {
        Window->NewMenuClick();
        TGameEngine& game = Window->Engine();
        game.NextBlock.Generate(3, game.Random, 7, 1);
        for (int i = 0; i < 3; ++i)
            game.NextBlock.Colors[i] = uint8_t(i + 1);
        game.TimerTick();
        game.Board.At(16, 0) = 4;
        game.Board.At(16, 1) = 5;
        game.Board.At(16, 2) = 6;
        game.NewBoard = game.Board;
        game.Score = 1234;
        game.Level = 3;
        return game;
    }

    QImage ShownCell(int column, int row) const
    {
        const TWellGeometry& well = Window->Painter().Geometry();
        const int w = Window->Config().BlockWidth;
        const int h = Window->Config().BlockHeight;
        return Window->Painter().WindowImage().copy(well.WellLeft + column * w, well.WellTop + row * h, w, h);
    }

    TMediaMode MusicMode() { return Window->Music().MediaPlayer1().Mode(); }

    TPreferenceDialogs Dialogs;
    std::unique_ptr<TFormTumbla> Window;
};

TEST_F(PreferencesTest, CancelChangesNothing)
{
    TGameEngine& game = StartGame();
    ASSERT_EQ(MusicMode(), TMediaMode::Playing);
    const TPreferences before = PreferencesOf(Window->Config(), Window->Preview()->ShowNext);
    const TGrid board = game.Board;
    const QImage cell = Window->Painter().WindowImage();
    Dialogs.Pickers.Colors = {0xFF};
    Dialogs.Pickers.MusicFiles = {"/elsewhere/song.mid"};
    Preferences(
        [](TFormOptions& form) {
            for (QAbstractButton* b : std::initializer_list<QAbstractButton*>{
                     form.RadioNumber, form.RadioSmall, form.Button2, form.ButtonMusic, form.CheckSound, form.BitBtn3})
                b->click();
            form.ComboLeft->setCurrentIndex(30);
        },
        false);

    EXPECT_EQ(PreferencesOf(Window->Config(), Window->Preview()->ShowNext), before);
    EXPECT_EQ(std::make_tuple(game.GameState, game.Score, int(game.Level)), std::make_tuple(gsPaused, 1234, 3));
    EXPECT_EQ(game.Board, board);
    EXPECT_EQ(MusicMode(), TMediaMode::Paused);
    EXPECT_EQ(Window->Music().MediaPlayer1().FileName().toStdString(), before.MusicFile);
    EXPECT_EQ(Window->Painter().WindowImage(), cell);
}

TEST_F(PreferencesTest, SkinAndSizeChangeAPausedGameWhichResumesInTheNewCellsAtItsGridPlaces)
{
    struct Row
    {
        QRadioButton* TFormOptions::*Size;
        int32_t Width;
        int32_t Height;
        QRadioButton* TFormOptions::*Skin;
        const char* Previewed; // colour 1 while the dialog is open
        const char* Stem;      // the cells after OK
    };
    const Row rows[] = {
        {&TFormOptions::RadioLarge, 44, 37, &TFormOptions::RadioNumber, "NUMBER1", "NUMBER"},
        {&TFormOptions::RadioSmall, 26, 22, &TFormOptions::RadioPyramid, "PYRAMID1", "PYRAMIDS"},
        {&TFormOptions::RadioMedium, 34, 29, &TFormOptions::RadioNumber, "NUMBER1", "NUMBERM"},
        {&TFormOptions::RadioLarge, 44, 37, &TFormOptions::RadioPyramid, "PYRAMID1", "PYRAMID"},
        {&TFormOptions::RadioLarge, 44, 37, &TFormOptions::RadioNumber, "NUMBER1", "NUMBER"}, // skin alone
    };
    TGameEngine& game = StartGame();
    const int clientWidth = Window->ClientArea()->width();
    const int clientHeight = Window->ClientArea()->height();
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.Stem);
        const TGrid board = game.Board;
        const int x = game.BlockX;
        const int y = game.BlockY;
        QImage previewed;
        QImage afterOk;
        Dialogs.AfterClose = [&](TFormOptions& form) { afterOk = form.Images[0]->pixmap().toImage(); };
        Preferences([&](TFormOptions& form) {
            (form.*row.Size)->click();
            (form.*row.Skin)->click();
            previewed = form.Images[0]->pixmap().toImage();
        });
        EXPECT_EQ(previewed.convertToFormat(QImage::Format_RGB32), Cell(row.Previewed));
        EXPECT_EQ(afterOk.convertToFormat(QImage::Format_RGB32), Cell(row.Stem + QString("1")));
        EXPECT_EQ(game.GameState, gsPaused);
        EXPECT_EQ(game.Board, board);
        EXPECT_EQ(std::make_tuple(game.BlockX, game.BlockY, game.Score, int(game.Level)),
                  std::make_tuple(x, y, 1234, 3));

        const TWellGeometry& well = Window->Painter().Geometry();
        EXPECT_EQ(QRect(well.WellLeft, well.WellTop, well.WellWidth, well.WellHeight),
                  QRect((clientWidth - 9 * row.Width) / 2, (clientHeight - 17 * row.Height) / 2, 9 * row.Width,
                        17 * row.Height));

        Window->PauseMenuClick();
        ASSERT_EQ(game.GameState, gsPlaying);
        for (int c = 0; c < 3; ++c)
        {
            EXPECT_EQ(ShownCell(c, 16), Cell(row.Stem + QString::number(4 + c)));
            EXPECT_EQ(ShownCell(x + c, y), Cell(row.Stem + QString::number(1 + c)));
        }
    }
    EXPECT_FALSE(Store().contains("BlockWidth")); // the store is written at exit only
}

TEST_F(PreferencesTest, AnImageThatIsMissingOrEmptyLeavesTheColourAndReopensAsUseColor)
{
    struct Row
    {
        QString Path;
        QStringList Shown;
    };
    const Row rows[] = {{"", {}}, {"/nonexistent/in.bmp", {"information: Cannot open /nonexistent/in.bmp"}}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.Path.toStdString());
        Dialogs.Shown.clear();
        Preferences([&](TFormOptions& form) {
            form.RadioImage1->click();
            form.EditImage1->setText(row.Path);
        });
        EXPECT_EQ(Dialogs.Shown, row.Shown);
        EXPECT_EQ(Window->Config().InnerMode, 1);
        EXPECT_EQ(Window->Config().InnerImage, "");
        EXPECT_EQ(Window->Painter().WellBackground().pixel(5, 5), qRgb(0, 0, 0));
        bool useColor = false;
        Preferences([&](TFormOptions& form) { useColor = form.RadioSolid1->isChecked(); }, false);
        EXPECT_TRUE(useColor);
    }
}

TEST_F(PreferencesTest, NewBackgroundsAreBuiltAtOnce)
{
    QTemporaryDir folder;
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(qRgb(0, 0, 255));
    ASSERT_TRUE(picture.save(folder.filePath("blue.jpg"), "JPEG", 100));
    picture.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(picture.save(folder.filePath("red.ICO"), "ICO"));
    Dialogs.Pickers.Pictures = {folder.filePath("blue.jpg"), folder.filePath("red.ICO")};
    Preferences([](TFormOptions& form) {
        form.Button3->click();
        form.Button5->click();
    });
    const TSettings& settings = Window->Config();
    EXPECT_EQ(std::make_tuple(int(settings.InnerMode), int(settings.OuterMode), settings.OuterTile),
              std::make_tuple(2, 2, true));
    EXPECT_EQ(QColor(Window->Painter().WellBackground().pixel(3, 3)).blue(), 254);
    QApplication::processEvents(); // the repaint asked for
    EXPECT_EQ(Window->Painter().WindowImage().pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_TRUE(Dialogs.Shown.isEmpty());
}

TEST_F(PreferencesTest, TheMusicFollowsTheChoicesOfThePlayer)
{
    QTemporaryDir folder;
    const QString song = folder.filePath("other.mid");
    ASSERT_TRUE(AudioTestFiles::WriteFile(song, AudioTestFiles::MidiSong(3.0)));
    TGameEngine& game = StartGame();
    const std::string file = Window->Config().MusicFile;
    ASSERT_EQ(MusicMode(), TMediaMode::Playing);

    // Off while paused: stopped, and the resume does not bring it back; the path stays.
    Preferences([](TFormOptions& form) { form.CheckMusic->click(); });
    EXPECT_EQ(MusicMode(), TMediaMode::Stopped);
    EXPECT_EQ(Window->Config().MusicFile, file);
    Window->PauseMenuClick();
    EXPECT_EQ(MusicMode(), TMediaMode::Stopped);

    // A new file during a game waits, paused at its start, for the resume.
    Dialogs.Pickers.MusicFiles = {song};
    Preferences([](TFormOptions& form) {
        form.CheckMusic->click();
        form.ButtonMusic->click();
    });
    EXPECT_EQ(game.GameState, gsPaused);
    EXPECT_EQ(Window->Music().MediaPlayer1().FileName(), song);
    EXPECT_EQ(MusicMode(), TMediaMode::Paused);
    EXPECT_LT(Window->Music().MediaPlayer1().PositionMs(), 150);
    Window->PauseMenuClick();
    EXPECT_EQ(MusicMode(), TMediaMode::Playing);

    // An empty path turns the music off, and so the dialog shows it next time.
    Preferences([](TFormOptions& form) { form.EditMusic->clear(); });
    EXPECT_FALSE(Window->Config().MusicOn);
    bool checked = true;
    QString path = "?";
    Preferences(
        [&](TFormOptions& form) {
            checked = form.CheckMusic->isChecked();
            path = form.EditMusic->text();
        },
        false);
    EXPECT_FALSE(checked);
    EXPECT_EQ(path, "");
    EXPECT_TRUE(Dialogs.Shown.isEmpty());

    // A file that cannot be opened is reported once; the rest is applied all the same.
    Preferences([](TFormOptions& form) {
        form.CheckMusic->click();
        form.EditMusic->setText("/nonexistent/song.mid");
        form.RadioNumber->click();
    });
    EXPECT_EQ(Dialogs.Shown, QStringList{"error: Cannot play MIDI file."});
    EXPECT_EQ(std::make_tuple(Window->Config().MusicOn, Window->Config().MusicFile, int(Window->Config().BlockPicture)),
              std::make_tuple(true, std::string("/nonexistent/song.mid"), 4));
}

TEST_F(PreferencesTest, OffTableValuesShowAsSmallAndUnlistedKeysAreKept)
{
    TSettings& settings = Window->Config();
    settings.BlockWidth = 30;
    settings.BlockHeight = 25;
    settings.LeftKey = 108; // the keypad separator, not offered by the lists
    bool small = false;
    int leftIndex = 0;
    Preferences([&](TFormOptions& form) {
        small = form.RadioSmall->isChecked();
        leftIndex = form.ComboLeft->currentIndex();
        form.ComboRight->setCurrentIndex(25); // "D key"
    });
    EXPECT_TRUE(small);
    EXPECT_EQ(leftIndex, -1);
    EXPECT_EQ(std::make_tuple(settings.BlockWidth, settings.BlockHeight), std::make_tuple(26, 22));
    EXPECT_EQ(Window->Painter().Geometry().WellWidth, 9 * 26);
    EXPECT_EQ(std::make_tuple(settings.LeftKey, settings.RightKey), std::make_tuple(uint16_t(108), uint16_t(68)));

    // The game plays on with the new key.
    TGameEngine& game = StartGame();
    const int x = game.BlockX;
    QKeyEvent press(QEvent::KeyPress, Qt::Key_D, Qt::NoModifier, "d");
    QApplication::sendEvent(Window.get(), &press);
    EXPECT_EQ(game.BlockX, x + 1);
}

TEST_F(PreferencesTest, TheRealDialogClosesWithEscapeAndAcceptsWithEnter)
{
    Dialogs.RealDialog = true;
    const auto answer = [](Qt::Key key, bool pickNumber) {
        QTimer::singleShot(0, [=] {
            auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            if (pickNumber)
                form->findChild<QRadioButton*>("RadioNumber")->click();
            QTest::keyClick(form, key);
        });
    };
    answer(Qt::Key_Escape, true);
    Window->Preferences1Click();
    EXPECT_EQ(Window->Config().BlockPicture, 1);
    answer(Qt::Key_Return, true);
    Window->Preferences1Click();
    EXPECT_EQ(Window->Config().BlockPicture, 4);
}
} // namespace
