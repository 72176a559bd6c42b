#pragma once
#include <ostream>
#include <string>
#include <vector>

// `--render IN.lvd OUT.png [--zoom Z] [--scale S] [--quality low|medium|high|best]`:
// the canvas road without a window. The document's preview movie is
// rebuilt into a temporary folder, handed to the player, and the player's
// image at ZoomRate x scale x canvas size on the document's background is
// saved as PNG. `args` are the words after `--render`. Returns 0 on success;
// otherwise prints the reason on `err` and returns non-zero.
int RunRender(const std::vector<std::string>& args, std::ostream& err);
