#include "generatedscript.h"

#include <QList>

#include <charconv>
#include <stdexcept>

namespace {

std::vector<ScriptLine> KeyedLines(const QByteArray &bytes)
{
    std::vector<ScriptLine> lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        const qsizetype colon = line.indexOf(':');
        if (line.startsWith('#') || colon < 0)
            continue;
        qsizetype value = colon + 1;
        while (value < line.size() && (line[value] == ' ' || line[value] == '\t'))
            ++value;
        lines.push_back({line.first(colon).toStdString(), line.sliced(value).toStdString()});
    }
    return lines;
}

std::vector<int> RequireNumbers(const ScriptLine &line, std::size_t count)
{
    const std::optional<std::vector<int>> numbers = ParseNumbers(line.Value);
    if (!numbers || numbers->size() != count)
        throw std::runtime_error("malformed " + line.Key + " line: " + line.Value);
    return *numbers;
}

// Fills the fight in hand from a line that belongs to it.
void AddToFight(FightEvent &fight, const ScriptLine &line)
{
    fight.Keys.push_back(line.Key);
    const std::size_t side = line.Key.back() == '2' ? 1 : 0;
    if (line.Key.starts_with("Status"))
        fight.Players[side] = RequireNumbers(line, 7)[0];
    else if (line.Key.starts_with("HitPoint"))
        fight.RatesAfter[side] = RequireNumbers(line, 7)[0];
    else if (line.Key.starts_with("Guide"))
        fight.Guides[side] = line.Value;
    else if (line.Key == "Result") {
        const std::vector<int> result = RequireNumbers(line, 3);
        fight.Result = std::array{result[0], result[1], result[2]};
    }
}

} // namespace

GeneratedScript GeneratedScript::Read(const QByteArray &bytes)
{
    const std::vector<ScriptLine> lines = KeyedLines(bytes);
    GeneratedScript script;
    std::size_t next = 0;
    const auto take = [&](std::size_t count) {
        if (lines.size() - next < count)
            throw std::runtime_error("the file ends too early");
        std::vector<ScriptLine> taken(lines.begin() + std::ptrdiff_t(next), lines.begin() + std::ptrdiff_t(next + count));
        next += count;
        return taken;
    };
    if (lines.empty() || lines.front().Key != "HeaderLines")
        throw std::runtime_error("the file does not start with HeaderLines");
    script.Header = take(std::size_t(RequireNumbers(lines.front(), 1)[0]));
    const int entrantLines = script.HeaderNumber("EntrantLines");
    for (int i = 0; i < script.HeaderNumber("Entrant"); ++i)
        script.Entrants.push_back(take(std::size_t(entrantLines)));

    int turn = 0;
    for (; next < lines.size() && !script.Ended; ++next) {
        const ScriptLine &line = lines[next];
        if (line.Key == "Turn") {
            ++turn;
            ++script.TurnLines;
        } else if (line.Key == "Move") {
            const std::vector<int> move = RequireNumbers(line, 3);
            script.Events.emplace_back(std::in_place_type<MoveEvent>, MoveEvent{turn, move[0], move[1], move[2]});
        } else if (line.Key == "Fight") {
            const std::vector<int> numbers = RequireNumbers(line, 3);
            FightEvent &fight = std::get<FightEvent>(script.Events.emplace_back(std::in_place_type<FightEvent>));
            fight.Turn = turn;
            fight.Battle = numbers[0];
            fight.LeadSide = numbers[1];
            fight.Distance = numbers[2];
        } else if (line.Key == "End") {
            script.Ended = true;
        } else if (!script.Events.empty() && std::holds_alternative<FightEvent>(script.Events.back())) {
            AddToFight(std::get<FightEvent>(script.Events.back()), line);
        } else {
            throw std::runtime_error("line outside a fight: " + line.Key);
        }
    }
    if (next != lines.size())
        throw std::runtime_error("keyed lines after End");
    return script;
}

std::string GeneratedScript::HeaderText(const std::string &key) const
{
    for (const ScriptLine &line : Header)
        if (line.Key == key)
            return line.Value;
    return {};
}

int GeneratedScript::HeaderNumber(const std::string &key) const
{
    const std::optional<std::vector<int>> numbers = ParseNumbers(HeaderText(key));
    if (!numbers || numbers->size() != 1)
        throw std::runtime_error("header value of " + key + " is not a number");
    return numbers->front();
}

std::string GeneratedScript::EntrantText(std::size_t i, const std::string &key) const
{
    for (const ScriptLine &line : Entrants.at(i))
        if (line.Key == key)
            return line.Value;
    throw std::runtime_error("entrant block without " + key);
}

std::optional<std::vector<int>> ParseNumbers(const std::string &value)
{
    std::vector<int> numbers;
    const char *position = value.data();
    const char *const end = position + value.size();
    while (true) {
        int number = 0;
        const auto [stop, error] = std::from_chars(position, end, number);
        if (error != std::errc())
            return std::nullopt;
        numbers.push_back(number);
        if (stop == end)
            return numbers;
        if (*stop != ',')
            return std::nullopt;
        position = stop + 1;
    }
}

std::vector<bool> InPlayAtEnd(const GeneratedScript &script)
{
    std::vector<bool> inPlay(script.Entrants.size(), true);
    for (const ScriptEvent &event : script.Events) {
        const FightEvent *fight = std::get_if<FightEvent>(&event);
        if (!fight || !fight->Result)
            continue;
        const int code = (*fight->Result)[1];
        if (code == 1 || code == 2)
            inPlay.at(std::size_t(fight->Players[0])) = false;
        if (code == 0 || code == 2)
            inPlay.at(std::size_t(fight->Players[1])) = false;
    }
    return inPlay;
}
