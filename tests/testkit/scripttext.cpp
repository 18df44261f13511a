#include "scripttext.h"

#include "sjisdecoder.h"

#include <QString>

#include <random>
#include <set>
#include <utility>

namespace ostrel {

std::string Sjis(const char *utf8)
{
    return EncodeSjis(QString::fromUtf8(utf8));
}

std::string Header(int entrants, int xsize, int ysize, int entrantLines)
{
    return "HeaderLines: 13\n"
           "FileName: test.ostrelScript\n"
           "Version: 00.00.02\n"
           "ProgramVersion: 2.03\n"
           "DateTime: 2020/01/01 00:00:00\n"
           "Torvex: 1.0\n"
           "Stadium: Test\n"
           "Xsize: " + std::to_string(xsize) + "\n"
           "Ysize: " + std::to_string(ysize) + "\n"
           "Entrant: " + std::to_string(entrants) + "\n"
           "EntrantLines: " + std::to_string(entrantLines) + "\n"
           "MoveLines: 0\n"
           "FightLines: 0\n";
}

std::string EntrantBlock(const std::string &name, const std::string &emblem, int x, int y, const std::string &owner)
{
    return "Doller: " + name + "\nOwner: " + (owner.empty() ? "owner of " + name : owner) + "\nEmblem: " + emblem
        + "\nX: " + std::to_string(x) + "\nY: " + std::to_string(y) + "\nHitPoint: 1,2,3,4,5,6\n";
}

std::string Preamble(int n, int xsize, int ysize)
{
    std::string text = Header(n, xsize, ysize);
    for (int i = 0; i < n; ++i) {
        // Appended rather than "P" + ..., which GCC 12 warns about wrongly at -O2.
        std::string name = "P", emblem = "E";
        name += std::to_string(i);
        emblem += std::to_string(i);
        text += EntrantBlock(name, emblem, i % xsize, i / xsize);
    }
    return text;
}

std::string FightLine(int battle, int lead, int distance)
{
    return "Fight: " + std::to_string(battle) + "," + std::to_string(lead) + "," + std::to_string(distance) + "\n";
}

std::string StatusLine(int side, int entrant)
{
    return "Status" + std::to_string(side) + ": " + std::to_string(entrant) + ",0,0,0,0,0,0\n";
}

std::string HitPointLine(int side, int rate)
{
    return "HitPoint" + std::to_string(side) + ": " + std::to_string(rate) + ",0,0,0,0,0,0\n";
}

std::string Fight(int battle, int p1, int p2, int lead, int distance)
{
    return FightLine(battle, lead, distance) + StatusLine(1, p1) + StatusLine(2, p2);
}

// ----------------------------------------------------------- ScriptBuilder

ScriptBuilder::ScriptBuilder(int columns, int rows) : columns_(columns), rows_(rows) {}

ScriptBuilder &ScriptBuilder::Entrant(const char *emblem, int x, int y, const char *name, const char *owner)
{
    entrantBlocks_.push_back(EntrantBlock(Sjis(name), Sjis(emblem), x, y, Sjis(owner)));
    return *this;
}

ScriptBuilder &ScriptBuilder::Turn()
{
    events_ += "Turn: 0\n";
    return *this;
}

ScriptBuilder &ScriptBuilder::Move(int entrant, int dx, int dy)
{
    events_ += "Move: " + std::to_string(entrant) + "," + std::to_string(dx) + "," + std::to_string(dy) + "\n";
    return *this;
}

ScriptBuilder &ScriptBuilder::Fight(int battle, int leadSide, int distance)
{
    events_ += FightLine(battle, leadSide, distance);
    return *this;
}

ScriptBuilder &ScriptBuilder::Player(int side, int entrant, int rateAfter, const char *guide)
{
    events_ += StatusLine(side + 1, entrant);
    events_ += "Guide" + std::to_string(side + 1) + ": " + Sjis(guide) + "\n";
    events_ += HitPointLine(side + 1, rateAfter);
    return *this;
}

ScriptBuilder &ScriptBuilder::Result(int code, int outStatus)
{
    events_ += "Result: 0," + std::to_string(code) + "," + std::to_string(outStatus) + "\n";
    return *this;
}

std::string ScriptBuilder::Text() const
{
    std::string text = Header(int(entrantBlocks_.size()), columns_, rows_);
    for (const std::string &block : entrantBlocks_)
        text += block;
    return text + events_ + "End:\n";
}

// ------------------------------------------------------------ tournaments

std::string RandomTournament(unsigned seed)
{
    constexpr int Columns = 6;
    constexpr int Rows = 5;
    constexpr int Entrants = 6;
    constexpr int Turns = 12;
    std::mt19937 random(seed);
    const auto below = [&random](int n) { return int(random() % unsigned(n)); };

    ScriptBuilder script(Columns, Rows);
    std::set<std::pair<int, int>> taken;
    std::vector<std::pair<int, int>> cells;
    const char *const emblems[Entrants] = {"Ab", "Cd", "Ef", "Gh", "Ij", "Kl"};
    while (int(cells.size()) < Entrants) {
        const std::pair<int, int> cell{below(Columns), below(Rows)};
        if (taken.insert(cell).second) {
            script.Entrant(emblems[cells.size()], cell.first, cell.second);
            cells.push_back(cell);
        }
    }
    std::vector<bool> inPlay(Entrants, true);
    std::vector<int> rates(Entrants, 100);
    int battles = 0;

    const auto moves = [&] {
        std::set<std::pair<int, int>> left;
        for (int e = 0; e < Entrants; ++e) {
            const int dx = below(3) - 1;
            const int dy = below(3) - 1;
            const std::pair<int, int> to{cells[e].first + dx, cells[e].second + dy};
            const bool inside = to.first >= 0 && to.first < Columns && to.second >= 0 && to.second < Rows;
            if (!inPlay[e] || (dx == 0 && dy == 0) || !inside || taken.count(to) || left.count(to))
                continue;
            taken.erase(cells[e]);
            left.insert(cells[e]);
            taken.insert(to);
            cells[e] = to;
            script.Move(e, dx, dy);
        }
    };
    const auto fight = [&] {
        std::vector<int> players;
        for (int e = 0; e < Entrants; ++e)
            if (inPlay[e])
                players.push_back(e);
        if (players.size() < 2)
            return;
        const int a = players[std::size_t(below(int(players.size())))];
        int b = a;
        while (b == a)
            b = players[std::size_t(below(int(players.size())))];
        ++battles;
        for (int fightSteps = 1 + below(2); fightSteps > 0; --fightSteps) {
            script.Fight(battles, below(2), below(6));
            rates[a] = below(rates[a] + 1);
            rates[b] = below(rates[b] + 1);
            script.Player(0, a, rates[a]).Player(1, b, rates[b]);
        }
        const int codes[] = {-1, 0, 1, 2};
        const int outStatuses[] = {0, 4, 8, 16, 32};
        const int code = codes[below(4)];
        script.Result(code, outStatuses[below(5)]);
        if (code == 1 || code == 2)
            inPlay[a] = false;
        if (code == 0 || code == 2)
            inPlay[b] = false;
    };

    for (int turn = 0; turn < Turns; ++turn) {
        script.Turn();
        const bool fightFirst = below(2) == 0;
        if (fightFirst && below(2) == 0)
            fight();
        moves();
        if (!fightFirst && below(2) == 0)
            fight();
    }
    return script.Text();
}

std::string TwoBattles()
{
    return ScriptBuilder(4, 4)
        .Entrant("竜", 0, 0, "Ryu").Entrant("AB", 2, 0, "Bob").Entrant("CD", 0, 2, "Cid")
        .Turn().Move(0, 1, 0)
        .Turn().Fight(1).Player(0, 0, 70).Player(1, 1, 90)
        .Turn().Fight(1).Player(0, 0, 0).Player(1, 1, 80).Result(1, 8).Move(2, 1, 0)
        .Turn().Fight(2).Player(0, 1, 60).Player(1, 2, 50)
        .Turn().Move(2, 0, 1)
        .Turn().Fight(2, 1).Player(0, 1, 55).Player(1, 2, 0).Result(0, 16)
        .Text();
}

} // namespace ostrel
