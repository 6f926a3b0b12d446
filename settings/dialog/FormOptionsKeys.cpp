// The "Control Keys" page of the Preferences dialog.
#include "settings/dialog/FormOptions.h"

#include "engine/KeyBindings.h"
#include "settings/dialog/KeyPrompt.h"
#include "settings/dialog/KeyTable.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace
{
const char* const ActionNames[ActionCount] = {"Move left", "Move right", "Drop block", "Rotate color", "Rotate block"};

QString KeysText(const std::vector<uint16_t>& keys)
{
    QStringList names;
    for (uint16_t key : keys)
        names << KeyNameOfCode(key);
    return names.isEmpty() ? QStringLiteral("no key") : names.join(QStringLiteral(" or "));
}
} // namespace

void TFormOptions::BuildKeysPage(QWidget* page)
{
    const char* const names[] = {"ComboLeft", "ComboRight", "ComboDrop", "ComboRColor", "ComboRBlock"};
    const char* const buttons[] = {"BindLeft", "BindRight", "BindDrop", "BindRColor", "BindRBlock"};
    const char* const marks[] = {"ClashLeft", "ClashRight", "ClashDrop", "ClashRColor", "ClashRBlock"};
    QComboBox** lists[] = {&ComboLeft, &ComboRight, &ComboDrop, &ComboRColor, &ComboRBlock};
    const QPixmap warning = style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(16, 16);
    for (int i = 0; i < ActionCount; ++i)
    {
        const int top = 24 + 36 * i;
        ClashMarks[i] = new QLabel(page);
        ClashMarks[i]->setObjectName(QString::fromLatin1(marks[i]));
        ClashMarks[i]->setGeometry(18, top + 4, 16, 16);
        ClashMarks[i]->setPixmap(warning);
        ClashMarks[i]->setToolTip(QStringLiteral("Another action has the same key"));
        ClashMarks[i]->hide();
        auto* label = new QLabel(QString::fromLatin1(ActionNames[i]) + QLatin1Char(':'), page);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setGeometry(40, top + 2, 100, 22);
        QComboBox*& list = *lists[i];
        list = new QComboBox(page);
        list->setObjectName(QString::fromLatin1(names[i]));
        list->setGeometry(150, top, 200, 24);
        list->setMaxVisibleItems(16);
        label->setBuddy(list);
        connect(list, &QComboBox::currentIndexChanged, this, &TFormOptions::UpdateKeyMarks);
        BindButtons[i] = new QPushButton(QStringLiteral("Press..."), page);
        BindButtons[i]->setObjectName(QString::fromLatin1(buttons[i]));
        BindButtons[i]->setGeometry(356, top, 50, 24);
        BindButtons[i]->setAutoDefault(false);
        BindButtons[i]->setToolTip(QStringLiteral("Choose the key for %1 by pressing it").arg(ActionNames[i]));
        connect(BindButtons[i], &QPushButton::clicked, this, [this, i] { BindKeyClick(i + 1); });
    }
    ClashNote = new QLabel(QStringLiteral("Marked actions share a key: it does only the first of them."), page);
    ClashNote->setObjectName(QStringLiteral("ClashNote"));
    ClashNote->setGeometry(10, 196, 400, 14);
    ClashNote->hide();
    AlternatesNote = new QLabel(
        QStringLiteral("Arrows and Space also play while no action has them: Left and Right move, Down drops, "
                       "Up rotates the colors, Space the block."),
        page);
    AlternatesNote->setObjectName(QStringLiteral("AlternatesNote"));
    AlternatesNote->setGeometry(10, 210, 400, 28);
    AlternatesNote->setWordWrap(true);
}

void TFormOptions::FillKeyNames(QComboBox* list)
{
    for (int i = 0; i < int(KeyTable.size()); ++i)
        list->addItem(KeyName(i));
    // A list shows no key until one is selected.
    list->setCurrentIndex(-1);
}

QComboBox* TFormOptions::KeyList(int action) const
{
    switch (action)
    {
    case TPreferences::MoveLeft: return ComboLeft;
    case TPreferences::MoveRight: return ComboRight;
    case TPreferences::DropBlock: return ComboDrop;
    case TPreferences::RotateColor: return ComboRColor;
    case TPreferences::RotateBlock: return ComboRBlock;
    default: return nullptr;
    }
}

void TFormOptions::SelectKey(int action, uint16_t code)
{
    QComboBox* list = KeyList(action);
    const auto found = std::find(KeyTable.begin(), KeyTable.end(), code);
    if (list && found != KeyTable.end())
        list->setCurrentIndex(int(found - KeyTable.begin()));
}

uint16_t TFormOptions::SelectedKey(int action) const
{
    const QComboBox* list = KeyList(action);
    const int index = list ? list->currentIndex() : -1;
    return index >= 0 && index < int(KeyTable.size()) ? KeyTable[index] : 0;
}

void TFormOptions::BindKeyClick(int action)
{
    QComboBox* list = KeyList(action);
    if (!list)
        return;
    auto* prompt = new TKeyPrompt(QString::fromLatin1(ActionNames[action - 1]),
                                  [list](int index) { list->setCurrentIndex(index); }, this);
    prompt->open();
}

// Marks the lists that share a key and tells, on each list, which keys do its action now.
void TFormOptions::UpdateKeyMarks()
{
    if (!ClashNote)
        return; // still building the page
    bool anyClash = false;
    for (int a = 1; a <= ActionCount; ++a)
    {
        const uint16_t key = SelectedKey(a);
        bool clash = false;
        for (int b = 1; b <= ActionCount; ++b)
            clash = clash || (b != a && key != 0 && SelectedKey(b) == key);
        ClashMarks[a - 1]->setVisible(clash);
        anyClash = anyClash || clash;
    }
    ClashNote->setVisible(anyClash);
    const TSettings chosen = Chosen().Settings;
    for (int a = 1; a <= ActionCount; ++a)
        KeyList(a)->setToolTip(QStringLiteral("%1: %2").arg(
            QString::fromLatin1(ActionNames[a - 1]), KeysText(KeysOfAction(chosen, ActionOfBinding(a - 1)))));
}
