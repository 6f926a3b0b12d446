#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The whole content of a regular file of at most maxBytes. A named pipe, a device, a folder, a
// missing or unreadable file, or a larger one gives nothing, and opening it can never block.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes);
