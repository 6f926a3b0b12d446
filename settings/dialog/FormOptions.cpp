#include "settings/dialog/FormOptions.h"

#include "settings/dialog/ColorPanel.h"
#include "settings/dialog/OptionPickers.h"
#include "view/CellNames.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>

#include <algorithm>

namespace
{
constexpr int ClientWidth = 434;
constexpr int ClientHeight = 330;
constexpr int PreviewWidth = LargeCell.Width;
constexpr int PreviewHeight = LargeCell.Height;
constexpr int PreviewPitch = 48;

template <class TControl>
TControl* Named(TControl* control, const char* name, QRect geometry)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

QGroupBox* Group(QWidget* page, const char* name, const char* caption, QRect geometry)
{
    return Named(new QGroupBox(QString::fromLatin1(caption), page), name, geometry);
}

QCheckBox* Check(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    return Named(new QCheckBox(QString::fromLatin1(caption), parent), name, geometry);
}

QRadioButton* Radio(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    return Named(new QRadioButton(QString::fromLatin1(caption), parent), name, geometry);
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, QRect geometry)
{
    auto* button = Named(new QPushButton(QString::fromLatin1(caption), parent), name, geometry);
    button->setAutoDefault(false);
    return button;
}

QFont DialogFont()
{
    QFont font;
    font.setFamilies({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "DejaVu Sans"});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    return font;
}

bool IsIconPath(const QString& path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("ico"), Qt::CaseInsensitive) == 0;
}
} // namespace

TFormOptions::TFormOptions(const TDisplayFacts& display, TOptionPickers& pickers, QWidget* parent)
    : QDialog(parent), Display(display), Pickers(pickers)
{
    setObjectName(QStringLiteral("FormOptions"));
    setWindowTitle(QStringLiteral("Preferences"));
    setFont(DialogFont());
    setFixedSize(ClientWidth, ClientHeight);
    // A fixed dialog border: a title with a close box, nothing to minimise, maximise or resize.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    // Creation order is the Tab order: top to bottom on every page, then the three buttons.
    PageControl1 = Named(new QTabWidget(this), "PageControl1", QRect(8, 8, 418, 282));
    const char* const pages[] = {"General", "Skins", "Background", "Control Keys"};
    for (const char* caption : pages)
        PageControl1->addTab(new QWidget, QString::fromLatin1(caption));
    BuildGeneralPage(PageControl1->widget(0));
    BuildSkinsPage(PageControl1->widget(1));
    BuildBackgroundPage(PageControl1->widget(2));
    BuildKeysPage(PageControl1->widget(3));

    BitBtn1 = Button(this, "BitBtn1", "OK", QRect(190, 298, 75, 25));
    BitBtn2 = Button(this, "BitBtn2", "Cancel", QRect(270, 298, 75, 25));
    BitBtn3 = Button(this, "BitBtn3", "&Default", QRect(350, 298, 75, 25));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    // Enter presses OK from anywhere in the dialog; Escape is Cancel.
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        BitBtn1Click();
        accept();
    });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TFormOptions::BitBtn3Click);

    FormCreate();
}

