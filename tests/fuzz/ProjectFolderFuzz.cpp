// A whole project folder (see ProjectFolder.h for how the input is cut into
// files), checked and upgraded as the data tool does it. A project that checks
// out must upgrade without a failure and check out again afterwards.

#include "FuzzTarget.h"
#include "ProjectFolder.h"

#include "ProjectTool.h"

#include <ostream>

namespace
{

std::ostream Discard(nullptr);

} // namespace

int fuzz::TestOneInput(const uint8_t* data, std::size_t size)
{
    fuzz::ClearWorkFolder();
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (const char* path : fuzz::kProjectFolderFiles)
    {
        if (rest.empty())
        {
            break;
        }
        std::size_t end = rest.find(fuzz::kFileSeparator);
        std::string_view piece = rest.substr(0, end);
        if (!piece.empty())
        {
            fuzz::WriteFile(path, reinterpret_cast<const uint8_t*>(piece.data()), piece.size());
        }
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + fuzz::kFileSeparator.size());
    }

    const std::string folder = fuzz::WorkFolderPath();
    if (RunCheck(folder, Discard, Discard) != 0)
    {
        return 0;
    }
    fuzz::Require(RunUpgrade(folder, Discard, Discard) == 0, "a project that checks out does not upgrade");
    fuzz::Require(RunCheck(folder, Discard, Discard) == 0, "an upgraded project does not check out");
    return 0;
}
