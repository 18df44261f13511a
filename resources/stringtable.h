#pragma once

// Ids of the program's string table (texts in stringtable.inc).
enum StringId {
    IdsLoaderCaption = 40000,   // caption of every loader message
    IdsMemoryFailure = 40001,   // memory could not be allocated
    IdsNotAScript = 40002,      // the version line does not match
    IdsBadEntrants = 40003,     // the entrant section is incomplete
    IdsTooLarge = 40004,        // arena or entrant count beyond what can be shown
    IdsSettingsNotSaved = 40005, // the window's settings could not be written at closing
    IdsCannotOpen = 40006,      // a named file is missing or cannot be read; %1 is its path
};

// The UTF-8 text of a string table entry, or an empty text for an unknown id.
const char *StringTableText(int id);
