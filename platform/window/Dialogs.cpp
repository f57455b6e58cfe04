#include "platform/window/Dialogs.h"

#include "platform/core/Cp932.h"

#include <atomic>
#include <cctype>
#include <cstdio>

namespace platform
{

namespace
{

// Without a toolkit: the box goes to the standard error stream and is dismissed.
class FallbackDialogs : public DialogService
{
public:
    int MessageBox(WindowHandle, std::string_view text, std::string_view caption, uint32_t type) override
    {
        std::fprintf(stderr, "[%s] %s\n", ToUtf8(caption).c_str(), ToUtf8(text).c_str());
        return DismissedAnswer(type);
    }
    WindowHandle ActiveWindow() override { return nullptr; }
    bool OpenFile(const FileDialogRequest&, std::vector<std::string>&) override { return false; }
    bool SaveFile(const FileDialogRequest&, std::string&) override { return false; }
    bool BrowseFolder(WindowHandle, std::string_view, std::string_view, std::string&) override { return false; }
};

FallbackDialogs g_Fallback;
std::atomic<DialogService*> g_pService{nullptr};

std::string Trim(std::string_view text)
{
    size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos)
    {
        return {};
    }
    size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(begin, end - begin + 1));
}

std::vector<std::string> SplitPatterns(std::string_view patterns)
{
    std::vector<std::string> result;
    size_t start = 0;
    while (start <= patterns.size())
    {
        size_t end = patterns.find_first_of("; ", start);
        if (end == std::string_view::npos)
        {
            end = patterns.size();
        }
        std::string one = Trim(patterns.substr(start, end - start));
        if (!one.empty())
        {
            result.push_back(one);
        }
        start = end + 1;
    }
    return result;
}

bool WildcardMatch(std::string_view pattern, std::string_view name)
{
    size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
    while (n < name.size())
    {
        if (p < pattern.size() &&
            (pattern[p] == '?' || std::tolower(static_cast<unsigned char>(pattern[p])) ==
                                      std::tolower(static_cast<unsigned char>(name[n]))))
        {
            ++p;
            ++n;
        }
        else if (p < pattern.size() && pattern[p] == '*')
        {
            star = p++;
            mark = n;
        }
        else if (star != std::string_view::npos)
        {
            p = star + 1;
            n = ++mark;
        }
        else
        {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
    {
        ++p;
    }
    return p == pattern.size();
}

} // namespace

std::vector<FileFilter> ParseFileFilter(std::string_view filter)
{
    std::vector<std::string_view> parts;
    size_t start = 0;
    while (start < filter.size())
    {
        size_t end = filter.find('\0', start);
        if (end == std::string_view::npos)
        {
            end = filter.size();
        }
        if (end == start)
        {
            break; // the closing empty entry
        }
        parts.push_back(filter.substr(start, end - start));
        start = end + 1;
    }
    std::vector<FileFilter> result;
    for (size_t i = 0; i < parts.size(); i += 2)
    {
        FileFilter entry;
        entry.m_strDescription = Trim(parts[i]);
        if (i + 1 < parts.size())
        {
            entry.m_Patterns = SplitPatterns(parts[i + 1]);
        }
        else
        {
            // A description alone: the patterns are those in its last parentheses, else the text itself.
            size_t open = parts[i].rfind('(');
            size_t close = parts[i].rfind(')');
            if (open != std::string_view::npos && close != std::string_view::npos && close > open)
            {
                entry.m_Patterns = SplitPatterns(parts[i].substr(open + 1, close - open - 1));
            }
            else
            {
                entry.m_Patterns = SplitPatterns(parts[i]);
            }
        }
        if (entry.m_Patterns.empty())
        {
            entry.m_Patterns.push_back("*");
        }
        result.push_back(std::move(entry));
    }
    return result;
}

bool MatchesFileFilter(std::string_view name, const FileFilter& filter)
{
    for (const std::string& pattern : filter.m_Patterns)
    {
        // "*.*" matches names without a dot too, as the common dialogs have it.
        if (pattern == "*.*" || WildcardMatch(pattern, name))
        {
            return true;
        }
    }
    return false;
}

DialogService& Dialogs()
{
    DialogService* service = g_pService.load();
    return service ? *service : g_Fallback;
}

DialogService* SetDialogService(DialogService* service)
{
    return g_pService.exchange(service);
}

int DismissedAnswer(uint32_t type)
{
    switch (type & kMbButtonMask)
    {
    case kMbYesNo:
        return kIdNo;
    case kMbOkCancel:
    case kMbYesNoCancel:
        return kIdCancel;
    default:
        return kIdOk;
    }
}

} // namespace platform
