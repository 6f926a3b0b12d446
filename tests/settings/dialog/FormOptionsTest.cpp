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

namespace
{
const TDisplayFacts Display{1280, 32, "/opt/pelmo/"};

// Everything the defaults are not.
const TPreferences Unusual{false, false, false, false, "/m/song.mid", 34, 29, 3, 1, 1, 0x0000FF, 0x00FF00, "", "",
                           false, false, {65, 68, 83, 87, 32}};

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
    EXPECT_EQ(std::make_tuple(Form.windowTitle(), Form.size(), Form.PageControl1->currentIndex()),
              std::make_tuple(QString("Preferences"), QSize(434, 330), 0));
    EXPECT_EQ(Form.PageControl1->tabText(3), "Control Keys");
    EXPECT_EQ(Form.RadioSolid->text(), "Solid  (16 colors)");
    for (int n = 0; n < 7; ++n)
    {
        EXPECT_EQ(Form.Images[n]->geometry(), QRect(Form.Images[0]->x() + 48 * n, Form.Images[0]->y(), 44, 37));
        EXPECT_EQ(Form.Images[n]->pixmap().toImage(), Cell("SOLID" + QString::number(n + 1)));
    }
    for (QComboBox* list : {Form.ComboLeft, Form.ComboRight, Form.ComboDrop, Form.ComboRColor, Form.ComboRBlock})
        EXPECT_EQ(std::make_pair(list->count(), list->currentIndex()), std::make_pair(53, -1));
}

TEST_F(FormOptionsTest, KeyListsNameTheTableInOrderAndSelectByCode)
{
    struct Row
    {
        int Index;
        const char* Name;
        uint16_t Code;
    };
    const Row rows[] = {{0, "Up arrow key", 38},  {5, "Enter key", 13},      {11, "Delete key", 46},
                        {12, "Numpad 0 key", 96}, {21, "Numpad 9 key", 105}, {22, "A key", 65},
                        {47, "Z key", 90},        {48, "Multiply key", 106}, {52, "Divide key", 111}};
    for (const Row& row : rows)
    {
        EXPECT_EQ(Form.ComboDrop->itemText(row.Index), row.Name);
        Form.SelectKey(TPreferences::DropBlock, row.Code);
        EXPECT_EQ(Form.ComboDrop->currentIndex(), row.Index);
        EXPECT_EQ(Form.SelectedKey(TPreferences::DropBlock), row.Code);
    }
    Form.SelectKey(TPreferences::DropBlock, 108); // the keypad separator is not offered
    EXPECT_EQ(Form.SelectedKey(TPreferences::DropBlock), 111);
    EXPECT_EQ(Form.SelectedKey(6), 0);
}

TEST_F(FormOptionsTest, FillThenChosenGivesBackWhatCameInAndMusicOnEnablesItsFile)
{
    TPreferences now = Unusual;
    now.InnerMode = now.OuterMode = 2;
    now.InnerImage = "/p/in.jpg";
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
    TPreferences now = Unusual;
    now.InnerMode = now.OuterMode = 2;
    Form.Fill(now);
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
    struct Row
    {
        int Depth;
        int ScreenWidth;
        int32_t CellWidth;
        int32_t CellHeight;
        uint8_t Mode;
        const char* Inner;
        const char* Outer;
    };
    const Row rows[] = {{16, 1024, 44, 37, 2, "/opt/pelmo/texture2.bmp", "/opt/pelmo/texture1.bmp"},
                        {8, 800, 34, 29, 1, "", ""},
                        {16, 799, 26, 22, 2, "/opt/pelmo/texture2.bmp", "/opt/pelmo/texture1.bmp"}};
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.Depth);
        TFormOptions form({row.ScreenWidth, row.Depth, "/opt/pelmo/"}, Pickers);
        form.Fill(Unusual);
        Pickers.Pictures = {"/p/a.ico"};
        form.Button3->click(); // greys the inner tile
        form.BitBtn3->click();
        // The solid 256-colour skin whatever the depth.
        const TPreferences expected{true, true, true, true, "/opt/pelmo/pelmo2000.mid", row.CellWidth, row.CellHeight,
                                    1, row.Mode, row.Mode, 0, 0x808080, row.Inner, row.Outer, row.Mode == 2,
                                    row.Mode == 2};
        EXPECT_EQ(form.Chosen(), expected);
        EXPECT_TRUE(form.CheckTile1->isEnabled());
        EXPECT_EQ(form.Images[0]->pixmap().toImage(), Cell("SOLID2561"));
    }
}

TEST_F(FormOptionsTest, CaptionAcceleratorsWorkAndEscapeCancels)
{
    Form.Fill(Unusual);
    Form.show();
    Form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F, Qt::AltModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    // A mnemonic presses its button the way a click does, over a short moment.
    EXPECT_TRUE(QTest::qWaitFor([this] { return Form.CheckFast->isChecked() && Form.CheckSound->isChecked(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Form.result(), QDialog::Rejected);
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
