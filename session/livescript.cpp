#include "livescript.h"

namespace ostrel {

namespace {

std::optional<uint64_t> FileSize(std::FILE *file)
{
    if (std::fseek(file, 0, SEEK_END) != 0)
        return std::nullopt;
    const long size = std::ftell(file);
    return size < 0 ? std::nullopt : std::optional(uint64_t(size));
}

std::optional<std::string> BytesAt(std::FILE *file, uint64_t at, std::size_t count)
{
    std::string bytes(count, '\0');
    if (std::fseek(file, long(at), SEEK_SET) != 0 || std::fread(bytes.data(), 1, count, file) != count)
        return std::nullopt;
    return bytes;
}

} // namespace

LiveScript::Look LiveScript::Check()
{
    const ScriptFile file = OpenScriptFile(path_);
    if (!file)
        return Look::Unreadable;
    const std::optional<uint64_t> size = FileSize(file.get());
    if (!size)
        return Look::Unreadable;
    const uint64_t read = loader_.BytesRead();
    if (*size < read)
        return Look::Replaced;
    const std::optional<std::string> head = BytesAt(file.get(), 0, head_.size());
    const std::optional<std::string> tail = BytesAt(file.get(), read - tail_.size(), tail_.size());
    if (!head || !tail)
        return Look::Unreadable;
    if (*head != head_ || *tail != tail_)
        return Look::Replaced;
    return *size == read ? Look::Unchanged : Look::Grown;
}

std::optional<LoadResult> LiveScript::Start()
{
    const ScriptFile file = OpenScriptFile(path_);
    if (!file)
        return LoadResult{};
    std::optional<LoadResult> result = loader_.Start(file.get());
    if (loader_.Started())
        KeepAnchors(file.get());
    return result;
}

ScriptFile LiveScript::OpenAtRead()
{
    ScriptFile file = OpenScriptFile(path_);
    if (file && std::fseek(file.get(), long(loader_.BytesRead()), SEEK_SET) != 0)
        file.reset();
    return file;
}

bool LiveScript::TakeIn(const ScriptLoader::Amending &amending)
{
    const ScriptFile file = OpenAtRead();
    if (!file || !loader_.TakeIn(file.get(), amending))
        return false;
    KeepAnchors(file.get());
    return !std::ferror(file.get());
}

bool LiveScript::Finish(const ScriptLoader::Amending &amending)
{
    const ScriptFile file = OpenAtRead();
    return file && loader_.Finish(file.get(), amending);
}

void LiveScript::KeepAnchors(std::FILE *file)
{
    const uint64_t read = loader_.BytesRead();
    const std::size_t count = std::size_t(std::min<uint64_t>(read, Anchor));
    if (head_.size() < Anchor)
        head_ = BytesAt(file, 0, count).value_or(std::string());
    tail_ = BytesAt(file, read - count, count).value_or(std::string());
}

} // namespace ostrel
