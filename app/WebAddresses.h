#pragma once

// The web pages the program opens: the maker's home page, the game's own page and the page of
// the music's composer. All three belong to the maker, Hollin.
struct TWebAddresses
{
    static constexpr const char* Maker = "https://www.hollin-games.net/";
    static constexpr const char* Program = "https://www.hollin-games.net/pelmo2000/";
    static constexpr const char* Composer = "https://www.hollin-games.net/sound/";
};
