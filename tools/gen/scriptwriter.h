#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <span>
#include <string_view>

namespace ostrel {

// Builds the bytes of a script file line by line, every line ended the same
// way (CR LF or LF): keyed lines "Key: value" ("Key:" for an empty text) and
// comment lines "#text".
// Keys and numbers are ASCII; text values are given already in Shift-JIS,
// comments as text that the writer encodes itself.
class ScriptWriter {
public:
    explicit ScriptWriter(bool crlf);

    void Text(std::string_view key, QByteArrayView value);
    void Number(std::string_view key, long long value);
    // The values separated by "," without blanks, as every list is read.
    void Numbers(std::string_view key, std::span<const int> values);
    void Comment(const QString &text);

    const QByteArray &Bytes() const { return bytes_; }

private:
    void BeginKeyed(std::string_view key);
    void AppendNumber(long long value);
    void EndLine();

    QByteArray bytes_;
    std::string_view lineEnd_;
};

} // namespace ostrel
