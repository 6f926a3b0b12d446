#include "scores/ScoreStore.h"
#include "scores/dialog/FormScore.h"
#include "settings/SettingsStore.h"
#include "tests/support/TempStore.h"

#include <QComboBox>
#include <QPushButton>
#include <QLabel>
#include <gtest/gtest.h>

namespace
{
// The five rows as shown, "name score".
QStringList Rows(const TFormScore& form)
{
    QStringList rows;
    for (int r = 1; r <= ScoreRanks; ++r)
        rows << form.NameLabel(r)->text() + " " + form.ScoreLabel(r)->text();
    return rows;
}

class FormScoreTest : public StoreTest, public IScorePrompts
{
protected:
    std::optional<QString> AskName(const QString& current) override
    {
        Asked << current;
        return Answer;
    }
    void ScoresNotSaved() override { ADD_FAILURE() << "the store refused a table"; }

    QColor Colour(int rank) const { return Form.ScoreLabel(rank)->palette().color(QPalette::WindowText); }

    TSettingsStore Store;
    TScoreStore Scores{Store};
    TFormScore Form{Scores, *this};
    QStringList Asked;
    std::optional<QString> Answer;
};

TEST_F(FormScoreTest, AddScoreTakesItsRankAsksForANameAndKeepsTheStoreInStep)
{
    struct Step
    {
        int32_t Score;
        std::optional<QString> Answer; // nothing: Cancel
        int32_t Returned;
        const char* Prefill; // null: no prompt
        int Rank;
    };
    const Step steps[] = {
        {0, "Zed", 0, nullptr, 0},    {1234, "Ann", 1234, "", 1},    {5000, "Bob", 5000, "Ann", 1},
        {4000, {}, 5000, "Bob", 2},   {3000, "Cy", 5000, "Bob", 3},  {2000, "", 5000, "Cy", 4},
        {1234, "Eve", 0, nullptr, 0}, {4000, "Dee", 5000, "", 2},    {2500, "Gus", 5000, "Dee", 5},
        {9000, "Fay", 9000, "Gus", 1},
    };
    Form.SelectMode(7);
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.Score);
        Asked.clear();
        Answer = step.Answer;
        EXPECT_EQ(Form.AddScore(step.Score), step.Returned);
        EXPECT_EQ(Asked, step.Prefill ? QStringList{step.Prefill} : QStringList{});
        EXPECT_TRUE(step.Rank == 0 || Colour(step.Rank) == QColor(Qt::blue));
        if (step.Score == 2000) // the table that holds Ann's 1234 at rank 5
        {
            EXPECT_EQ(RawText("CName75") + "/" + RawText("CScore75"), "Ann/1234");
        }
    }
    const QStringList expected{"Fay 9000", "Bob 5000", "Dee 4000", "Bob 4000", "Cy 3000"};
    EXPECT_EQ(Rows(Form), expected);
    TSettingsStore nextStore; // a new run reads what the last one saved
    TScoreStore nextScores(nextStore);
    TFormScore again(nextScores, *this);
    again.SelectMode(7);
    EXPECT_EQ(Rows(again), expected);
}

TEST_F(FormScoreTest, HandEditedScoreShowsAsStoredAndCountsAsZero)
{
    RawStore()->setValue("CName31", "Hacker");
    RawStore()->setValue("CScore31", "lots");
    Form.SelectMode(3);
    EXPECT_EQ(std::make_pair(Form.ScoreAt(1), Form.ModeList()->currentText()), std::make_pair(0, QString("TrioBlock")));
    Answer = "Ann";
    EXPECT_EQ(Form.AddScore(1), 1);
    EXPECT_EQ(Rows(Form).mid(0, 2), (QStringList{"Ann 1", "Hacker lots"}));
}

TEST_F(FormScoreTest, OkResetsTheColoursAndTheListShowsOtherModes)
{
    RawStore()->setValue("CScore21", "77");
    Form.SelectMode(7);
    Answer = "Ann";
    Form.AddScore(50);
    Form.ModeList()->setCurrentIndex(1);
    emit Form.ModeList()->activated(1);
    // Switching tables leaves the colours.
    EXPECT_EQ(std::make_tuple(Form.TableMode(), Rows(Form)[0], Colour(1)),
              std::make_tuple(2, QString(" 77"), QColor(Qt::blue)));
    Form.OkButton()->click();
    EXPECT_EQ(std::make_pair(Colour(1), Colour(2)), std::make_pair(QColor(Qt::red), QColor(Qt::black)));
}
} // namespace
