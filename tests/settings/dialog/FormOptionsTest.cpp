#include "ScriptedPickers.h"

#include "settings/dialog/ColorPanel.h"
#include "settings/dialog/FormOptions.h"
#include "settings/dialog/KeyPrompt.h"
#include "settings/dialog/PictureDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{
const TDisplayFacts Display{1280, 32, "/opt/pelmo/"};

// Everything the defaults are not.
const TPreferences Unusual{.Settings = {.BlockWidth = 34, .BlockHeight = 29, .BlockPicture = 3, .FastDropping = false,
                                        .SoundOn = false, .MusicOn = false, .MusicFile = "/m/song.mid",
                                        .InnerMode = 1, .OuterMode = 1, .InnerColor = 0x0000FF,
                                        .OuterColor = 0x00FF00, .InnerImage = "", .OuterImage = "",
                                        .InnerTile = false, .OuterTile = false, .LeftKey = 65, .RightKey = 68,
                                        .DropKey = 83, .RColorKey = 87, .RBlockKey = 32},
                           .ShowNext = false};

QImage Cell(const QString& name)
{
    return QPixmap(":/cells/" + name).toImage();
}

class FormOptionsTest : public ::testing::Test
{
protected:
    TScriptedPickers Pickers;
    TFormOptions Form{Display, Pickers};
};

TEST_F(FormOptionsTest, OpensOnGeneralAtItsSizeWithTheSolid16PreviewAndNoKeysChosen)
{
    Form.show();
    EXPECT_EQ(std::make_pair(Form.size(), Form.PageControl1->currentIndex()), std::make_pair(QSize(434, 330), 0));
    for (int n = 0; n < 7; ++n)
        EXPECT_EQ(Form.Images[n]->pixmap().toImage(), Cell("SOLID" + QString::number(n + 1)));
    for (QComboBox* list : {Form.ComboLeft, Form.ComboRight, Form.ComboDrop, Form.ComboRColor, Form.ComboRBlock})
        EXPECT_EQ(std::make_pair(list->count(), list->currentIndex()), std::make_pair(53, -1));
}

TEST_F(FormOptionsTest, KeyListsNameTheTableInOrderAndSelectByCode)
{
    const std::tuple<int, const char*, uint16_t> rows[] = {
        {0, "Up arrow key", 38}, {12, "Numpad 0 key", 96}, {22, "A key", 65}, {52, "Divide key", 111}};
    for (const auto& [index, name, code] : rows)
    {
        Form.SelectKey(TPreferences::DropBlock, code);
        EXPECT_EQ(std::make_tuple(Form.ComboDrop->currentIndex(), Form.ComboDrop->currentText(),
                                  Form.SelectedKey(TPreferences::DropBlock)),
                  std::make_tuple(index, QString(name), code));
    }
    EXPECT_EQ(Form.SelectedKey(6), 0);
}

TEST_F(FormOptionsTest, FillThenChosenGivesBackWhatCameInAndMusicOnEnablesItsFile)
{
    TPreferences now = Unusual;
    now.Settings.InnerMode = now.Settings.OuterMode = 2;
    now.Settings.InnerImage = "/p/in.jpg";
    Form.Fill(now);
    Form.show();
    EXPECT_EQ(Form.Chosen(), now);
    EXPECT_FALSE(Form.EditMusic->isEnabled() || Form.ButtonMusic->isEnabled());
    Form.CheckMusic->click();
    EXPECT_TRUE(Form.EditMusic->isEnabled() && Form.ButtonMusic->isEnabled());
    Pickers.MusicFiles = {"/x/other.MID"};
    Form.ButtonMusic->click();
    Form.ButtonMusic->click(); // cancelled
    EXPECT_EQ(Form.EditMusic->text(), "/x/other.MID");
}

