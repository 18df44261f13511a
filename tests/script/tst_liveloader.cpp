// A file read live, in chunks cut anywhere, leaves after every chunk the
// model that a whole load of the bytes taken in gives, and after the last
// the model of the whole file.

#include "loadertestkit.h"
#include "modeldump.h"
#include "scriptline.h"
#include "scripttext.h"
#include "tournamentgenerator.h"

#include <gtest/gtest.h>

#include <QTemporaryFile>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>

namespace ostrel {
namespace {

std::string WholeLoad(const std::string &bytes)
{
    ReplayModel model;
    const LoadOutcome outcome = LoadBytes(model, bytes);
    return outcome.loaded ? DumpModel(model) : "not loaded";
}

// Positions of every match of needle, shifted by offset.
std::vector<std::size_t> Find(const std::string &bytes, std::string_view needle, std::ptrdiff_t offset)
{
    std::vector<std::size_t> at;
    for (std::size_t p = bytes.find(needle); p != std::string::npos; p = bytes.find(needle, p + 1))
        at.push_back(std::size_t(std::ptrdiff_t(p) + offset));
    return at;
}

// A tournament with what the cuts aim at: CR LF line ends, double-byte
// names, lines longer than a piece (with keyed lines in their later
// pieces), a comment, and fights whose lines come turns apart.
std::string Awkward()
{
    std::string text = Preamble(4);
    text += "# " + std::string(700, 'c') + "\n";
    text += "Turn:1\r\nMove:0,1,0\r\nMove:1,0,1\r\n";
    text += "Turn:" + std::string(505, 'x') + "Move:2,1," + std::string(600, '1') + "\r\n";
    text += FightLine(1) + StatusLine(1, 0) + "Guide1:" + Sjis("桜の印") + "\r\n";
    text += "Turn:3\nMove:3,-1,0\n" + StatusLine(2, 1) + HitPointLine(1, 80) + "Result:0,0,8\n";
    text += FightLine(2) + StatusLine(1, 2) + StatusLine(2, 3) + std::string(509, 'y') + "\r\nMove:2,0,1\n";
    text += "Result:1,1,16";  // no line end
    return text;
}

struct Input {
    const char *Name;
    std::string Bytes;
};

std::vector<Input> Inputs()
{
    TournamentOptions crlf;
    crlf.Seed = 7;
    crlf.Entrants = 12;
    crlf.CrLf = true;
    return {
        {"awkward", Awkward()},
        {"random 3", RandomTournament(3)},
        {"random 11", RandomTournament(11)},
        {"generated crlf", TournamentGenerator::Generate(crlf).toStdString()},
        {"example", TwoBattles()},
    };
}

using CutPicker = std::function<std::vector<std::size_t>(const std::string &, std::mt19937 &)>;

struct Cuts {
    const char *Name;
    CutPicker Pick;
};

std::vector<Cuts> CutKinds()
{
    return {
        {"random bytes", [](const std::string &bytes, std::mt19937 &random) {
             std::vector<std::size_t> at;
             for (int i = 0; i < 40; ++i)
                 at.push_back(random() % (bytes.size() + 1));
             return at;
         }},
        {"between CR and LF", [](const std::string &bytes, std::mt19937 &) { return Find(bytes, "\r\n", 1); }},
        {"inside a double-byte character", [](const std::string &bytes, std::mt19937 &) {
             std::vector<std::size_t> at;
             for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
                 if (static_cast<unsigned char>(bytes[i]) >= 0x81)
                     at.push_back(i + 1), ++i;
             }
             return at;
         }},
        {"at piece boundaries", [](const std::string &bytes, std::mt19937 &) {
             std::vector<std::size_t> at;
             std::size_t lineStart = 0;
             for (std::size_t i = 0; i < bytes.size(); ++i) {
                 if (bytes[i] == '\n')
                     lineStart = i + 1;
                 else if ((i - lineStart) % LineReader::MaxPiece == 0 && i > lineStart)
                     at.insert(at.end(), {i - 1, i, i + 1});
             }
             return at;
         }},
        {"after Fight lines", [](const std::string &bytes, std::mt19937 &) {
             std::vector<std::size_t> at;
             for (std::size_t p : Find(bytes, "Fight:", 0))
                 at.push_back(bytes.find('\n', p) + 1);
             return at;
         }},
    };
}

// Grows a file chunk by chunk and reads it live, reopening it now and then
// as a watcher does.
class LiveFile {
public:
    explicit LiveFile(ReplayModel &model) : loader_(model)
    {
        if (!file_.open())
            throw std::runtime_error("cannot write a temporary file");
    }

