// korvedit's command-line usage: printed by --help and made into the
// manual page korvedit(1) by tools/manuals, so that the two say the same.
#pragma once

namespace korv {

inline constexpr const char* kKorveditUsage =
    "usage: korvedit [--folder DIR] [MAP] [--screenshot FILE.png] [--seed N]\n"
    "                [--print-positions]\n"
    "options:\n"
    "  MAP                    a map file to open at start\n"
    "  --folder DIR           the game folder (it holds bmp/mapl.bmp); without it the\n"
    "                         current folder, the folder used last time or the\n"
    "                         program's own; an installed editor then opens the user's\n"
    "                         own copy of the demo game (korv/demo-game in the data\n"
    "                         folder, ~/.local/share by default), made at the first\n"
    "                         start; else a folder chooser asks for it\n"
    "  --screenshot FILE.png  start, open MAP, save a picture of the window and end\n"
    "                         (with QT_QPA_PLATFORM=offscreen no display is needed)\n"
    "  --seed N               the random numbers' seed (random tiles), for repeatable\n"
    "                         runs\n"
    "  --print-positions      print where the map view, the tile sheet and (once shown)\n"
    "                         the control window's owner list are on the screen, for\n"
    "                         scripted sessions that click them\n"
    "  --help                 this text\n";

}  // namespace korv