TEST_F(FormOptionsTest, PickingAPictureSelectsUseImageAndAnIconIsAlwaysTiled)
{
    struct Step
    {
        const char* Picked; // nullptr: the player cancels
        bool Checked;
        bool Enabled;
    };
    const Step steps[] = {{"/p/a.bmp", false, true}, {"/p/b.ico", true, false}, {nullptr, true, false},
                          {"/p/c.bmp", true, true},  {"/p/d.Ico", true, false}, {"/p/e.jpeg", true, true}};
    Form.Fill(Unusual);
    for (int group = 0; group < 2; ++group)
    {
        QString last;
        for (const Step& step : steps)
        {
            SCOPED_TRACE(step.Picked ? step.Picked : "cancel");
            if (step.Picked)
                Pickers.Pictures = {step.Picked};
            (group ? Form.Button5 : Form.Button3)->click();
            EXPECT_EQ(Pickers.PictureStarts.back(), last);
            last = step.Picked ? step.Picked : last;
            EXPECT_EQ((group ? Form.RadioImage2 : Form.RadioImage1)->isChecked(), !last.isEmpty());
            EXPECT_EQ((group ? Form.EditImage2 : Form.EditImage1)->text(), last);
            QCheckBox* tile = group ? Form.CheckTile2 : Form.CheckTile1;
            EXPECT_EQ(std::make_pair(tile->isChecked(), tile->isEnabled()), std::make_pair(step.Checked, step.Enabled));
        }
    }
}

TEST_F(FormOptionsTest, PickingAColourSelectsUseColor)
{
    Form.Fill(Unusual);
    Form.RadioImage1->click();
    Form.RadioImage2->click();
    Form.Button2->click(); // cancelled: nothing changes
    EXPECT_TRUE(Form.RadioImage1->isChecked());
    Pickers.Colors = {0x123456, 0xABCDEF};
    Form.Button2->click();
    Form.Button4->click();
    EXPECT_EQ(Pickers.ColorStarts, (std::deque<uint32_t>{0x0000FF, 0x0000FF, 0x00FF00}));
    EXPECT_TRUE(Form.RadioSolid1->isChecked() && Form.RadioSolid2->isChecked());
    EXPECT_EQ(std::make_pair(Form.Panel1->Color(), Form.Panel2->Color()), std::make_pair(0x123456u, 0xABCDEFu));
}

TEST_F(FormOptionsTest, DefaultSetsTheControlsByColourDepthAndScreenWidth)
{
    // The solid 256-colour skin and the keypad keys whatever the depth; textures from 16 bits up.
    const TPreferences textured{.Settings = {.MusicFile = "/opt/pelmo/pelmo2000.mid",
                                             .InnerImage = "/opt/pelmo/texture2.bmp",
                                             .OuterImage = "/opt/pelmo/texture1.bmp"}};
    const TPreferences coloured{.Settings = {.BlockWidth = 34, .BlockHeight = 29,
                                             .MusicFile = "/opt/pelmo/pelmo2000.mid", .InnerMode = 1,
                                             .OuterMode = 1, .InnerImage = "", .OuterImage = "",
                                             .InnerTile = false, .OuterTile = false}};
    const TPreferences small{.Settings = {.BlockWidth = 26, .BlockHeight = 22,
                                          .MusicFile = textured.Settings.MusicFile,
                                          .InnerImage = textured.Settings.InnerImage,
                                          .OuterImage = textured.Settings.OuterImage}};
    const std::tuple<int, int, TPreferences> rows[] = {{16, 1024, textured}, {8, 800, coloured}, {16, 799, small}};
    for (const auto& [depth, screenWidth, expected] : rows)
    {
        SCOPED_TRACE(screenWidth);
        TFormOptions form({screenWidth, depth, "/opt/pelmo/"}, Pickers);
        form.Fill(Unusual);
        Pickers.Pictures = {"/p/a.ico"};
        form.Button3->click(); // greys the inner tile
        form.BitBtn3->click();
        EXPECT_EQ(form.Chosen(), expected);
        EXPECT_TRUE(form.CheckTile1->isEnabled());
        EXPECT_EQ(form.Images[0]->pixmap().toImage(), Cell("SOLID2561"));
    }
}

