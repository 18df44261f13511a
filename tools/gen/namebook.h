#pragma once

#include <QByteArray>
#include <QList>

namespace ostrel {

class SeededRandom;

// The Japanese texts of a generated tournament, already in Shift-JIS: names
// of dolls and owners, emblems, the guide words of fight steps and stadiums.
// Every text fits its field in the script file, has no blank where the file
// reads a single word, and every emblem starts with one double-byte
// character or two single-byte ones, so its two-byte map label is whole.
class NameBook {
public:
    NameBook();

    QByteArray DollName(SeededRandom &random) const;
    QByteArray OwnerName(SeededRandom &random) const;
    QByteArray Emblem(SeededRandom &random) const;
    const QByteArray &GuideWord(SeededRandom &random) const;
    const QByteArray &Stadium(SeededRandom &random) const;

private:
    QList<QByteArray> dollHeads_;
    QList<QByteArray> dollTails_;
    QList<QByteArray> dollMarks_;
    QList<QByteArray> familyNames_;
    QList<QByteArray> givenNames_;
    QList<QByteArray> wideEmblems_;
    QList<QByteArray> narrowEmblems_;
    QList<QByteArray> emblemTails_;
    QList<QByteArray> guideWords_;
    QList<QByteArray> stadiums_;
};

} // namespace ostrel