void TFormOptions::BuildGeneralPage(QWidget* page)
{
    QGroupBox* general = Group(page, "GroupBox1", " General ", QRect(8, 6, 128, 112));
    CheckFast = Check(general, "CheckFast", "&Fast dropping", QRect(12, 24, 110, 20));
    CheckSound = Check(general, "CheckSound", "&Sound on", QRect(12, 52, 110, 20));
    CheckNext = Check(general, "CheckNext", "Show &next block", QRect(12, 80, 110, 20));

    QGroupBox* size = Group(page, "GroupBox3", " Block size ", QRect(144, 6, 258, 112));
    RadioSmall = Radio(size, "RadioSmall", "Small (recommended for 640x480 res.)", QRect(12, 20, 240, 20));
    RadioMedium = Radio(size, "RadioMedium", "Medium (recommended for 800x600 res.)", QRect(12, 42, 240, 20));
    RadioLarge = Radio(size, "RadioLarge", "Large (recommended for larger resolution)", QRect(12, 64, 240, 20));
    RadioFit = Radio(size, "RadioFit", "Fit to window", QRect(12, 86, 240, 20));

    QGroupBox* music = Group(page, "GroupBox2", " Music ", QRect(8, 126, 394, 96));
    CheckMusic = Check(music, "CheckMusic", "Music on", QRect(12, 26, 120, 20));
    EditMusic = Named(new QLineEdit(music), "EditMusic", QRect(12, 58, 278, 22));
    ButtonMusic = Button(music, "ButtonMusic", "Load Music...", QRect(298, 57, 84, 25));
    connect(CheckMusic, &QCheckBox::toggled, this, &TFormOptions::CheckMusicClick);
    connect(ButtonMusic, &QPushButton::clicked, this, &TFormOptions::ButtonMusicClick);
}

