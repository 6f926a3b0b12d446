#pragma once

#include <QString>

#include <optional>

class QWidget;

// The name prompt of a new high score: "Enter your name", pre-filled and fully selected.
class TNameDialog
{
public:
    static constexpr int MaxLength = 255;

    // The text typed (possibly empty) on OK; nothing on Cancel.
    static std::optional<QString> Ask(QWidget* parent, const QString& current);
};
