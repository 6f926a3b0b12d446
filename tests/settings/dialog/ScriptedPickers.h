#pragma once

#include "settings/dialog/OptionPickers.h"

#include <deque>

// Answers the dialog's pickers from queues; an empty queue is a cancelled picker.
class TScriptedPickers : public TOptionPickers
{
public:
    std::optional<QString> PickMusicFile(QWidget*, const QString&) override { return Next(MusicFiles); }
    std::optional<uint32_t> PickColor(QWidget*, uint32_t initial) override
    {
        ColorStarts.push_back(initial);
        return Next(Colors);
    }
    std::optional<QString> PickPicture(QWidget*, const QString& start) override
    {
        PictureStarts.push_back(start);
        return Next(Pictures);
    }

    std::deque<QString> MusicFiles;
    std::deque<uint32_t> Colors;
    std::deque<QString> Pictures;
    std::deque<uint32_t> ColorStarts;
    std::deque<QString> PictureStarts;

private:
    template <class T>
    static std::optional<T> Next(std::deque<T>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};
