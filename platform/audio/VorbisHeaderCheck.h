#pragma once

// A check of the header packets of every Vorbis stream in an Ogg file, made
// before the file is given to libvorbisfile.
//
// The decoder trusts its setup header more than it should. It builds its
// codebooks only when it starts decoding; a book whose codeword lengths make
// no code (more codewords than the tree holds, or part of the tree unused)
// fails to build and is left empty, of dimension 0, with every book after it,
// and the next attempt decodes with them: the residue decoding divides by the
// dimension of its classification book, which ends the process. A book of
// dimension 0 chosen by a residue divides the same way, and one chosen by a
// floor of type 0 never lets its loop advance.
//
// The check reads each setup header in the Vorbis I bit layout, builds the
// codeword tree of every book as the decoder does, and refuses the file when a
// tree is not exactly full or a residue or floor 0 chooses a book of dimension
// 0. It reads the pages (their checksums checked, as the decoder reads them)
// and the three header packets of each stream, never the audio packets.

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform
{

// True when every Vorbis stream of the file has complete header packets whose
// codebooks the decoder can build and use. Otherwise false, with the reason
// (plain ASCII) in `reason`. Bytes that hold no Vorbis stream pass: the
// decoder refuses them itself.
bool CheckVorbisHeaders(const uint8_t* bytes, std::size_t size, std::string& reason);

} // namespace platform
