#include "scores/dialog/FormScore.h"

#include "core/GameModes.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace
{
const QColor FirstRowColour(255, 0, 0);

QLabel* RowLabel(QWidget* parent, const QString& text, int x, int y, int width, bool bold)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(x, y, width, 20);
    QFont font = label->font();
    font.setBold(bold);
    label->setFont(font);
    return label;
}
} // namespace

TFormScore::TFormScore(IScoreTableStore& scores, IScorePrompts& prompts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      Scores(scores),
      Prompts(prompts)
{
    setWindowTitle(QStringLiteral("High Scores"));
    setFixedSize(362, 225);

    auto* label6 = new QLabel(QStringLiteral("Game mode:"), this);
    label6->setGeometry(16, 14, 90, 22);
    ComboBlocks = new QComboBox(this);
    ComboBlocks->setGeometry(110, 12, 160, 24);
    for (int m = 1; m <= ModeCount; ++m)
        ComboBlocks->addItem(QString::fromLatin1(ModePreset(m).ButtonCaption));
    connect(ComboBlocks, &QComboBox::activated, this, &TFormScore::ComboBlocksChange);

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    panel->setGeometry(8, 44, 346, 136);
    for (int r = 1; r <= ScoreRanks; ++r)
    {
        const int y = 16 + 24 * (r - 1);
        const bool first = r == 1;
        LabRank[r - 1] = RowLabel(panel, QString::number(r), 24, y, 20, first);
        LabName[r - 1] = RowLabel(panel, QStringLiteral("---"), 48, y, 186, first);
        LabScore[r - 1] = RowLabel(panel, QStringLiteral("0"), 240, y, 96, first);
    }
    ResetRowColours();

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setGeometry(143, 190, 76, 26);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormScore::BitBtn1Click);
}

void TFormScore::SelectMode(int mode)
{
    Mode = mode;
    ComboBlocks->setCurrentIndex(mode - 1);
    LoadTable();
}

void TFormScore::ComboBlocksChange(int index)
{
    Mode = index + 1;
    LoadTable();
}

void TFormScore::LoadTable()
{
    Table = Scores.Load(Mode);
    ShowTable();
}

void TFormScore::SaveTable()
{
    if (!Scores.Save(Mode, Table))
        Prompts.ScoresNotSaved();
}

void TFormScore::ShowTable()
{
    for (int r = 1; r <= ScoreRanks; ++r)
    {
        LabName[r - 1]->setText(QString::fromStdString(Table.At(r).Name));
        LabScore[r - 1]->setText(QString::fromStdString(Table.At(r).ScoreText));
    }
}

int32_t TFormScore::AddScore(int32_t score)
{
    if (Table.RankFor(score) == 0)
        return 0;
    if (const std::optional<QString> typed = Prompts.AskName(Player))
        Player = *typed;
    const int rank = Table.Insert(score, Player.toStdString());
    ShowTable();
    ResetRowColours();
    HighlightRow(rank, Qt::blue);
    SaveTable();
    return ScoreAt(1);
}

void TFormScore::ResetRowColours()
{
    for (int r = 1; r <= ScoreRanks; ++r)
        HighlightRow(r, r == 1 ? FirstRowColour : QColor(Qt::black));
}

void TFormScore::HighlightRow(int rank, const QColor& colour)
{
    for (QLabel* label : {LabRank[rank - 1], LabName[rank - 1], LabScore[rank - 1]})
    {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colour);
        label->setPalette(palette);
    }
}

void TFormScore::BitBtn1Click()
{
    ResetRowColours();
    SaveTable();
    accept();
}
