#pragma once
// Bits as "0"/"1" text and bytes as upper-case hex pairs, for readable expectations.
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/BitString.h"

inline std::string BitText(const BitString& bits) {
    std::string text;
    for (std::size_t i = 0; i < bits.size(); ++i) text += bits.bit(i) ? '1' : '0';
    return text;
}

inline std::string HexText(const std::string& bytes) {
    std::string text;
    char pair[3];
    for (unsigned char c : bytes) {
        std::snprintf(pair, sizeof pair, "%02X", c);
        text += pair;
    }
    return text;
}
