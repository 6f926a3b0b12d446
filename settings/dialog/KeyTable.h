#pragma once

#include <QString>

#include <array>
#include <cstdint>

// The keys a player can bind, as Windows virtual-key codes, in the order the key lists show them.
inline constexpr std::array<uint16_t, 53> KeyTable = {
    38,  37,  40,  39,  32,  13,  33,  34,  35,  36,  45,  46,                          // arrows .. Delete
    96,  97,  98,  99,  100, 101, 102, 103, 104, 105,                                  // keypad 0..9
    65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,  80,  81, // A..Q
    82,  83,  84,  85,  86,  87,  88,  89,  90,                                        // R..Z
    106, 107, 109, 110, 111,                                                           // keypad operators
};

// The name the lists show for entry index of KeyTable.
QString KeyName(int index);
// The name of any key code: its list name, or its number for a code the lists do not offer.
QString KeyNameOfCode(uint16_t code);
