// The program's version, written once: the resource script's version block and About box, the
// build's project version, the release's zip names and the tests all take it from here. Plain
// #defines, which both rc and C++ read, and CMake and the release script find by their names.
#pragma once

#define MIRL_VERSION_MAJOR 1
#define MIRL_VERSION_MINOR 0
#define MIRL_VERSION_PATCH 0
#define MIRL_VERSION_BUILD 2

// The text of the argument once expanded, as it is written: commas and spaces included.
#define MIRL_QUOTE_(...) #__VA_ARGS__
#define MIRL_QUOTE(...) MIRL_QUOTE_(__VA_ARGS__)

// The version block's four numbers, and the same as its strings write them: "1, 0, 0, 2".
#define MIRL_VERSION_NUMBERS \
    MIRL_VERSION_MAJOR, MIRL_VERSION_MINOR, MIRL_VERSION_PATCH, MIRL_VERSION_BUILD
#define MIRL_VERSION_STRING MIRL_QUOTE(MIRL_VERSION_NUMBERS)

// The About box's line, which names the major and the minor version: "mirlTTY Version 1.0".
#define MIRL_ABOUT_VERSION_LINE \
    "mirlTTY Version " MIRL_QUOTE(MIRL_VERSION_MAJOR) "." MIRL_QUOTE(MIRL_VERSION_MINOR)
