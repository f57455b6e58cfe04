#pragma once

// The sample project generator: every file of a small playable game, made
// from code. `tarnwick-sample [--replace] [--contact-sheet PNG] DIR`.

#include "ContactSheet.h"
#include "SheetTable.h"

#include <ostream>
#include <string>
#include <vector>

namespace platform
{
class TextRasterizer;
}

namespace sample
{

// Draws one sheet of the table at its size.
Canvas DrawSheet(const SheetInfo& sheet, platform::TextRasterizer& fonts);

// Every sheet of the table, drawn.
std::vector<NamedCanvas> DrawAllSheets(platform::TextRasterizer& fonts);

struct SampleOptions
{
    std::string m_strFolder;       // UTF-8 path on disk
    bool m_bReplace = false;       // write into a folder that already holds files
    std::string m_strContactSheet; // PNG to write as well (UTF-8 path), or empty
};

// Writes the project. The current folder is the same afterwards. Exit status:
// 0 done, 1 a file could not be made or written, 2 a usage error.
int WriteSampleProject(const SampleOptions& options, std::ostream& out, std::ostream& err);

// The command line of the program, without the program name.
int RunSampleTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace sample
