#pragma once

#include <QByteArray>

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

// A light reading of a generated script file, independent of the viewer's
// loader and stricter than it: lines end at LF (a CR before it is dropped),
// "#" lines and lines without ":" are passed over, and a keyed line splits
// at its first ":" with the blanks after it skipped. The header takes as many
// keyed lines as its first one says, each entrant block as many as the
// header's "EntrantLines", and the events run to "End".
struct ScriptLine {
    std::string Key;
    std::string Value;
};

struct MoveEvent {
    int Turn = 0;
    int Entrant = -1;
    int Dx = 0;
    int Dy = 0;
};

struct FightEvent {
    int Turn = 0;
    int Battle = 0;
    int LeadSide = -1;
    int Distance = 0;
    std::vector<std::string> Keys;  // the keys of the lines after "Fight", in order
    std::array<int, 2> Players{-1, -1};
    std::array<int, 2> RatesAfter{-1, -1};
    std::array<std::string, 2> Guides;
    std::optional<std::array<int, 3>> Result;  // info, code, out status
};

using ScriptEvent = std::variant<MoveEvent, FightEvent>;

struct GeneratedScript {
    std::vector<ScriptLine> Header;
    std::vector<std::vector<ScriptLine>> Entrants;
    std::vector<ScriptEvent> Events;
    int TurnLines = 0;
    bool Ended = false;  // the events closed with an "End" line

    static GeneratedScript Read(const QByteArray &bytes);

    // The value of a header key; empty when the header lacks it.
    std::string HeaderText(const std::string &key) const;
    int HeaderNumber(const std::string &key) const;
    // The value of key in entrant block i.
    std::string EntrantText(std::size_t i, const std::string &key) const;
};

// "a,b,c" as integers; a value that is not a plain integer gives nothing.
std::optional<std::vector<int>> ParseNumbers(const std::string &value);

// The entrants still in play after every battle result of the events.
std::vector<bool> InPlayAtEnd(const GeneratedScript &script);