TEST_F(FormOptionsTest, PressingAKeyBindsItWhenTheListsOfferIt)
{
    struct TCase
    {
        const char* Name;
        int QtKey;
        Qt::KeyboardModifiers Modifiers;
        int ExpectedIndex; // of ComboRColor, which starts at "Numpad 8 key" (20)
        bool PromptStays;
        const char* Message;
    };
    const TCase cases[] = {
        {"a letter", Qt::Key_W, Qt::NoModifier, 44, false, nullptr},
        {"an arrow", Qt::Key_Up, Qt::NoModifier, 0, false, nullptr},
        {"keypad 5 with Num Lock off", Qt::Key_Clear, Qt::KeypadModifier, 17, false, nullptr},
        {"a key outside the table", Qt::Key_F5, Qt::NoModifier, 20, true,
         "The key F5 cannot be used.\nPress a key for Rotate color...\n\nEscape cancels."},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, 20, false, nullptr},
    };
    for (const TCase& c : cases)
    {
        SCOPED_TRACE(c.Name);
        TFormOptions form(Display, Pickers);
        form.Fill({});
        form.show();
        form.BindButtons[TPreferences::RotateColor - 1]->click();
        auto* prompt = form.findChild<TKeyPrompt*>();
        ASSERT_NE(prompt, nullptr);
        EXPECT_EQ(prompt->Message->text(), "Press a key for Rotate color...\n\nEscape cancels.");
        QTest::keyClick(prompt, Qt::Key(c.QtKey), c.Modifiers);
        EXPECT_EQ(form.ComboRColor->currentIndex(), c.ExpectedIndex);
        EXPECT_EQ(prompt->isVisible(), c.PromptStays);
        if (c.Message)
        {
            EXPECT_EQ(prompt->Message->text(), c.Message);
        }
        EXPECT_TRUE(form.isVisible()) << "the prompt's Escape leaves the dialog open";
    }
}

TEST_F(FormOptionsTest, ListsSharingAKeyAreMarkedAndTipsNameTheKeysThatAct)
{
    Form.Fill({});
    const auto marked = [this] {
        std::vector<bool> shown;
        for (QLabel* mark : Form.ClashMarks)
            shown.push_back(!mark->isHidden());
        return shown;
    };
    EXPECT_EQ(marked(), std::vector<bool>(5, false));
    EXPECT_TRUE(Form.ClashNote->isHidden());
    EXPECT_EQ(Form.ComboLeft->toolTip(), "Move left: Numpad 4 key or Left arrow key");

    Form.SelectKey(TPreferences::RotateBlock, 100); // keypad 4, already moving left
    EXPECT_EQ(marked(), (std::vector<bool>{true, false, false, false, true}));
    EXPECT_FALSE(Form.ClashNote->isHidden());
    EXPECT_EQ(Form.ComboRBlock->toolTip(), "Rotate block: Space key");

    Form.SelectKey(TPreferences::RotateBlock, 37); // the left arrow: no clash, but the arrow now turns
    EXPECT_EQ(marked(), std::vector<bool>(5, false));
    EXPECT_EQ(Form.ComboLeft->toolTip(), "Move left: Numpad 4 key");
    EXPECT_EQ(Form.ComboRBlock->toolTip(), "Rotate block: Left arrow key or Space key");
}

TEST(PictureDialog, PreviewsWhatTheGameCanOpen)
{
    QTemporaryDir folder;
    QImage picture(300, 150, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath("wide.bmp")) && picture.save(folder.filePath("wide.jpg")));
    ASSERT_TRUE(picture.save(folder.filePath("png.ico"), "PNG")); // not an icon inside
    const std::tuple<const char*, QString, QSize> rows[] = {{"wide.bmp", "300 x 150", {156, 78}},
                                                            {"wide.jpg", "300 x 150", {156, 78}},
                                                            {"png.ico", "", {0, 0}},
                                                            {"missing.bmp", "", {0, 0}}};
    TPictureDialog dialog(nullptr, folder.filePath("wide.bmp"));
    for (const auto& [file, caption, shown] : rows)
    {
        SCOPED_TRACE(file);
        dialog.ShowPreview(folder.filePath(file));
        EXPECT_EQ(std::make_pair(dialog.PreviewSize()->text(), dialog.Preview()->pixmap().size()),
                  std::make_pair(caption, shown));
    }
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText("wide.jpg"); // typed, not clicked
    EXPECT_EQ(dialog.PreviewSize()->text(), "300 x 150");
}
} // namespace
