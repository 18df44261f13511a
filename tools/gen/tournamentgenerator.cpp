#include "tournamentgenerator.h"

#include <QDateTime>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <string_view>

namespace ostrel {

namespace {

constexpr int HeaderKeyCount = 13;
constexpr int EntrantKeyCount = 6;
constexpr int MaxBattleNumber = 32767;
// The safe zone closes in by one cell every this many turns, which drives
// the last entrants together however large the arena is.
constexpr int ZoneShrinkTurns = 2;
constexpr int TurnsPerComment = 25;

// The eight neighbouring cells, in turning order, so that direction d ± 1
// deviates from d by 45 degrees.
constexpr std::array<std::array<int, 2>, 8> Directions{
    {{1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}, {0, -1}, {1, -1}}};

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

int DirectionTowards(int dx, int dy)
{
    const auto it = std::find(Directions.begin(), Directions.end(),
                              std::array<int, 2>{Sign(dx), Sign(dy)});
    return int(it - Directions.begin());
}

} // namespace

QString TournamentGenerator::CheckOptions(const TournamentOptions &options)
{
    if (options.Entrants < 1 || options.Entrants > MaxEntrants)
        return QStringLiteral("the number of entrants must be from 1 to %1").arg(MaxEntrants);
    if (options.Width < 1 || options.Width > MaxSide || options.Height < 1 || options.Height > MaxSide)
        return QStringLiteral("the width and the height of the arena must be from 1 to %1").arg(MaxSide);
    if (int64_t(options.Width) * options.Height > ScriptLimits::MaxArenaCells)
        return QStringLiteral("an arena of more than %1 cells cannot be shown").arg(ScriptLimits::MaxArenaCells);
    if (options.Entrants > options.Width * options.Height)
        return QStringLiteral("%1 entrants do not fit on an arena of %2 x %3 cells")
            .arg(options.Entrants)
            .arg(options.Width)
            .arg(options.Height);
    if (options.MaxTurns < 0 || options.MaxTurns > MaxTurnCount)
        return QStringLiteral("the number of turns must be from 0 to %1").arg(MaxTurnCount);
    return {};
}

QByteArray TournamentGenerator::Generate(const TournamentOptions &options)
{
    if (!CheckOptions(options).isEmpty())
        return {};
    return TournamentGenerator(options).Run();
}

TournamentGenerator::TournamentGenerator(const TournamentOptions &options)
    : options_(options)
    , random_(options.Seed)
    , arena_(options.Width, options.Height)
    , entrantLines_(options.CrLf)
    , eventLines_(options.CrLf)
{
}

QByteArray TournamentGenerator::Run()
{
    AddEntrants();
    eventLines_.Comment(QStringLiteral("試合経過"));
    for (int turn = 1; turn <= options_.MaxTurns && inPlay_.size() > 1; ++turn)
        PlayTurn(turn);
    eventLines_.Comment(QStringLiteral("試合終了"));
    eventLines_.Text("End", {});

    // The header counts the event lines, so it is written last and put first.
    return Header() + entrantLines_.Bytes() + eventLines_.Bytes();
}

void TournamentGenerator::AddEntrants()
{
    const int width = options_.Width;
    const int height = options_.Height;
    centerX_ = width / 2 + random_.Between(-width / 4, width / 4);
    centerY_ = height / 2 + random_.Between(-height / 4, height / 4);
    startRadius_ = std::max({centerX_, width - 1 - centerX_, centerY_, height - 1 - centerY_});

    // Distinct starting cells: the first Entrants places of a partly
    // shuffled list of all cells.
    std::vector<int> cells(std::size_t(width) * std::size_t(height));
    std::iota(cells.begin(), cells.end(), 0);
    contenders_.resize(std::size_t(options_.Entrants));
    inPlay_.reserve(contenders_.size());
    entrantLines_.Comment(QStringLiteral("参加者 %1 名").arg(options_.Entrants));
    for (int i = 0; i < options_.Entrants; ++i) {
        std::swap(cells[std::size_t(i)], cells[std::size_t(random_.Between(i, int(cells.size()) - 1))]);
        Contender &entrant = contenders_[std::size_t(i)];
        entrant.X = cells[std::size_t(i)] % width;
        entrant.Y = cells[std::size_t(i)] / width;
        for (int &value : entrant.HitPoint)
            value = random_.Between(100, 999);
        for (int &value : entrant.Stats)
            value = random_.Between(10, 999);
        arena_.Enter(i, entrant.X, entrant.Y);
        inPlay_.push_back(i);

        entrantLines_.Text("Doller", names_.DollName(random_));
        entrantLines_.Text("Owner", names_.OwnerName(random_));
        if (i == 0)
            entrantLines_.Comment(QStringLiteral("前回大会の優勝者"));
        entrantLines_.Text("Emblem", names_.Emblem(random_));
        entrantLines_.Number("X", entrant.X);
        entrantLines_.Number("Y", entrant.Y);
        entrantLines_.Numbers("HitPoint", entrant.HitPoint);
    }
}

void TournamentGenerator::PlayTurn(int turn)
{
    if (turn % TurnsPerComment == 0)
        eventLines_.Comment(QStringLiteral("ターン %1").arg(turn));
    eventLines_.Number("Turn", turn);
    MoveEntrants(turn);
    StartBattles();
    FightBattles();
}

void TournamentGenerator::MoveEntrants(int turn)
{
    const int zoneRadius = std::max(0, startRadius_ - (turn - 1) / ZoneShrinkTurns);
    for (const int i : inPlay_) {
        const Contender &entrant = contenders_[std::size_t(i)];
        if (entrant.Fighting)
            continue;
        const int towardsX = centerX_ - entrant.X;
        const int towardsY = centerY_ - entrant.Y;
        const int distance = std::max(std::abs(towardsX), std::abs(towardsY));
        // Outside the zone an entrant heads for its centre and may not turn
        // away from it; inside, it wanders but stays in.
        const int limit = std::max(distance, zoneRadius);
        if (distance > zoneRadius)
            TryStep(i, DirectionTowards(towardsX, towardsY), limit);
        else if (random_.Percent(50))
            TryStep(i, random_.Below(8), limit);
    }
}

bool TournamentGenerator::TryStep(int entrant, int direction, int limit)
{
    Contender &mover = contenders_[std::size_t(entrant)];
    // The way ahead or 45 degrees off it; cells where an entrant lies out
    // are taken only when nothing else is free, so that the map keeps them
    // in view.
    for (const bool overFallen : {false, true}) {
        for (const int turn : {0, 1, -1}) {
            const auto [dx, dy] = Directions[std::size_t((direction + turn + 8) % 8)];
            const int x = mover.X + dx;
            const int y = mover.Y + dy;
            if (!arena_.Contains(x, y) || arena_.InPlayAt(x, y) >= 0
                || std::max(std::abs(centerX_ - x), std::abs(centerY_ - y)) > limit
                || arena_.HasFallen(x, y) != overFallen)
                continue;
            arena_.Leave(mover.X, mover.Y);
            arena_.Enter(entrant, x, y);
            mover.X = x;
            mover.Y = y;
            eventLines_.Numbers("Move", std::array{entrant, dx, dy});
            ++moveLines_;
            return true;
        }
    }
    return false;
}

void TournamentGenerator::StartBattles()
{
    for (const int i : inPlay_) {
        const Contender &entrant = contenders_[std::size_t(i)];
        if (entrant.Fighting)
            continue;
        const int first = random_.Below(8);
        for (int k = 0; k < 8; ++k) {
            const auto [dx, dy] = Directions[std::size_t((first + k) % 8)];
            const int x = entrant.X + dx;
            const int y = entrant.Y + dy;
            if (!arena_.Contains(x, y))
                continue;
            const int other = arena_.InPlayAt(x, y);
            if (other >= 0 && !contenders_[std::size_t(other)].Fighting) {
                BeginBattle(i, other);
                break;
            }
        }
    }
}

void TournamentGenerator::BeginBattle(int player1, int player2)
{
    const int inPlay = int(inPlay_.size());
    BattlePlan::Endings allowed;
    // Every battle that ends with somebody out brings the end closer, so
    // these bounds keep the battle numbers within their 16 bits and leave at
    // least one entrant in play whatever the running battles decide.
    allowed.NobodyOut = battleCount_ + 2 * inPlay < MaxBattleNumber;
    allowed.BothOut = inPlay - pendingOuts_ >= 3;

    RunningBattle battle;
    battle.Number = ++battleCount_;
    battle.Players = {player1, player2};
    battle.Plan = BattlePlan::Make(random_,
                                   {contenders_[std::size_t(player1)].Rate,
                                    contenders_[std::size_t(player2)].Rate},
                                   allowed);
    pendingOuts_ += int(battle.Plan.IsOut(0)) + int(battle.Plan.IsOut(1));
    contenders_[std::size_t(player1)].Fighting = true;
    contenders_[std::size_t(player2)].Fighting = true;
    running_.push_back(std::move(battle));
}

void TournamentGenerator::FightBattles()
{
    for (RunningBattle &battle : running_) {
        const int steps = std::min(battle.Plan.StepCount() - battle.StepsDone, random_.Between(1, 2));
        for (int i = 0; i < steps; ++i)
            WriteFightStep(battle);
    }
    std::erase_if(running_, [](const RunningBattle &battle) {
        return battle.StepsDone == battle.Plan.StepCount();
    });
    std::erase_if(inPlay_, [this](int i) { return !contenders_[std::size_t(i)].InPlay; });
}

void TournamentGenerator::WriteFightStep(RunningBattle &battle)
{
    static constexpr std::string_view statusKeys[] = {"Status1", "Status2"};
    static constexpr std::string_view guideKeys[] = {"Guide1", "Guide2"};
    static constexpr std::string_view hitPointKeys[] = {"HitPoint1", "HitPoint2"};

    const std::array<int, 2> &rates = battle.Plan.RatesAfter[std::size_t(battle.StepsDone)];
    ++battle.StepsDone;
    eventLines_.Numbers("Fight", std::array{battle.Number, random_.Below(2), random_.Between(1, 60)});
    ++fightLines_;
    for (std::size_t side = 0; side < 2; ++side) {
        const Contender &player = contenders_[std::size_t(battle.Players[side])];
        std::array<int, 7> status{battle.Players[side]};
        for (std::size_t k = 0; k < player.Stats.size(); ++k)
            status[k + 1] = std::max(0, player.Stats[k] + random_.Between(-9, 9));
        eventLines_.Numbers(statusKeys[side], status);
    }
    for (std::size_t side = 0; side < 2; ++side)
        eventLines_.Text(guideKeys[side], names_.GuideWord(random_));
    for (std::size_t side = 0; side < 2; ++side) {
        Contender &player = contenders_[std::size_t(battle.Players[side])];
        player.Rate = rates[side];
        std::array<int, 7> hitPoints{player.Rate};
        for (std::size_t k = 0; k < player.HitPoint.size(); ++k)
            hitPoints[k + 1] = player.HitPoint[k] * player.Rate / 100;
        eventLines_.Numbers(hitPointKeys[side], hitPoints);
    }
    if (battle.StepsDone == battle.Plan.StepCount()) {
        eventLines_.Numbers("Result",
                            std::array{battle.Plan.StepCount(), battle.Plan.ResultCode, battle.Plan.OutStatus});
        EndBattle(battle);
    }
}

void TournamentGenerator::EndBattle(const RunningBattle &battle)
{
    for (int side = 0; side < 2; ++side) {
        Contender &player = contenders_[std::size_t(battle.Players[std::size_t(side)])];
        player.Fighting = false;
        if (battle.Plan.IsOut(side)) {
            player.InPlay = false;
            arena_.Fall(player.X, player.Y);
            --pendingOuts_;
        }
    }
}

QByteArray TournamentGenerator::Header() const
{
    // A stream of its own, so that the header's choices do not shift the
    // tournament's.
    SeededRandom random(~options_.Seed);
    constexpr qint64 january2001 = 978307200;
    constexpr int twentyYears = 20 * 365 * 24 * 60 * 60;
    const QDateTime written =
        QDateTime::fromSecsSinceEpoch(january2001 + random.Below(twentyYears), Qt::UTC);

    ScriptWriter header(options_.CrLf);
    header.Comment(QStringLiteral("Torvex バトルロイヤル記録"));
    header.Number("HeaderLines", HeaderKeyCount);
    header.Text("FileName", "tournament" + QByteArray::number(options_.Seed) + ".ostrelScript");
    header.Text("Version", "00.00.02");
    header.Text("ProgramVersion", "2.03");
    header.Text("DateTime", written.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")).toLatin1());
    header.Text("Torvex", "1.0.0.2");
    header.Text("Stadium", names_.Stadium(random));
    header.Number("Xsize", options_.Width);
    header.Number("Ysize", options_.Height);
    header.Number("Entrant", options_.Entrants);
    header.Number("EntrantLines", EntrantKeyCount);
    header.Number("MoveLines", moveLines_);
    header.Number("FightLines", fightLines_);
    return header.Bytes();
}

} // namespace ostrel
