#pragma once

// The one place where stored project paths meet the disk.
//
// A stored path is CP932 text with '\\' separators, relative to the current
// folder (the project folder), as the data files and the code hold it. On disk
// it becomes UTF-8 with '/' separators; when a component does not exist with
// that exact spelling, the folder is searched for a name that differs only in
// letter case, since projects were authored on a case-insensitive file system.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

// The UTF-8 path on disk for a stored path. Components that exist under another
// letter case take the name found on disk; the rest stay as given.
std::string DiskPath(std::string_view storedPath);

// The disk path made absolute (from the current folder) and plain: the stored
// paths that name one file by other spellings (a leading ".\\", '/' or '\\',
// doubled separators, "." and ".." steps, the letter case of what exists)
// give one text, so it serves to compare paths.
std::string AbsoluteDiskPath(std::string_view storedPath);

// True when a file or folder of that name exists.
bool PathExists(std::string_view storedPath);
bool IsFolder(std::string_view storedPath);
// True for a regular file (or a link to one) that its owner, group or others may execute.
bool IsExecutableFile(std::string_view storedPath);

// True for a path that starts at the root ('/' or '\\').
bool IsAbsolutePath(std::string_view path);

// The current folder as CP932 text ("" when it cannot be read).
std::string CurrentFolder();

// Reads a whole file. On failure returns false and, when asked, a reason.
bool ReadWholeFile(std::string_view storedPath, std::vector<unsigned char>& bytes, std::string* error = nullptr);

// Replaces a file without ever destroying the previous one: the bytes go to a
// temporary file in the same folder, every write is checked, the file is
// flushed to the disk and then renamed over the target. On any failure the
// temporary file is removed, the target is left as it was and false returned.
bool WriteFileAtomically(std::string_view storedPath, const void* data, std::size_t size,
                         std::string* error = nullptr);

// What became of a new file.
enum class NewFile
{
    Made,   // the file was made with all the bytes and flushed to the disk
    Taken,  // a file of that name was there already; it is untouched
    Failed, // nothing was made (the reason in error)
};

// Makes a file that must not be there yet, claiming its name atomically: of
// several programs that make one name at once, exactly one makes it and the
// others get Taken. The name only ever appears as a whole file flushed to the
// disk, and once made it is never removed here: the bytes are written and
// flushed under a temporary name, then linked to the name; where the file
// system cannot link, renamed to it with a rename that cannot replace; where
// that is refused too, renamed under a claim file made exclusively beside it
// (NAME.claim), which keeps programs that claim names this way from replacing
// each other's files. Nothing of its own is left behind on failure. The
// folder is flushed at once, within a FolderFlushBatch too: a copy kept of a
// file about to be replaced is on the disk before the replacement's rename
// can be.
NewFile WriteNewFile(std::string_view storedPath, const void* data, std::size_t size, std::string* error = nullptr);

// The calls by which WriteNewFile flushes its file and claims the name, each
// answering as the system call does (-1 and errno on failure). A test puts
// others in place to play a file system that cannot link or a flush that
// fails; every other caller leaves the system's.
struct NewFileCalls
{
    int (*m_pFlush)(int fd);
    int (*m_pLink)(const char* from, const char* to);
    int (*m_pRenameNoReplace)(const char* from, const char* to);
};
NewFileCalls SystemNewFileCalls();
// Puts calls in place for the WriteNewFile calls that start afterwards and
// gives those that were. Only while no file is being made.
NewFileCalls SetNewFileCalls(const NewFileCalls& calls);

// While an object of this class lives, the atomic writes of its thread leave
// out the flush of the file's folder after the rename and note the folder
// instead; Flush (or the end of the object) then flushes each noted folder
// once. A tool that writes many files into a few folders so pays one folder
// flush per folder instead of one per file; each file itself is still flushed
// before its rename. Batches nest: an inner one flushes its own folders.
class FolderFlushBatch
{
public:
    FolderFlushBatch();
    ~FolderFlushBatch();
    FolderFlushBatch(const FolderFlushBatch&) = delete;
    FolderFlushBatch& operator=(const FolderFlushBatch&) = delete;

    // Flushes every folder noted so far, each once. False, with the reason
    // when asked, when one could not be flushed (the others still are).
    bool Flush(std::string* error = nullptr);
    // The folders (on disk) noted and not flushed yet, each once, in the order first noted.
    const std::vector<std::string>& PendingFolders() const { return m_Folders; }

private:
    friend bool WriteFileAtomically(std::string_view, const void*, std::size_t, std::string*);
    void Note(const std::string& folder);

    FolderFlushBatch* m_pOuter;
    std::vector<std::string> m_Folders;
};

// Creates a folder and its missing parents. True when the folder exists afterwards.
bool CreateFolders(std::string_view storedPath);

// The names (CP932) of the entries of a folder, sorted; empty when it cannot be read.
std::vector<std::string> ListFolder(std::string_view storedFolder);

// Removes a file; true when it is gone afterwards.
bool RemoveFile(std::string_view storedPath);

// Text-mode output for the logs: every "\n" is written as CR LF.
enum class TextOpen
{
    CreateOrTruncate, // like fopen "wt"
    AppendToExisting, // like fopen "rt+" and a seek to the end: the file must exist
};
bool WriteTextFile(std::string_view storedPath, TextOpen how, std::string_view text);

} // namespace platform
