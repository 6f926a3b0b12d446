#pragma once

#include "scores/ScoreTableStore.h"
#include "scores/dialog/ScorePrompts.h"

#include <QDialog>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

// The high-score window: the five best scores of one mode at a time, chosen in a drop-down list.
// Created once at start-up and only shown and hidden after that. The tables come from the store
// and every question to the player goes through the prompts.
class TFormScore : public QDialog
{
    Q_OBJECT

public:
    TFormScore(IScoreTableStore& scores, IScorePrompts& prompts, QWidget* parent = nullptr);

    void SelectMode(int mode);
    void LoadTable();
    void SaveTable();
    // 0 when the score did not enter; otherwise the best score of the table after the entry.
    int32_t AddScore(int32_t score);
    int32_t ScoreAt(int rank) const { return Table.At(rank).Score; }
    void ResetRowColours();
    void HighlightRow(int rank, const QColor& colour);

    int TableMode() const { return Mode; }
    const QString& PlayerName() const { return Player; }
    QLabel* NameLabel(int rank) const { return LabName[rank - 1]; }
    QLabel* ScoreLabel(int rank) const { return LabScore[rank - 1]; }
    QComboBox* ModeList() const { return ComboBlocks; }
    QPushButton* OkButton() const { return BitBtn1; }

private:
    void ComboBlocksChange(int index);
    void BitBtn1Click();
    void ShowTable();

    IScoreTableStore& Scores;
    IScorePrompts& Prompts;
    TScoreTable Table;
    QString Player;
    int Mode = 1;

    QComboBox* ComboBlocks = nullptr;
    std::array<QLabel*, ScoreRanks> LabRank{};
    std::array<QLabel*, ScoreRanks> LabName{};
    std::array<QLabel*, ScoreRanks> LabScore{};
    QPushButton* BitBtn1 = nullptr;
};
