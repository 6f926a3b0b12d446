#pragma once

#include "core/Settings.h"
#include "tests/support/TempStore.h"

#include <gtest/gtest.h>

inline const TDisplayFacts WideTrueColor{1280, 32, "/opt/pelmo/"};

// Differs from every default on every display, so a field that is not loaded shows.
inline TSettings UnusualSettings()
{
    TSettings s;
    s.ColNumber = 5;
    s.RowNumber = 15;
    s.NumOfBlock = 1;
    s.NumOfColor = 4;
    s.BlockWidth = 30;
    s.BlockHeight = 25;
    s.StartLevel = 7;
    s.BlockPicture = 4;
    s.GameMode = 2;
    s.FastDropping = false;
    s.SoundOn = false;
    s.MusicOn = false;
    s.MusicFile = "/home/ana/Musik/Lieder, alte/Träume \"Nacht\".mid";
    s.InnerMode = 3;
    s.OuterMode = 0;
    s.InnerColor = 0x00FF8040;
    s.OuterColor = 0x00010203;
    s.InnerImage = "/tmp/inner=1;a.jpg";
    s.OuterImage = "@outer.bmp";
    s.InnerTile = false;
    s.OuterTile = false;
    s.LeftKey = 37;
    s.RightKey = 65535;
    s.DropKey = 32768;
    s.RColorKey = 38;
    s.RBlockKey = 17;
    return s;
}

inline void ExpectSameSettings(const TSettings& expected, const TSettings& actual)
{
    EXPECT_EQ(expected.ColNumber, actual.ColNumber);
    EXPECT_EQ(expected.RowNumber, actual.RowNumber);
    EXPECT_EQ(expected.NumOfBlock, actual.NumOfBlock);
    EXPECT_EQ(expected.NumOfColor, actual.NumOfColor);
    EXPECT_EQ(expected.BlockWidth, actual.BlockWidth);
    EXPECT_EQ(expected.BlockHeight, actual.BlockHeight);
    EXPECT_EQ(expected.StartLevel, actual.StartLevel);
    EXPECT_EQ(expected.BlockPicture, actual.BlockPicture);
    EXPECT_EQ(expected.GameMode, actual.GameMode);
    EXPECT_EQ(expected.FastDropping, actual.FastDropping);
    EXPECT_EQ(expected.SoundOn, actual.SoundOn);
    EXPECT_EQ(expected.MusicOn, actual.MusicOn);
    EXPECT_EQ(expected.MusicFile, actual.MusicFile);
    EXPECT_EQ(expected.InnerMode, actual.InnerMode);
    EXPECT_EQ(expected.OuterMode, actual.OuterMode);
    EXPECT_EQ(expected.InnerColor, actual.InnerColor);
    EXPECT_EQ(expected.OuterColor, actual.OuterColor);
    EXPECT_EQ(expected.InnerImage, actual.InnerImage);
    EXPECT_EQ(expected.OuterImage, actual.OuterImage);
    EXPECT_EQ(expected.InnerTile, actual.InnerTile);
    EXPECT_EQ(expected.OuterTile, actual.OuterTile);
    EXPECT_EQ(expected.LeftKey, actual.LeftKey);
    EXPECT_EQ(expected.RightKey, actual.RightKey);
    EXPECT_EQ(expected.DropKey, actual.DropKey);
    EXPECT_EQ(expected.RColorKey, actual.RColorKey);
    EXPECT_EQ(expected.RBlockKey, actual.RBlockKey);
}