void TFormOptions::BuildSkinsPage(QWidget* page)
{
    QGroupBox* skins = Group(page, "GroupBox4", " Skins ", QRect(8, 6, 394, 126));
    RadioSolid256 = Radio(skins, "RadioSolid256", "Solid (256 colors)", QRect(12, 24, 200, 20));
    RadioSolid = Radio(skins, "RadioSolid", "Solid  (16 colors)", QRect(12, 48, 200, 20));
    RadioPyramid = Radio(skins, "RadioPyramid", "Pyramid (256 colors)", QRect(12, 72, 200, 20));
    RadioNumber = Radio(skins, "RadioNumber", "Number (256 colors)", QRect(12, 96, 200, 20));
    // Checking a skin, by the player or by the dialog itself, shows its pictures.
    const auto onCheck = [this](QRadioButton* radio, void (TFormOptions::*handler)()) {
        connect(radio, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onCheck(RadioSolid256, &TFormOptions::RadioSolid256Click);
    onCheck(RadioSolid, &TFormOptions::RadioSolidClick);
    onCheck(RadioPyramid, &TFormOptions::RadioPyramidClick);
    onCheck(RadioNumber, &TFormOptions::RadioNumberClick);

    QGroupBox* preview = Group(page, "GroupBox5", " Preview ", QRect(8, 142, 394, 80));
    const int left = (preview->width() - (PreviewPitch * 6 + PreviewWidth)) / 2;
    for (int n = 0; n < int(Images.size()); ++n)
    {
        const QByteArray name = "Image" + QByteArray::number(n + 1);
        Images[n] = Named(new QLabel(preview), name.constData(),
                          QRect(left + PreviewPitch * n, 26, PreviewWidth, PreviewHeight));
        Images[n]->setScaledContents(true);
    }
}

void TFormOptions::BuildBackgroundPage(QWidget* page)
{
    const auto build = [this, page](int number, int top, QRadioButton*& useColor, TColorPanel*& swatch,
                                    QPushButton*& selectColor, QRadioButton*& useImage, QLineEdit*& path,
                                    QCheckBox*& tile, QPushButton*& selectImage) {
        const QByteArray n = QByteArray::number(number);
        const char* caption = number == 1 ? " Inner Background " : " Outer Background ";
        QGroupBox* group = Group(page, ("GroupBox" + QByteArray::number(number + 5)).constData(), caption,
                                 QRect(8, top, 394, 104));
        useColor = Radio(group, ("RadioSolid" + n).constData(), "Use color:", QRect(12, 22, 86, 20));
        swatch = Named(new TColorPanel(group), ("Panel" + n).constData(), QRect(104, 21, 64, 22));
        selectColor = Button(group, ("Button" + QByteArray::number(number * 2)).constData(), "Select color...",
                             QRect(290, 19, 92, 25));
        useImage = Radio(group, ("RadioImage" + n).constData(), "Use image:", QRect(12, 52, 86, 20));
        path = Named(new QLineEdit(group), ("EditImage" + n).constData(), QRect(104, 51, 180, 22));
        selectImage = Button(group, ("Button" + QByteArray::number(number * 2 + 1)).constData(), "Select image...",
                             QRect(290, 49, 92, 25));
        tile = Check(group, ("CheckTile" + n).constData(), "Tile", QRect(104, 78, 80, 20));
    };
    build(1, 6, RadioSolid1, Panel1, Button2, RadioImage1, EditImage1, CheckTile1, Button3);
    build(2, 116, RadioSolid2, Panel2, Button4, RadioImage2, EditImage2, CheckTile2, Button5);
    connect(Button2, &QPushButton::clicked, this, &TFormOptions::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TFormOptions::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TFormOptions::Button4Click);
    connect(Button5, &QPushButton::clicked, this, &TFormOptions::Button5Click);
}

void TFormOptions::FormCreate()
{
    for (int action = 1; action <= ActionCount; ++action)
        FillKeyNames(KeyList(action));
    RadioSolid->setChecked(true);
}

void TFormOptions::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TFormOptions::FormShow()
{
    CheckMusicClick();
    PageControl1->setCurrentIndex(0);
    if (const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void TFormOptions::Fill(const TPreferences& now)
{
    Filled = now;
    ShowValues(now);
}

void TFormOptions::ShowValues(const TPreferences& values)
{
    const TSettings& now = values.Settings;
    CheckSound->setChecked(now.SoundOn);
    CheckNext->setChecked(values.ShowNext);
    CheckFast->setChecked(now.FastDropping);
    CheckMusic->setChecked(now.MusicOn);
    EditMusic->setText(QString::fromStdString(now.MusicFile));

    (now.BlockWidth == LargeCell.Width    ? RadioLarge
     : now.BlockWidth == MediumCell.Width ? RadioMedium
                                          : RadioSmall)
        ->setChecked(true);
    RadioFit->setChecked(now.FitToWindow);
    FixedCell = {now.BlockWidth, now.BlockHeight};
    QRadioButton* const skins[] = {RadioSolid256, RadioSolid, RadioPyramid};
    (now.BlockPicture >= 1 && now.BlockPicture <= 3 ? skins[now.BlockPicture - 1] : RadioNumber)->setChecked(true);

    (now.InnerMode == 1 ? RadioSolid1 : RadioImage1)->setChecked(true);
    (now.OuterMode == 1 ? RadioSolid2 : RadioImage2)->setChecked(true);
    Panel1->SetColor(now.InnerColor);
    Panel2->SetColor(now.OuterColor);
    EditImage1->setText(QString::fromStdString(now.InnerImage));
    EditImage2->setText(QString::fromStdString(now.OuterImage));
    CheckTile1->setChecked(now.InnerTile);
    CheckTile2->setChecked(now.OuterTile);

    for (int action = 1; action <= ActionCount; ++action)
        SelectKey(action, now.*ActionKeys[action - 1]);
}

TPreferences TFormOptions::Chosen() const
{
    TPreferences values = Filled;
    TSettings& chosen = values.Settings;
    chosen.SoundOn = CheckSound->isChecked();
    values.ShowNext = CheckNext->isChecked();
    chosen.FastDropping = CheckFast->isChecked();
    chosen.MusicOn = CheckMusic->isChecked();
    chosen.MusicFile = EditMusic->text().toStdString();

    const TCellPixels cell = RadioLarge->isChecked() ? LargeCell : RadioMedium->isChecked() ? MediumCell : SmallCell;
    chosen.FitToWindow = RadioFit->isChecked();
    // Fitted cells keep the fixed size they had, for the day the player goes back to one.
    chosen.BlockWidth = chosen.FitToWindow ? FixedCell.Width : cell.Width;
    chosen.BlockHeight = chosen.FitToWindow ? FixedCell.Height : cell.Height;
    chosen.BlockPicture = RadioSolid256->isChecked() ? Solid256
                          : RadioSolid->isChecked()  ? Solid16
                          : RadioPyramid->isChecked() ? Pyramid
                                                      : Number;

    chosen.InnerMode = RadioSolid1->isChecked() ? 1 : 2;
    chosen.OuterMode = RadioSolid2->isChecked() ? 1 : 2;
    chosen.InnerColor = Panel1->Color();
    chosen.OuterColor = Panel2->Color();
    chosen.InnerImage = EditImage1->text().toStdString();
    chosen.OuterImage = EditImage2->text().toStdString();
    chosen.InnerTile = CheckTile1->isChecked();
    chosen.OuterTile = CheckTile2->isChecked();

    // A list left without a selection (a stored code the lists do not offer) keeps its binding.
    for (int action = 1; action <= ActionCount; ++action)
        if (const uint16_t key = SelectedKey(action))
            chosen.*ActionKeys[action - 1] = key;
    return values;
}

void TFormOptions::CheckMusicClick()
{
    EditMusic->setEnabled(CheckMusic->isChecked());
    ButtonMusic->setEnabled(CheckMusic->isChecked());
}

void TFormOptions::ButtonMusicClick()
{
    if (const auto file = Pickers.PickMusicFile(this, QString::fromStdString(Display.ProgramFolder)))
        EditMusic->setText(*file);
}

void TFormOptions::PickColor(QRadioButton* useColor, TColorPanel* swatch)
{
    if (const auto colour = Pickers.PickColor(this, swatch->Color()))
    {
        useColor->setChecked(true);
        swatch->SetColor(*colour);
    }
}

void TFormOptions::PickImage(QRadioButton* useImage, QLineEdit* path, QCheckBox* tile)
{
    const auto file = Pickers.PickPicture(this, path->text());
    if (!file)
        return;
    useImage->setChecked(true);
    path->setText(*file);
    // An icon is always tiled; any other picture leaves the choice to the player.
    if (IsIconPath(*file))
        tile->setChecked(true);
    tile->setEnabled(!IsIconPath(*file));
}

void TFormOptions::Button2Click()
{
    PickColor(RadioSolid1, Panel1);
}

void TFormOptions::Button4Click()
{
    PickColor(RadioSolid2, Panel2);
}

void TFormOptions::Button3Click()
{
    PickImage(RadioImage1, EditImage1, CheckTile1);
}

void TFormOptions::Button5Click()
{
    PickImage(RadioImage2, EditImage2, CheckTile2);
}

void TFormOptions::LoadPreview(const QString& stem)
{
    for (int n = 0; n < int(Images.size()); ++n)
        Images[n]->setPixmap(QPixmap(TCellNames::ResourcePath(stem + QString::number(n + 1))));
}

void TFormOptions::RadioSolid256Click()
{
    LoadPreview(QStringLiteral("SOLID256"));
}

void TFormOptions::RadioSolidClick()
{
    LoadPreview(QStringLiteral("SOLID"));
}

void TFormOptions::RadioPyramidClick()
{
    LoadPreview(QStringLiteral("PYRAMID"));
}

void TFormOptions::RadioNumberClick()
{
    LoadPreview(QStringLiteral("NUMBER"));
}

void TFormOptions::BitBtn1Click()
{
    // The preview becomes exactly the cell pictures the game is about to use.
    const int width = (RadioSmall->isChecked() ? SmallCell : RadioMedium->isChecked() ? MediumCell : LargeCell).Width;
    if (RadioNumber->isChecked() || RadioPyramid->isChecked())
    {
        const int skin = RadioNumber->isChecked() ? Number : Pyramid;
        for (int n = 0; n < int(Images.size()); ++n)
            Images[n]->setPixmap(QPixmap(TCellNames::ResourcePath(TCellNames::CellImageName(skin, width, n + 1))));
    }
}

void TFormOptions::BitBtn3Click()
{
    ShowValues(DefaultPreferences(Display));
    // The default pictures are bitmaps, so the tiles are the player's to change again.
    for (QCheckBox* tile : {CheckTile1, CheckTile2})
        tile->setEnabled(true);
}
