// Writes a small record file into a temporary folder, reads it back and says
// what it did: a smoke run of the data-file container.
#include "common/data/DataFile.h"
#include "common/services/Log.h"
#include "platform/core/Cp932.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

class DemoRecord : public SerializableRecord
{
public:
    int32_t m_nLevel = 0;
    int32_t m_nStats[3] = {};
    double m_dRate = 0.0;
    std::string m_strName;

    void BindFields(int32_t) override
    {
        ClearBindings();
        BindInt(m_nLevel, "m_nLevel");
        BindInts(m_nStats, 3, "m_nStats");
        BindDouble(m_dRate, "m_dRate");
        BindString(m_strName, "m_strName");
    }
};

} // namespace

int main()
{
    CurrentVersion = kDataFormatVersion;
    char folder[] = "/tmp/recdemo-XXXXXX";
    if (!mkdtemp(folder) || chdir(folder) != 0)
    {
        std::perror("recdemo");
        return 1;
    }
    OpenReportLog("Report_Demo.txt");
    WriteReport("App : ver %s", "276");

    DemoRecord out;
    out.m_nLevel = 12;
    out.m_nStats[0] = 30;
    out.m_nStats[1] = 25;
    out.m_nStats[2] = 18;
    out.m_dRate = 2.7;
    out.m_strName = "見習い剣士";
    if (!SaveRecordFile(out, "data\\Demo.dat") && !(mkdir("data", 0777) == 0 && SaveRecordFile(out, "data\\Demo.dat")))
    {
        std::fprintf(stderr, "recdemo: cannot write data/Demo.dat\n");
        return 1;
    }
    std::printf("wrote %s/data/Demo.dat (format version %d)\n", folder, kDataFormatVersion);

    DemoRecord in;
    if (!LoadRecordFile(in, "DATA\\demo.dat", 0))
    {
        std::fprintf(stderr, "recdemo: cannot read it back\n");
        return 1;
    }
    std::printf("read back through DATA\\demo.dat: version %d, level %d, stats %d %d %d, rate %.1f, name %s\n",
                FileVersion, in.m_nLevel, in.m_nStats[0], in.m_nStats[1], in.m_nStats[2], in.m_dRate,
                platform::ToUtf8(in.m_strName).c_str());
    bool same = in.m_nLevel == out.m_nLevel && in.m_dRate == out.m_dRate && in.m_strName == out.m_strName;
    std::printf("%s\n", same ? "round trip: identical" : "round trip: DIFFERENT");
    return same ? 0 : 1;
}
