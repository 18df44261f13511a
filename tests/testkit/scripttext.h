#pragma once

// Script text for the tests, written in one place: the header, the entrant
// blocks and the event lines, either piece by piece (for files that break
// the rules on purpose) or as a whole tournament through ScriptBuilder.
// Texts are bytes as they stand in the file; Sjis() gives the Shift-JIS of
// UTF-8 source text.

#include <string>
#include <vector>

namespace ostrel {

// Shift-JIS bytes of UTF-8 source text.
std::string Sjis(const char *utf8);

// A header that declares its 13 lines, with the given counts.
std::string Header(int entrants, int xsize = 8, int ysize = 6, int entrantLines = 6);

// A complete entrant block of six lines; the owner is "owner of <name>"
// unless given.
std::string EntrantBlock(const std::string &name, const std::string &emblem, int x, int y,
                         const std::string &owner = {});

// A header and n complete entrant blocks, entrant i named P<i> with emblem
// E<i> at (i % xsize, i / xsize).
std::string Preamble(int n, int xsize = 8, int ysize = 6);

// The event lines; side is 1 or 2.
std::string FightLine(int battle, int lead = 0, int distance = 1);
std::string StatusLine(int side, int entrant);
std::string HitPointLine(int side, int rate);

// "Fight" plus both Status lines: a fight step of battle b between players p1 and p2.
std::string Fight(int battle, int p1, int p2, int lead = 0, int distance = 1);

// A whole tournament, step by step; entrant texts are given as UTF-8 and
// written as Shift-JIS. Text() ends it with "End:".
class ScriptBuilder {
public:
    ScriptBuilder(int columns, int rows);
    ScriptBuilder &Entrant(const char *emblem, int x, int y, const char *name = "Name", const char *owner = "Owner");
    ScriptBuilder &Turn();
    ScriptBuilder &Move(int entrant, int dx, int dy);
    ScriptBuilder &Fight(int battle, int leadSide = 0, int distance = 1);
    // The Status, Guide and HitPoint lines of one player of the latest fight;
    // side 0 is player 1.
    ScriptBuilder &Player(int side, int entrant, int rateAfter, const char *guide = "guide");
    ScriptBuilder &Result(int code, int outStatus);
    std::string Text() const;

private:
    int columns_;
    int rows_;
    std::vector<std::string> entrantBlocks_;
    std::string events_;
};

// A tournament of random moves and fights that keeps to the game's rules:
// entrants stay inside the arena, never share a cell and never enter a cell
// that another left in the same turn; only entrants in play move and fight.
std::string RandomTournament(unsigned seed);

// Turn 1: a move. Turns 2 and 3: battle 1 of entrant 0 against entrant 1,
// which player 2 wins; a move. Turns 4 to 6: battle 2 of entrant 1 against
// entrant 2 over two fights with a move between them; player 1 wins. Seven
// steps: move, fight, fight, move, fight, move, fight.
std::string TwoBattles();

} // namespace ostrel
