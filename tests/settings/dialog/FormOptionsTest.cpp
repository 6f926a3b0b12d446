#include "ScriptedPickers.h"

#include "settings/dialog/ColorPanel.h"
#include "settings/dialog/FormOptions.h"
#include "settings/dialog/KeyTable.h"
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

void PrintTo(const TPreferences& p, std::ostream* os)
{
    *os << "fast " << p.FastDropping << " sound " << p.SoundOn << " next " << p.ShowNext << " music " << p.MusicOn
        << " '" << p.MusicFile << "' cell " << p.BlockWidth << "x" << p.BlockHeight << " skin " << int(p.BlockPicture)
        << " inner " << int(p.InnerMode) << "/" << p.InnerColor << "/'" << p.InnerImage << "'/" << p.InnerTile
        << " outer " << int(p.OuterMode) << "/" << p.OuterColor << "/'" << p.OuterImage << "'/" << p.OuterTile
        << " keys " << p.Keys[0] << "," << p.Keys[1] << "," << p.Keys[2] << "," << p.Keys[3] << "," << p.Keys[4];
}

namespace
{
const TDisplayFacts Display{1280, 32, "/opt/pelmo/"};

// Everything the defaults are not.
TPreferences Unusual()
{
    TPreferences p;
    p.FastDropping = p.SoundOn = p.ShowNext = p.MusicOn = false;
    p.MusicFile = "/m/song.mid";
    p.BlockWidth = 34;
    p.BlockHeight = 29;
    p.BlockPicture = 3;
    p.InnerMode = p.OuterMode = 1;
    p.InnerColor = 0x0000FF;
    p.OuterColor = 0x00FF00;
    p.InnerTile = p.OuterTile = false;
    p.Keys = {65, 68, 83, 87, 32};
    return p;
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
    EXPECT_EQ(Form.windowTitle(), "Preferences");
    EXPECT_EQ(Form.size(), QSize(434, 330));
    EXPECT_EQ(Form.PageControl1->currentIndex(), 0);
    const QStringList pages{"General", "Skins", "Background", "Control Keys"};
    for (int i = 0; i < pages.size(); ++i)
        EXPECT_EQ(Form.PageControl1->tabText(i), pages[i]);
    EXPECT_EQ(Form.RadioSolid->text(), "Solid  (16 colors)");
    EXPECT_TRUE(Form.RadioSolid->isChecked());
    for (int n = 0; n < 7; ++n)
    {
        EXPECT_EQ(Form.Images[n]->geometry(), QRect(Form.Images[0]->x() + 48 * n, Form.Images[0]->y(), 44, 37));
        EXPECT_EQ(Form.Images[n]->pixmap().toImage(), QPixmap(":/cells/SOLID" + QString::number(n + 1)).toImage());
    }
    for (QComboBox* list : {Form.ComboLeft, Form.ComboRight, Form.ComboDrop, Form.ComboRColor, Form.ComboRBlock})
    {
        EXPECT_EQ(list->count(), 53);
        EXPECT_EQ(list->currentIndex(), -1);
    }
}

TEST_F(FormOptionsTest, KeyListsNameTheTableInOrderAndSelectByCode)
{
    struct Row
    {
        int Index;
        const char* Name;
        uint16_t Code;
    };
    const Row rows[] = {{0, "Up arrow key", 38},  {5, "Enter key", 13},     {11, "Delete key", 46},
                        {12, "Numpad 0 key", 96}, {21, "Numpad 9 key", 105}, {22, "A key", 65},
                        {47, "Z key", 90},        {48, "Multiply key", 106}, {52, "Divide key", 111}};
    for (const Row& row : rows)
    {
        EXPECT_EQ(Form.ComboDrop->itemText(row.Index), row.Name);
        EXPECT_EQ(KeyTable[row.Index], row.Code);
        Form.SelectKey(TPreferences::DropBlock, row.Code);
        EXPECT_EQ(Form.ComboDrop->currentIndex(), row.Index);
        EXPECT_EQ(Form.SelectedKey(TPreferences::DropBlock), row.Code);
    }
    Form.SelectKey(TPreferences::DropBlock, 108); // the keypad separator is not offered
    EXPECT_EQ(Form.SelectedKey(TPreferences::DropBlock), 111);
    EXPECT_EQ(Form.SelectedKey(6), 0);
}

TEST_F(FormOptionsTest, FillThenChosenGivesBackWhatCameIn)
{
    TPreferences now = Unusual();
    now.InnerMode = now.OuterMode = 2;
    now.InnerImage = "/p/in.jpg";
    now.OuterImage = "/p/out.bmp";
    Form.Fill(now);
    Form.show();
    EXPECT_EQ(Form.Chosen(), now);
    EXPECT_FALSE(Form.EditMusic->isEnabled());
    EXPECT_FALSE(Form.ButtonMusic->isEnabled());
    Form.CheckMusic->click();
    EXPECT_TRUE(Form.EditMusic->isEnabled() && Form.ButtonMusic->isEnabled());

    Pickers.MusicFiles = {"/x/other.MID"};
    Form.ButtonMusic->click();
    EXPECT_EQ(Form.EditMusic->text(), "/x/other.MID");
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
    struct Group
    {
        QPushButton* Select;
        QRadioButton* UseImage;
        QLineEdit* Path;
        QCheckBox* Tile;
    };
    Form.Fill(Unusual());
    for (const Group& g : {Group{Form.Button3, Form.RadioImage1, Form.EditImage1, Form.CheckTile1},
                           Group{Form.Button5, Form.RadioImage2, Form.EditImage2, Form.CheckTile2}})
    {
        QString last;
        for (const Step& step : steps)
        {
            SCOPED_TRACE(step.Picked ? step.Picked : "cancel");
            if (step.Picked)
                Pickers.Pictures = {step.Picked};
            g.Select->click();
            EXPECT_EQ(Pickers.PictureStarts.back(), last);
            last = step.Picked ? step.Picked : last;
            EXPECT_EQ(g.UseImage->isChecked(), !last.isEmpty());
            EXPECT_EQ(g.Path->text(), last);
            EXPECT_EQ(g.Tile->isChecked(), step.Checked);
            EXPECT_EQ(g.Tile->isEnabled(), step.Enabled);
        }
    }
}

TEST_F(FormOptionsTest, PickingAColourSelectsUseColor)
{
    TPreferences now = Unusual();
    now.InnerMode = now.OuterMode = 2;
    Form.Fill(now);
    Form.Button2->click(); // cancelled: nothing changes
    EXPECT_TRUE(Form.RadioImage1->isChecked());
    Pickers.Colors = {0x123456, 0xABCDEF};
    Form.Button2->click();
    Form.Button4->click();
    EXPECT_EQ(Pickers.ColorStarts, (std::deque<uint32_t>{0x0000FF, 0x0000FF, 0x00FF00}));
    EXPECT_TRUE(Form.RadioSolid1->isChecked() && Form.RadioSolid2->isChecked());
    EXPECT_EQ(Form.Panel1->Color(), 0x123456u);
    EXPECT_EQ(Form.Panel2->Color(), 0xABCDEFu);
}

TEST_F(FormOptionsTest, DefaultSetsTheControlsByColourDepthAndScreenWidth)
{
    struct Row
    {
        int Depth;
        int ScreenWidth;
        int32_t CellWidth;
        int32_t CellHeight;
        uint8_t Mode;
        bool Tile;
        std::string InnerImage;
        std::string OuterImage;
    };
    const Row rows[] = {{16, 1024, 44, 37, 2, true, "/opt/pelmo/texture2.bmp", "/opt/pelmo/texture1.bmp"},
                        {8, 800, 34, 29, 1, false, "", ""},
                        {16, 799, 26, 22, 2, true, "/opt/pelmo/texture2.bmp", "/opt/pelmo/texture1.bmp"}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.Depth);
        TFormOptions form({row.ScreenWidth, row.Depth, "/opt/pelmo/"}, Pickers);
        form.Fill(Unusual());
        Pickers.Pictures = {"/p/a.ico"};
        form.Button3->click(); // greys the inner tile
        form.BitBtn3->click();

        TPreferences expected; // the solid 256-colour skin whatever the depth
        expected.MusicFile = "/opt/pelmo/pelmo2000.mid";
        expected.BlockWidth = row.CellWidth;
        expected.BlockHeight = row.CellHeight;
        expected.InnerMode = expected.OuterMode = row.Mode;
        expected.InnerTile = expected.OuterTile = row.Tile;
        expected.InnerImage = row.InnerImage;
        expected.OuterImage = row.OuterImage;
        EXPECT_EQ(form.Chosen(), expected);
        EXPECT_TRUE(form.CheckTile1->isEnabled());
        EXPECT_EQ(form.Images[0]->pixmap().toImage(), QPixmap(":/cells/SOLID2561").toImage());
    }
}

