#include "namebook.h"

#include "seededrandom.h"

#include "sjisdecoder.h"

#include <initializer_list>

namespace ostrel {

namespace {

QList<QByteArray> ToShiftJis(std::initializer_list<const char *> texts)
{
    QList<QByteArray> encoded;
    encoded.reserve(qsizetype(texts.size()));
    for (const char *text : texts)
        encoded.append(QByteArray::fromStdString(EncodeSjis(QString::fromUtf8(text))));
    return encoded;
}

const QByteArray &PickFrom(const QList<QByteArray> &pool, SeededRandom &random)
{
    return pool[random.Below(int(pool.size()))];
}

} // namespace

NameBook::NameBook()
    : dollHeads_(ToShiftJis({"アカ", "シロ", "クロ", "ミズ", "ツキ", "ユキ", "カゼ", "ホムラ",
                             "サクラ", "イカヅチ", "ハガネ", "コハク", "ルリ", "ヒスイ"}))
    , dollTails_(ToShiftJis({"ネ", "マル", "ヒメ", "ドウジ", "オー", "キ", "ロウ", "ミ", "カゲ",
                             "ヤシャ"}))
    , dollMarks_(ToShiftJis({"改", "弐式", "参号機", "零式", "Ｍｋ２"}))
    , familyNames_(ToShiftJis({"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "山本", "中村",
                               "小林", "加藤", "吉田", "山口", "松本", "井上"}))
    , givenNames_(ToShiftJis({"太郎", "花子", "健一", "美咲", "翔", "陽菜", "大輔", "結衣",
                              "蓮", "葵", "誠", "さくら", "悠真", "ひかり"}))
    , wideEmblems_(ToShiftJis({"龍", "虎", "鷹", "狼", "桜", "炎", "雷", "月", "星", "剣",
                               "★", "◆", "盾", "鋼"}))
    , narrowEmblems_(ToShiftJis({"K9", "RX", "Z3", "ｱｽ", "ﾐｶ", "GT", "ﾗｲ", "V2"}))
    , emblemTails_(ToShiftJis({"", "", "紋", "章", "印", "団", "-7", "ﾏﾙ"}))
    , guideWords_(ToShiftJis({"攻撃", "防御", "回避", "突撃", "反撃", "待機", "後退", "接近",
                              "必殺技", "連続攻撃", "狙撃", "挑発", "集中", "跳躍", "防戦",
                              "様子見"}))
    , stadiums_(ToShiftJis({"第一闘技場", "月光スタジアム", "紅蓮アリーナ", "砂塵コロシアム",
                            "星降るドーム", "氷河闘技場", "雷鳴スタジアム", "桜花アリーナ"}))
{
}

// Each part is drawn in a statement of its own: the operands of one "+" may
// be evaluated in either order, and the same seed must give the same names
// whichever compiler built the tool.

QByteArray NameBook::DollName(SeededRandom &random) const
{
    QByteArray name = PickFrom(dollHeads_, random);
    name += PickFrom(dollTails_, random);
    if (random.Percent(30))
        name += PickFrom(dollMarks_, random);
    return name;
}

QByteArray NameBook::OwnerName(SeededRandom &random) const
{
    QByteArray name = PickFrom(familyNames_, random);
    name += ' ';
    name += PickFrom(givenNames_, random);
    return name;
}

QByteArray NameBook::Emblem(SeededRandom &random) const
{
    QByteArray emblem = PickFrom(random.Percent(60) ? wideEmblems_ : narrowEmblems_, random);
    emblem += PickFrom(emblemTails_, random);
    return emblem;
}

const QByteArray &NameBook::GuideWord(SeededRandom &random) const
{
    return PickFrom(guideWords_, random);
}

const QByteArray &NameBook::Stadium(SeededRandom &random) const
{
    return PickFrom(stadiums_, random);
}

} // namespace ostrel
