#pragma once

#include "settings/dialog/PickerSize.h"

#include <QString>

#include <cstdint>
#include <optional>

class QWidget;

// The three pickers the Preferences dialog opens. Each gives nothing when the player cancels.
// Tests put scripted answers in their place.
class TOptionPickers
{
public:
    virtual ~TOptionPickers() = default;
    // A MIDI file, by its full path.
    virtual std::optional<QString> PickMusicFile(QWidget* parent, const QString& startFolder);
    // A colour (0x00BBGGRR), starting from the one shown.
    virtual std::optional<uint32_t> PickColor(QWidget* parent, uint32_t initial);
    // A picture file with a preview, starting at the path given.
    virtual std::optional<QString> PickPicture(QWidget* parent, const QString& startPath);

    // What the two file pickers open at, for the rest of the run.
    static TPickerSize MusicPickerSize;
    static TPickerSize PicturePickerSize;
};
