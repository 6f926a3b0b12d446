#include "settings/dialog/KeyPrompt.h"

#include "input/KeyCodes.h"
#include "settings/dialog/KeyTable.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

TKeyPrompt::TKeyPrompt(const QString& action, std::function<void(int)> chosen, QWidget* parent)
    : QDialog(parent), Question(QStringLiteral("Press a key for %1...").arg(action)), Chosen(std::move(chosen))
{
    setObjectName(QStringLiteral("KeyPrompt"));
    setWindowTitle(QStringLiteral("Control Keys"));
    setAttribute(Qt::WA_DeleteOnClose);
    Message = new QLabel(Question + QStringLiteral("\n\nEscape cancels."), this);
    Message->setObjectName(QStringLiteral("KeyPromptMessage"));
    Message->setAlignment(Qt::AlignCenter);
    Message->setMinimumWidth(260);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 20);
    layout->addWidget(Message);
}

bool TKeyPrompt::event(QEvent* event)
{
    // Every key is the player's answer, Tab and Enter included; none moves the focus.
    if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
    {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            KeyPressed(static_cast<const QKeyEvent&>(*event));
        return true;
    }
    return QDialog::event(event);
}

void TKeyPrompt::KeyPressed(const QKeyEvent& key)
{
    if (key.key() == Qt::Key_Escape)
    {
        reject();
        return;
    }
    // Modifier keys alone are part of a key, not one.
    if (key.key() == Qt::Key_Shift || key.key() == Qt::Key_Control || key.key() == Qt::Key_Alt ||
        key.key() == Qt::Key_Meta || key.key() == Qt::Key_AltGr)
        return;
    const uint16_t code = VirtualKeyFromEvent(key);
    const auto found = std::find(KeyTable.begin(), KeyTable.end(), code);
    if (code == 0 || found == KeyTable.end())
    {
        const QString name = QKeySequence(key.key()).toString(QKeySequence::NativeText);
        Message->setText(QStringLiteral("The key %1 cannot be used.\n%2\n\nEscape cancels.").arg(name, Question));
        return;
    }
    if (Chosen)
        Chosen(int(found - KeyTable.begin()));
    accept();
}
