#include "scriptwriter.h"

#include "sjisdecoder.h"

#include <charconv>

namespace ostrel {

ScriptWriter::ScriptWriter(bool crlf)
    : lineEnd_(crlf ? "\r\n" : "\n")
{
}

void ScriptWriter::Text(std::string_view key, QByteArrayView value)
{
    BeginKeyed(key);
    if (!value.isEmpty()) {
        bytes_.append(' ');
        bytes_.append(value);
    }
    EndLine();
}

void ScriptWriter::Number(std::string_view key, long long value)
{
    BeginKeyed(key);
    bytes_.append(' ');
    AppendNumber(value);
    EndLine();
}

void ScriptWriter::Numbers(std::string_view key, std::span<const int> values)
{
    BeginKeyed(key);
    bytes_.append(' ');
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            bytes_.append(',');
        AppendNumber(values[i]);
    }
    EndLine();
}

void ScriptWriter::Comment(const QString &text)
{
    bytes_.append('#');
    bytes_.append(QByteArray::fromStdString(EncodeSjis(text)));
    EndLine();
}

void ScriptWriter::BeginKeyed(std::string_view key)
{
    bytes_.append(QByteArrayView(key));
    bytes_.append(':');
}

void ScriptWriter::AppendNumber(long long value)
{
    // Formatting without QByteArray::number's temporary: the large benchmark
    // tournaments write millions of numbers.
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    bytes_.append(digits, qsizetype(end - digits));
}

void ScriptWriter::EndLine()
{
    bytes_.append(QByteArrayView(lineEnd_));
}

} // namespace ostrel
