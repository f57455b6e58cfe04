#pragma once

// A fresh folder under the system's temporary folder that becomes the current
// folder (the project folder) for the life of the object, and is removed after.

#include <filesystem>
#include <map>
#include <string>
#include <vector>

class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return m_Path; }

    // Writes a file (UTF-8 relative path on disk), creating its folders.
    void WriteFile(const std::filesystem::path& relative, const std::vector<unsigned char>& bytes) const;
    void WriteFile(const std::filesystem::path& relative, const std::string& text) const;
    std::vector<unsigned char> ReadFile(const std::filesystem::path& relative) const;
    std::string ReadText(const std::filesystem::path& relative) const;

private:
    std::filesystem::path m_Path;
    std::filesystem::path m_Previous;
};

// Little-endian building blocks for hand-made data files.
class ByteBuilder
{
public:
    ByteBuilder& Int(int32_t v);
    ByteBuilder& Ints(std::initializer_list<int32_t> values);
    ByteBuilder& Double(double v);
    // int32 length + 1 and the bytes with their NUL; "" as the length 1 alone.
    ByteBuilder& String(const std::string& s);
    ByteBuilder& Bytes(const std::vector<unsigned char>& b);

    const std::vector<unsigned char>& Data() const { return m_Bytes; }
    operator const std::vector<unsigned char>&() const { return m_Bytes; }

private:
    std::vector<unsigned char> m_Bytes;
};

// Hex dump ("14 01 00 00 ...") for readable failure messages.
std::string HexBytes(const std::vector<unsigned char>& bytes);

// Every file below a folder (its path relative to the folder) with its bytes.
std::map<std::string, std::vector<unsigned char>> SnapshotFolder(const std::filesystem::path& folder);
