#include "scores/FormScore.h"

#include <QComboBox>
#include <QPushButton>
#include <QLabel>
#include <QSettings>
#include <gtest/gtest.h>

namespace
{
QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Hollin", "Pelmo2000");
}

class FormScoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Store().clear();
        Form.AskName = [this](const QString& current) {
            Asked << current;
            return Answer;
        };
    }

    QString Row(int rank) const { return Form.NameLabel(rank)->text() + " " + Form.ScoreLabel(rank)->text(); }
    QColor Colour(int rank) const { return Form.ScoreLabel(rank)->palette().color(QPalette::WindowText); }

    TFormScore Form;
    QStringList Asked;
    std::optional<QString> Answer;
};

TEST_F(FormScoreTest, AddScoreAsksForANameAndKeepsTheStoreInStep)
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
        {0, "Zed", 0, nullptr, 0},      {1234, "Ann", 1234, "", 1},  {5000, "Bob", 5000, "Ann", 1},
        {4000, {}, 5000, "Bob", 2},     {3000, "Cy", 5000, "Bob", 3}, {2000, "", 5000, "Cy", 4},
        {1234, "Eve", 0, nullptr, 0},   {4000, "Dee", 5000, "", 2},   {9000, "Fay", 9000, "Dee", 1},
    };
    Form.SelectMode(7);
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.Score);
        Asked.clear();
        Answer = step.Answer;
        EXPECT_EQ(Form.AddScore(step.Score), step.Returned);
        EXPECT_EQ(Asked, step.Prefill ? QStringList{step.Prefill} : QStringList{});
        if (step.Rank != 0)
            EXPECT_EQ(Colour(step.Rank), QColor(Qt::blue));
        if (step.Score == 2000) // the table that holds Ann's 1234 at rank 5
        {
            EXPECT_EQ(Store().value("CName75").toString(), "Ann");
            EXPECT_EQ(Store().value("CScore75").toString(), "1234");
        }
    }
    const QStringList expected{"Fay 9000", "Bob 5000", "Dee 4000", "Bob 4000", "Cy 3000"};
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(Row(r), expected[r - 1]);

    TFormScore again; // a new run reads what the last one saved
    again.SelectMode(7);
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(again.NameLabel(r)->text() + " " + again.ScoreLabel(r)->text(), expected[r - 1]);
}

TEST_F(FormScoreTest, HandEditedScoreShowsAsStoredAndCountsAsZero)
{
    Store().setValue("CName31", "Hacker");
    Store().setValue("CScore31", "lots");
    Form.SelectMode(3);
    EXPECT_EQ(Row(1), "Hacker lots");
    EXPECT_EQ(Form.ScoreAt(1), 0);
    EXPECT_EQ(Form.ModeList()->currentText(), "TrioBlock");

    Answer = "Ann";
    EXPECT_EQ(Form.AddScore(1), 1);
    EXPECT_EQ(Row(1), "Ann 1");
    EXPECT_EQ(Row(2), "Hacker lots");
}

TEST_F(FormScoreTest, OkResetsTheColoursAndTheListShowsOtherModes)
{
    Store().setValue("CScore21", "77");
    Form.SelectMode(7);
    Answer = "Ann";
    Form.AddScore(50);
    Form.ModeList()->setCurrentIndex(1);
    emit Form.ModeList()->activated(1);
    EXPECT_EQ(Form.TableMode(), 2);
    EXPECT_EQ(Row(1), " 77");
    EXPECT_EQ(Colour(1), QColor(Qt::blue)); // switching tables leaves the colours

    Form.OkButton()->click();
    EXPECT_EQ(Colour(1), QColor(Qt::red));
    EXPECT_EQ(Colour(2), QColor(Qt::black));
}
} // namespace
