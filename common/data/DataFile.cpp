#include "DataFile.h"

#include "common/data/FormatString.h"
#include "common/services/Log.h"
#include "common/services/Paths.h"
#include "platform/core/ByteOrder.h"
#include "platform/core/Cp932.h"
#include "platform/core/FatalHooks.h"
#include "platform/core/Files.h"

std::unique_ptr<DataReader> OpenDataFileForRead(std::string_view name)
{
    std::string path = name.empty() ? std::string("err") : std::string(name);
    std::vector<unsigned char> bytes;
    if (!platform::ReadWholeFile(path, bytes) || bytes.size() < 4)
    {
        return nullptr;
    }
    int32_t version = static_cast<int32_t>(platform::ReadLe32(bytes.data()));
    bytes.erase(bytes.begin(), bytes.begin() + 4);
    FileVersion = version;
    return std::make_unique<DataReader>(std::move(bytes), version, path);
}

std::unique_ptr<DataFileWriter> OpenDataFileForWrite(std::string_view name)
{
    if (name.empty() || platform::IsFatalErrorRaised())
    {
        return nullptr;
    }
    auto file = std::make_unique<DataFileWriter>(std::string(name));
    file->WriteInt32(kDataFormatVersion);
    return file;
}

bool CloseDataFile(std::unique_ptr<DataFileWriter> file)
{
    if (!file)
    {
        return false;
    }
    if (platform::IsFatalErrorRaised())
    {
        WriteReport("Save %s : refused after a fatal error", file->Path().c_str());
        return false;
    }
    std::string error;
    if (!platform::WriteFileAtomically(file->Path(), file->Bytes().data(), file->Bytes().size(), &error))
    {
        WriteReportAndErrorLog("Save %s : %s", file->Path().c_str(), platform::FromUtf8(error).c_str());
        return false;
    }
    return true;
}

std::string ReportLoadFailure(const DataReader& in)
{
    std::string reason;
    FormatString(reason, "%s at byte %zu", in.Error().c_str(), in.ErrorOffset());
    WriteReportAndErrorLog("Load %s : %s", in.Name().c_str(), reason.c_str());
    return reason;
}

bool LoadIntVector(CheckedVector<int32_t>& values, DataReader& in)
{
    int32_t count = 0;
    if (!in.ReadCount(count, 4))
    {
        return false;
    }
    CheckedVector<int32_t> loaded(static_cast<std::size_t>(count));
    for (int32_t& v : loaded)
    {
        in.ReadInt32(v);
    }
    if (in.Failed())
    {
        return false;
    }
    values.swap(loaded);
    return true;
}

void SaveIntVector(const CheckedVector<int32_t>& values, DataWriter& out)
{
    out.WriteInt32(values.Count());
    for (int32_t v : values)
    {
        out.WriteInt32(v);
    }
}

int SaveRecordFile(SerializableRecord& record, std::string_view name)
{
    std::unique_ptr<DataFileWriter> out = OpenDataFileForWrite(name);
    if (!out)
    {
        return 0;
    }
    record.Save(*out);
    return CloseDataFile(std::move(out)) ? 1 : 0;
}

std::string NumberedCopyName(std::string_view path, int n)
{
    std::string name;
    FormatString(name, "%s_%d%d%d", std::string(path).c_str(), n / 100, n / 10 % 10, n % 10);
    return name;
}

int LoadNumberedCopyInto(std::string_view path, std::string_view extension,
                         int (*tryLoad)(void* record, const std::string& name, int stripCr), void* record,
                         int stripCr)
{
    std::string base;
    ReplaceExtension(base, path, std::string(extension).c_str());
    for (int n = 999; n >= 0; --n)
    {
        std::string name = NumberedCopyName(base, n);
        if (platform::PathExists(name) && tryLoad(record, name, stripCr) == 1)
        {
            return 1;
        }
    }
    return 0;
}
