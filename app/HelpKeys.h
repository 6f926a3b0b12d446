#pragma once

#include <QString>

struct TSettings;

// The manual names the keys that act now: "{{MoveLeft}}", "{{MoveRight}}", "{{Drop}}",
// "{{RotateColor}}" and "{{RotateBlock}}" in a page become the keys of that action, bound key
// first, in bold.
QString FillKeyNames(QString page, const TSettings& settings);
