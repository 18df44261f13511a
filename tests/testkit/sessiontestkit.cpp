#include "sessiontestkit.h"

#include <QFile>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <stdexcept>

namespace ostrel {

namespace {

// A script file that lives as long as the object.
class ScriptText {
public:
    explicit ScriptText(const std::string &script)
    {
        if (!file_.open() || file_.write(script.data(), qint64(script.size())) != qint64(script.size()))
            throw std::runtime_error("cannot write the test script");
        file_.close();
    }
    QString Path() const { return file_.fileName(); }

private:
    QTemporaryFile file_;
};

} // namespace

QString ScriptFolder::Write(const QString &name, const std::string &bytes) const
{
    const QString path = Path(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        return {};
    return path;
}

ReplayModel LoadModel(const std::string &script)
{
    const ScriptText text(script);
    const ScriptFile file = OpenScriptFile(text.Path());
    ReplayModel model;
    const LoadResult result = ScriptLoader(model).Read(file.get());
    EXPECT_TRUE(result.Succeeded());
    // A message means the test's script is broken.
    EXPECT_TRUE(result.Messages.empty());
    return model;
}

LoadResult OpenScript(ReplaySession &session, const std::string &script)
{
    const ScriptText text(script);
    return session.OpenScript(text.Path());
}

std::unique_ptr<ReplaySession> OpenSession(const std::string &script)
{
    auto session = std::make_unique<ReplaySession>();
    const LoadResult result = OpenScript(*session, script);
    EXPECT_TRUE(result.Succeeded());
    EXPECT_TRUE(result.Messages.empty());
    return session;
}

std::ostream &operator<<(std::ostream &out, const EntrantState &state)
{
    return out << "{X " << state.X << ", Y " << state.Y << ", rate " << state.HitPointRate << ", status "
               << state.Status << "}";
}

std::vector<EntrantState> StatesOf(const std::vector<Entrant> &entrants)
{
    std::vector<EntrantState> states;
    for (const Entrant &e : entrants)
        states.push_back({e.X, e.Y, e.HitPointRate, e.Status});
    return states;
}

} // namespace ostrel
