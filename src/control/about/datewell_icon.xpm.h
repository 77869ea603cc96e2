#pragma once
// The control's pictures as XPM text: the icon (32 by 32 and 16 by 16, 16 colours) and the
// toolbox bitmap (16 by 15). Each is a drop-down field above a calendar page with one day
// marked in red; the toolbox bitmap is framed in olive.

namespace datewell {

// The icon at 32 by 32: the About box's window icon and its image.
inline constexpr const char* kDatewellIcon32[] = {"32 32 7 1",
                                                  ". c None",
                                                  "g c #808080",
                                                  "k c #000000",
                                                  "n c #000080",
                                                  "r c #FF0000",
                                                  "s c #C0C0C0",
                                                  "w c #FFFFFF",
                                                  "................................",
                                                  ".kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.",
                                                  ".kwwwwwwwwwwwwwwwwwwwkssssssssk.",
                                                  ".kwwwwwwwwwwwwwwwwwwwkssssssssk.",
                                                  ".kwwgwgwgwgwgwgwgwwwwkskkkkkksk.",
                                                  ".kwwgwgwgwgwgwgwgwwwwksskkkkssk.",
                                                  ".kwwgwgwgwgwgwgwgwwwwkssskksssk.",
                                                  ".kwwwwwwwwwwwwwwwwwwwkssssssssk.",
                                                  ".kwwwwwwwwwwwwwwwwwwwkssssssssk.",
                                                  ".kkkkkkkkkkkkkkkkkkkkkkkkkkkkkk.",
                                                  "................................",
                                                  "................................",
                                                  "...kkkkkkkkkkkkkkkkkkkkkkkkkk...",
                                                  "...kggggggggggggggggggggggggk...",
                                                  "...kggggggggggggggggggggggggk...",
                                                  "...kggggggggggggggggggggggggk...",
                                                  "...kggggggggggggggggggggggggk...",
                                                  "...kwwwwwwwwwwwwwwwwwwwwwwwwk...",
                                                  "...kwnnwnnwnnwnnwnnwnnwnnwwwk...",
                                                  "...kwwwwwwwwwwwwwwwwwwwwwwwwk...",
                                                  "...kwnnwnnwnnwnnwnnwnnwnnwwwk...",
                                                  "...kwwwwwwwwwwwwwwwwwwwwwwwwk...",
                                                  "...kwwwwwwwwwwwwwwwwwwwwwwwwk...",
                                                  "...kwnnwnnwnnwnnwrrwnnwnnwwwk...",
                                                  "...kwwwwwwwwwwwwwwwwwwwwwwwwk...",
                                                  "...kwnnwnnwnnwnnwnnwnnwnnwwwk...",
                                                  "...kwwwwwwwwwwwwwwwwwwwwwwwwk...",
                                                  "...kwwwwwwwwwwwwwwwwwwwwwwwwk...",
                                                  "...kwnnwnnwnnwnnwnnwnnwnnwwwk...",
                                                  "...kwwwwwwwwwwwwwwwwwwwwwwwwk...",
                                                  "...kkkkkkkkkkkkkkkkkkkkkkkkkk...",
                                                  "................................"};

// The icon at 16 by 16.
inline constexpr const char* kDatewellIcon16[] = {
    "16 16 7 1",        ". c None",         "g c #808080",      "k c #000000",
    "n c #000080",      "r c #FF0000",      "s c #C0C0C0",      "w c #FFFFFF",
    "kkkkkkkkkkkkkkkk", "kwwwwwwwwwkssssk", "kwggggggwwkkkksk", "kwwwwwwwwwkskssk",
    "kkkkkkkkkkkkkkkk", "................", ".kkkkkkkkkkkkkk.", ".kggggggggggggk.",
    ".kggggggggggggk.", ".kwwwwwwwwwwwwk.", ".kwnwnwnwnwnwwk.", ".kwwwwwwwwwwwwk.",
    ".kwnwnwnwrwnwwk.", ".kwwwwwwwwwwwwk.", ".kwnwnwnwnwnwwk.", ".kkkkkkkkkkkkkk."};

// The toolbox bitmap, 16 by 15, framed in olive.
inline constexpr const char* kDatewellToolbox[] = {
    "16 15 7 1",        "g c #808080",      "k c #000000",      "n c #000080",
    "o c #808000",      "r c #FF0000",      "s c #C0C0C0",      "w c #FFFFFF",
    "oooooooooooooooo", "osssssssssssssso", "oskkkkkkkkkkkkso", "oskwwwwwwwkkkkso",
    "oskwwwwwwwskskso", "oskkkkkkkkkkkkso", "osssssssssssssso", "osskkkkkkkkkksso",
    "osskggggggggksso", "osskwwwwwwwwksso", "ossknwnwrwnwksso", "osskwwwwwwwwksso",
    "ossknwnwnwnwksso", "osskkkkkkkkkksso", "oooooooooooooooo"};

}  // namespace datewell
