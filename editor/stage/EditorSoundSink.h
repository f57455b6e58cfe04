#pragma once

// Where the editor's interface sounds go. The editor plays them on its sound
// player, whose entries are these five files; tests record them.

enum EditorSound : int
{
    kSoundDecide = 0, // "wave\決定.wav": an edit starts
    kSoundCancel = 1, // "wave\キャンセル.wav"
    kSoundError = 2,  // "wave\エラー.wav": an edit is refused
    kSoundCopy = 3,   // "wave\コピー.wav": a pick starts
    kSoundFree = 4,   // "wave\free.wav"
};

class EditorSoundSink
{
public:
    virtual ~EditorSoundSink() = default;
    virtual void PlaySound(EditorSound sound) = 0;
};
