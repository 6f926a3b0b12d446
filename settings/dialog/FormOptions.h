#pragma once

#include "settings/Preferences.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TColorPanel;
class TOptionPickers;

// The Preferences dialog. Its controls hold the values being edited; Fill puts the game's values
// in, and after OK Chosen reads them back out. The controls carry the names the game's forms
// always gave them, so handlers and tests speak of the same CheckMusic or RadioImage1.
class TFormOptions : public QDialog
{
public:
    TFormOptions(const TDisplayFacts& display, TOptionPickers& pickers, QWidget* parent = nullptr);

    void Fill(const TPreferences& now);
    // What Fill was given, with the player's choices in the fields the dialog edits.
    TPreferences Chosen() const;

    static void FillKeyNames(QComboBox* list);
    // Action 1..5 (left, right, drop, rotate colour, rotate block). A code outside KeyTable
    // changes nothing; SelectedKey gives 0 for a list without a selection or another action.
    void SelectKey(int action, uint16_t code);
    uint16_t SelectedKey(int action) const;

    // Event handlers, named after their controls.
    void CheckMusicClick();
    void ButtonMusicClick();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button5Click();
    void RadioSolid256Click();
    void RadioSolidClick();
    void RadioPyramidClick();
    void RadioNumberClick();
    void BitBtn1Click();
    void BitBtn3Click();
    // The button beside an action's list: the next key pressed selects its entry.
    void BindKeyClick(int action);

    QTabWidget* PageControl1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

    QCheckBox* CheckFast = nullptr;
    QCheckBox* CheckSound = nullptr;
    QCheckBox* CheckNext = nullptr;
    QRadioButton* RadioSmall = nullptr;
    QRadioButton* RadioMedium = nullptr;
    QRadioButton* RadioLarge = nullptr;
    QRadioButton* RadioFit = nullptr;
    TCellPixels FixedCell = LargeCell; // what "Fit to window" hands back as the size
    QCheckBox* CheckMusic = nullptr;
    QLineEdit* EditMusic = nullptr;
    QPushButton* ButtonMusic = nullptr;

    QRadioButton* RadioSolid256 = nullptr;
    QRadioButton* RadioSolid = nullptr;
    QRadioButton* RadioPyramid = nullptr;
    QRadioButton* RadioNumber = nullptr;
    std::array<QLabel*, 7> Images{}; // Image1 .. Image7

    QRadioButton* RadioSolid1 = nullptr;
    TColorPanel* Panel1 = nullptr;
    QPushButton* Button2 = nullptr;
    QRadioButton* RadioImage1 = nullptr;
    QLineEdit* EditImage1 = nullptr;
    QCheckBox* CheckTile1 = nullptr;
    QPushButton* Button3 = nullptr;
    QRadioButton* RadioSolid2 = nullptr;
    TColorPanel* Panel2 = nullptr;
    QPushButton* Button4 = nullptr;
    QRadioButton* RadioImage2 = nullptr;
    QLineEdit* EditImage2 = nullptr;
    QCheckBox* CheckTile2 = nullptr;
    QPushButton* Button5 = nullptr;

    QComboBox* ComboLeft = nullptr;
    QComboBox* ComboRight = nullptr;
    QComboBox* ComboDrop = nullptr;
    QComboBox* ComboRColor = nullptr;
    QComboBox* ComboRBlock = nullptr;
    std::array<QPushButton*, ActionCount> BindButtons{}; // BindLeft .. BindRBlock
    std::array<QLabel*, ActionCount> ClashMarks{};       // shown beside lists that share a key
    QLabel* ClashNote = nullptr;
    QLabel* AlternatesNote = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildGeneralPage(QWidget* page);
    void BuildSkinsPage(QWidget* page);
    void BuildBackgroundPage(QWidget* page);
    void BuildKeysPage(QWidget* page);
    void FormCreate();
    void FormShow();
    void ShowValues(const TPreferences& values);
    void LoadPreview(const QString& stem);
    void PickColor(QRadioButton* useColor, TColorPanel* swatch);
    void PickImage(QRadioButton* useImage, QLineEdit* path, QCheckBox* tile);
    QComboBox* KeyList(int action) const;
    void UpdateKeyMarks();

    TDisplayFacts Display;
    TOptionPickers& Pickers;
    TPreferences Filled;
};
