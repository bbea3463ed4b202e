// The pages' context menu and the two cursors of the watermark preview
// (moving the watermark, turning it).
#include <array>
#include <cstddef>

#include "parts.h"
#include "qlres/resource_ids.h"

namespace tq::qlres {
namespace {

const res::MenuItemTemplate kPageMenuItems[] = {
    {kMenuToolTips, u"&Info-bulles"},
    {kMenuMessages, u"&Messages"},
    {kMenuShowAtPrint, u"A&fficher la boîte de dialogue à l'impression"},
};
const res::MenuResource kMenus[] = {{kPageMenu, kPageMenuItems}};

constexpr int kSide = 16;
using CursorPixels = std::array<BYTE, kSide * kSide * 4>;

// A cursor drawn as text: '#' black, '.' white, ' ' transparent. A row of
// another length stops the build.
constexpr CursorPixels Draw(const char* const (&rows)[kSide]) {
  CursorPixels pixels{};
  for (int y = 0; y < kSide; ++y) {
    int x = 0;
    for (; rows[y][x] != 0; ++x) {
      if (x >= kSide) throw "cursor row too long";
      const std::size_t at = static_cast<std::size_t>((y * kSide + x) * 4);
      const char c = rows[y][x];
      const BYTE shade = c == '.' ? 0xFF : 0x00;
      pixels[at] = pixels[at + 1] = pixels[at + 2] = shade;
      pixels[at + 3] = c == ' ' ? 0x00 : 0xFF;
    }
    if (x != kSide) throw "cursor row too short";
  }
  return pixels;
}

constexpr const char* kMoveRows[kSide] = {
    "       #        ",
    "      #.#       ",
    "     #...#      ",
    "    ###.###     ",
    "   #  #.#  #    ",
    "  ##  #.#  ##   ",
    " #.####.####.#  ",
    "#.............# ",
    " #.####.####.#  ",
    "  ##  #.#  ##   ",
    "   #  #.#  #    ",
    "    ###.###     ",
    "     #...#      ",
    "      #.#       ",
    "       #        ",
    "                ",
};

constexpr const char* kTurnRows[kSide] = {
    "                ",
    "    ######      ",
    "  ##......##    ",
    " #..######..#   ",
    " #.#      #.#   ",
    "#.#        #.#  ",
    "#.#      #######",
    "#.#       #...# ",
    "#.#        #.#  ",
    "#.#         #   ",
    " #.#            ",
    " #..#      #    ",
    "  ##.######.#   ",
    "    #......#    ",
    "     ######     ",
    "                ",
};

constexpr CursorPixels kMovePixels = Draw(kMoveRows);
constexpr CursorPixels kTurnPixels = Draw(kTurnRows);

const res::CursorResource kCursors[] = {
    {kMoveWatermarkCursor, kSide, kSide, 7, 7, kMovePixels},
    {kTurnWatermarkCursor, kSide, kSide, 7, 7, kTurnPixels},
};

}  // namespace

std::span<const res::MenuResource> Menus() { return kMenus; }
std::span<const res::CursorResource> Cursors() { return kCursors; }

}  // namespace tq::qlres