    void Append(std::string_view bytes)
    {
        file_.write(bytes.data(), qint64(bytes.size()));
        file_.flush();
    }

    // Starts or takes in; true once the read has started.
    bool Read(bool reopen, const ScriptLoader::Amending &amending = {})
    {
        if (!reader_ || reopen) {
            reader_ = OpenScriptFile(file_.fileName());
            std::fseek(reader_.get(), long(loader_.BytesRead()), SEEK_SET);
        }
        if (!loader_.Started()) {
            std::rewind(reader_.get());
            return loader_.Start(reader_.get()).has_value();
        }
        EXPECT_TRUE(loader_.TakeIn(reader_.get(), amending));
        return true;
    }
    void Finish() { loader_.Finish(reader_.get()); }
    const ScriptLoader &Loader() const { return loader_; }

private:
    QTemporaryFile file_;
    ScriptFile reader_;
    ScriptLoader loader_;
};

TEST(LiveLoader, EqualsAWholeLoadOfTheBytesTakenInAfterEveryChunk)
{
    std::map<std::string, int> inputsCut;  // by kind of cut: each must cut some input
    for (const Input &input : Inputs()) {
        const std::string &bytes = input.Bytes;
        const std::string whole = WholeLoad(bytes);
        for (const Cuts &kind : CutKinds()) {
            std::mt19937 random(42);
            std::set<std::size_t> cuts;
            for (std::size_t at : kind.Pick(bytes, random))
                cuts.insert(std::min(at, bytes.size()));
            if (cuts.empty())
                continue;
            ++inputsCut[kind.Name];
            cuts.insert(bytes.size());
            SCOPED_TRACE(std::string(input.Name) + ", cut " + kind.Name);

            ReplayModel model;
            LiveFile live(model);
            std::size_t written = 0;
            int chunk = 0;
            for (std::size_t cut : cuts) {
                live.Append(std::string_view(bytes).substr(written, cut - written));
                written = cut;
                std::vector<int> amended;
                const std::size_t stepsBefore = model.Steps.size();
                if (!live.Read(++chunk % 3 == 0, [&](int step) { amended.push_back(step); }))
                    continue;
                const std::size_t taken = live.Loader().BytesTaken();
                ASSERT_LE(taken, cut);
                // Whole lines only; a line ends in LF.
                ASSERT_TRUE(taken == 0 || bytes[taken - 1] == '\n') << "taken " << taken;
                ASSERT_EQ(DumpModel(model), WholeLoad(bytes.substr(0, taken))) << "cut at " << cut;
                for (int step : amended)
                    EXPECT_TRUE(step >= 1 && std::size_t(step) <= stepsBefore);
            }
            live.Finish();
            EXPECT_EQ(DumpModel(model), whole);
        }
    }
    for (const Cuts &kind : CutKinds())
        EXPECT_GT(inputsCut[kind.Name], 0) << kind.Name;
}

TEST(LiveLoader, WaitsForTheWholeEntrantSectionAndStopsAtEnd)
{
    const std::string bytes = TwoBattles() + "Turn:\nMove:0,1,0\n";
    const std::size_t events = bytes.find("Turn:");
    ReplayModel model;
    LiveFile live(model);
    live.Append(bytes.substr(0, events - 3));
    EXPECT_FALSE(live.Read(false));
    EXPECT_TRUE(model.Entrants.empty()) << "the model is left alone while waiting";
    live.Append(bytes.substr(events - 3));
    ASSERT_TRUE(live.Read(false));
    EXPECT_TRUE(live.Loader().Ended());
    EXPECT_EQ(live.Loader().BytesTaken(), bytes.find("End:") + 5);
    EXPECT_EQ(DumpModel(model), WholeLoad(bytes));
}

TEST(LiveLoader, TellsOfEachStepBeforeALaterLineChangesIt)
{
    // The turn's move step takes a Move line after the fight; the fight
    // takes its Result turns later.
    const std::string head = Preamble(3) + "Turn:\nMove:0,1,0\n" + FightLine(1) + StatusLine(1, 1) + "Turn:\nMove:2,0,1\n";
    ReplayModel model;
    LiveFile live(model);
    live.Append(head);
    ASSERT_TRUE(live.Read(false));
    std::vector<int> amended;
    const auto note = [&](int step) { amended.push_back(step); };
    live.Append(StatusLine(2, 0) + "Result:0,0,8\n");
    live.Read(false, note);
    EXPECT_EQ(amended, std::vector<int>{2});
    amended.clear();
    live.Append("Move:1,0,1\nTurn:\n");
    live.Read(false, note);
    EXPECT_EQ(amended, std::vector<int>{3});
}

} // namespace
} // namespace ostrel
