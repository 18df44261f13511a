#include "battledigest.h"

#include "sjisdecoder.h"

#include <QString>

namespace ostrel {

namespace {

// The fixed parts of the digest, in Shift-JIS.
struct DigestTexts {
    std::string turn = EncodeSjis(QStringLiteral("ターン: "));
    std::string battleNo = EncodeSjis(QStringLiteral("試合番号: "));
    std::string distance = EncodeSjis(QStringLiteral("相対距離: "));
    std::string emblemOpen = EncodeSjis(QStringLiteral("《"));
    std::string emblemClose = EncodeSjis(QStringLiteral("》 "));
    std::string ownerSeparator = EncodeSjis(QStringLiteral("／"));
};

const DigestTexts &Texts()
{
    static const DigestTexts texts;
    return texts;
}

// A side that names no entrant of the table shows "?" for each text, as the
// battle list does.
std::string Description(const ReplayModel &model, const FightSide &side)
{
    const Entrant *entrant = model.EntrantAt(side.EntrantIndex);
    std::string text = Texts().emblemOpen;
    text += entrant ? entrant->Emblem.View() : "?";
    text += Texts().emblemClose;
    text += entrant ? entrant->Doller.View() : "?";
    text += Texts().ownerSeparator;
    text += entrant ? entrant->Owner.View() : "?";
    return text;
}

std::string SideLine(std::string description, std::size_t width, const FightSide &side)
{
    description.resize(std::max(description.size(), width), ' ');
    description += "  ";
    description += side.Guide.View();
    return description;
}

} // namespace

std::string TurnLine(int turn)
{
    return Texts().turn + std::to_string(turn);
}

std::vector<std::string> BattleDigestLines(const ReplayModel &model, const FightRecord &fight)
{
    const FightSide &lead = fight.Side[fight.LeadSide == 0 ? 0 : 1];
    const FightSide &other = fight.Side[fight.LeadSide == 0 ? 1 : 0];
    const std::string leadText = Description(model, lead);
    const std::string otherText = Description(model, other);
    const std::size_t width = std::max(leadText.size(), otherText.size());
    return {
        Texts().battleNo + std::to_string(fight.BattleNo),
        Texts().distance + std::to_string(fight.Distance),
        SideLine(leadText, width, lead),
        SideLine(otherText, width, other),
    };
}

} // namespace ostrel
