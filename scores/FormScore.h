#pragma once

#include "scores/ScoreStore.h"
#include "settings/SettingsStore.h"

#include <QDialog>

#include <array>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

// The high-score window: the five best scores of one mode at a time, chosen in a drop-down list.
// Created once at start-up and only shown and hidden after that.
class TFormScore : public QDialog
{
    Q_OBJECT

public:
    explicit TFormScore(QWidget* parent = nullptr);

    // Asks for the name of a new entry, pre-filled with the last one; no answer on Cancel.
    std::function<std::optional<QString>(const QString& current)> AskName;
    // Told once per table that the store refused to keep (the table stays on screen regardless).
    std::function<void()> SaveFailed;

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

    TSettingsStore Store;
    TScoreStore Scores{Store};
    TScoreTable Table;
    QString Player;
    int Mode = 1;

    QComboBox* ComboBlocks = nullptr;
    std::array<QLabel*, ScoreRanks> LabRank{};
    std::array<QLabel*, ScoreRanks> LabName{};
    std::array<QLabel*, ScoreRanks> LabScore{};
    QPushButton* BitBtn1 = nullptr;
};