TEST_F(FormOptionsTest, OkBringsThePreviewToTheChosenSize)
{
    struct Row
    {
        int32_t Width;
        uint8_t Skin;
        const char* Shown;
        const char* AfterOk;
    };
    const Row rows[] = {{26, 3, "PYRAMID1", "PYRAMIDS1"}, {34, 4, "NUMBER1", "NUMBERM1"},
                        {44, 3, "PYRAMID1", "PYRAMID1"},  {26, 1, "SOLID2561", "SOLID2561"}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.AfterOk);
        TFormOptions form(Display, Pickers);
        TPreferences now;
        now.BlockWidth = row.Width;
        now.BlockPicture = row.Skin;
        form.Fill(now);
        EXPECT_EQ(form.Images[0]->pixmap().toImage(), QPixmap(QString(":/cells/") + row.Shown).toImage());
        form.BitBtn1->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
        EXPECT_EQ(form.Images[0]->pixmap().toImage(), QPixmap(QString(":/cells/") + row.AfterOk).toImage());
    }
}

TEST_F(FormOptionsTest, EnterIsOkEscapeIsCancelAndCaptionsHaveAccelerators)
{
    Form.Fill(Unusual());
    Form.show();
    Form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
    // Keys reach the dialog as the window system delivers them, shortcuts first.
    const auto key = [this](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    key(Qt::Key_F, Qt::AltModifier);
    key(Qt::Key_S, Qt::AltModifier);
    // A mnemonic presses its button the way a click does, over a short moment.
    EXPECT_TRUE(QTest::qWaitFor([this] { return Form.CheckFast->isChecked() && Form.CheckSound->isChecked(); }));
    key(Qt::Key_Escape);
    EXPECT_EQ(Form.result(), QDialog::Rejected);
    EXPECT_FALSE(Form.isVisible());

    Form.show();
    Form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
    key(Qt::Key_Return);
    EXPECT_EQ(Form.result(), QDialog::Accepted);
    EXPECT_EQ(Form.Images[0]->pixmap().toImage(), QPixmap(":/cells/PYRAMIDM1").toImage());
}

TEST(PictureDialog, PreviewsWhatTheGameCanOpen)
{
    QTemporaryDir folder;
    QImage picture(300, 150, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(folder.filePath("wide.bmp")));
    ASSERT_TRUE(picture.save(folder.filePath("wide.jpg")));
    ASSERT_TRUE(picture.save(folder.filePath("png.ico"), "PNG")); // not an icon inside
    struct Row
    {
        const char* File;
        QString Caption;
        QSize Shown;
    };
    const Row rows[] = {{"wide.bmp", "300 x 150", {156, 78}}, {"wide.jpg", "300 x 150", {156, 78}},
                        {"png.ico", "", {0, 0}}, {"missing.bmp", "", {0, 0}}};
    TPictureDialog dialog(nullptr, folder.filePath("wide.bmp"));
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.File);
        dialog.ShowPreview(folder.filePath(row.File));
        EXPECT_EQ(dialog.PreviewSize()->text(), row.Caption);
        EXPECT_EQ(dialog.Preview()->pixmap().size(), row.Shown);
    }
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText("wide.jpg"); // typed, not clicked
    EXPECT_EQ(dialog.PreviewSize()->text(), "300 x 150");
}
} // namespace
