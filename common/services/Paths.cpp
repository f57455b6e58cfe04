#include "Paths.h"

#include "platform/core/Cp932.h"
#include "platform/core/Files.h"

#include <vector>

namespace
{

// Splits at '/' and '\\' without mistaking the trail byte of a double-byte
// character for a separator. Empty components are dropped.
std::vector<std::string> SplitPath(std::string_view path)
{
    std::vector<std::string> parts;
    std::string current;
    for (std::size_t i = 0; i < path.size();)
    {
        std::size_t len = platform::Cp932CharLength(path, i);
        if (len == 1 && (path[i] == '/' || path[i] == '\\'))
        {
            if (!current.empty())
            {
                parts.push_back(std::move(current));
                current.clear();
            }
        }
        else
        {
            current.append(path.substr(i, len));
        }
        i += len;
    }
    if (!current.empty())
    {
        parts.push_back(std::move(current));
    }
    return parts;
}

// Resolves "." and ".." components.
std::vector<std::string> Normalize(const std::vector<std::string>& parts)
{
    std::vector<std::string> out;
    for (const std::string& p : parts)
    {
        if (p == ".")
        {
            continue;
        }
        if (p == "..")
        {
            if (!out.empty())
            {
                out.pop_back();
            }
            continue;
        }
        out.push_back(p);
    }
    return out;
}

} // namespace

int ReplaceExtension(std::string& out, std::string_view path, const char* extension)
{
    out.assign(path);
    std::size_t dot = out.rfind('.');
    if (dot == std::string::npos)
    {
        return 0;
    }
    if (extension)
    {
        out.resize(dot + 1);
        out += extension;
    }
    else
    {
        out.resize(dot);
    }
    return 1;
}

int GetExtension(std::string& out, std::string_view path)
{
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos)
    {
        out.clear();
        return 0;
    }
    out.assign(path.substr(dot + 1));
    return 1;
}

int MakeRelativePath(std::string& path)
{
    if (!platform::IsAbsolutePath(path))
    {
        return 0;
    }
    std::string folder = platform::CurrentFolder();
    if (folder.empty())
    {
        return 0;
    }
    std::vector<std::string> from = Normalize(SplitPath(folder));
    std::vector<std::string> to = Normalize(SplitPath(path));

    std::size_t common = 0;
    while (common < from.size() && common < to.size() && from[common] == to[common])
    {
        ++common;
    }

    std::string result;
    if (common == from.size())
    {
        result = ".";
    }
    else
    {
        for (std::size_t i = common; i < from.size(); ++i)
        {
            result += i == common ? ".." : "\\..";
        }
    }
    for (std::size_t i = common; i < to.size(); ++i)
    {
        result += '\\';
        result += to[i];
    }
    path = result;
    return 1;
}

int MakeAbsolutePath(std::string& path)
{
    if (platform::IsAbsolutePath(path))
    {
        return 0;
    }
    std::string folder = platform::CurrentFolder();
    if (folder.empty())
    {
        return 0;
    }
    std::vector<std::string> parts = SplitPath(folder);
    for (std::string& p : SplitPath(path))
    {
        parts.push_back(std::move(p));
    }
    std::string result;
    for (const std::string& p : Normalize(parts))
    {
        result += '/';
        result += p;
    }
    path = result.empty() ? "/" : result;
    return 1;
}
