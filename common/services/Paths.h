#pragma once

// Path and extension helpers. Paths are CP932 text; stored paths use '\\'.

#include <string>
#include <string_view>

// Copies the path into out and replaces what follows its last '.' by the
// extension, or, with a null extension, cuts the '.' and everything after it.
// 0 (out holds the plain copy) when the path has no '.'.
int ReplaceExtension(std::string& out, std::string_view path, const char* extension);

// The characters after the last '.'; 0 (out empty) when there is no '.'.
int GetExtension(std::string& out, std::string_view path);

// When the path is absolute, rewrites it in place relative to the current
// folder, in the stored form: ".\\bgm\\x.mid" for a file below the folder,
// "..\\x.mid" for one beside it. 0 when it is already relative or the current
// folder cannot be read.
int MakeRelativePath(std::string& path);

// When the path is relative, rewrites it in place as the full path on disk
// ('/' separators, "." and ".." resolved). 0 when it is already absolute or the
// current folder cannot be read.
int MakeAbsolutePath(std::string& path);
