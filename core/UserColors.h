#pragma once
#include <array>
#include <cstdint>

// The picker's 36 user colours, 6 columns by 6 rows: element (col, row) at col + 6 * row.
// Packed RGB with the top byte 0; loaded from and saved to the user colour file.
using UserColorTable = std::array<std::int32_t, 36>;
