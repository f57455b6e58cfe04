#include "SampleMusic.h"

#include "common/sound/SmfLoader.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <sstream>
#include <stdexcept>

namespace sample
{

namespace
{

constexpr int kDivision = 480; // ticks per quarter note
constexpr int kEighth = kDivision / 2;
constexpr int kSixteenth = kDivision / 4;
constexpr int kBar = kDivision * 4;

enum class Accompaniment
{
    Sustain,
    Arpeggio,
    Stabs,
};

enum class BassLine
{
    Halves,
    Walking,
    Eighths,
};

struct DrumHit
{
    int sixteenth; // within the bar
    int note;      // General MIDI percussion key
    int velocity;
};

struct Tune
{
    const char* base;  // stored path without the extension
    const char* title; // track name in the MIDI file
    int bpm;
    const char* melody; // "NOTE:eighths" words, R for a rest
    const char* chords; // one chord per half bar
    int leadProgram;
    int chordProgram;
    int bassProgram;
    Accompaniment accompaniment;
    BassLine bass;
    std::vector<DrumHit> drums; // one bar, repeated
    uint32_t serial;            // Ogg stream serial
};

constexpr int kKick = 36;
constexpr int kSnare = 38;
constexpr int kClosedHat = 42;
constexpr int kOpenHat = 46;
constexpr int kCrash = 49;
constexpr int kTimpani = 41; // low floor tom, a soft boom

const std::vector<Tune>& Tunes()
{
    static const std::vector<Tune> tunes = {
        {"bgm\\Title",
         "Title",
         88,
         "C5:2 E5:2 G5:4 A5:3 G5:1 E5:4 F5:2 A5:2 C6:2 A5:2 G5:6 R:2 "
         "E5:2 G5:2 C6:3 D6:1 B5:2 G5:2 E5:4 A5:2 C6:2 B5:2 D6:2 C6:8",
         "C C Am Am F F G G C C Em Em F G C C",
         60,
         48,
         32,
         Accompaniment::Sustain,
         BassLine::Halves,
         {{0, kTimpani, 90}, {8, kTimpani, 60}},
         0x54544C31u},
        {"bgm\\WorldMap",
         "World",
         112,
         "F5:2 A5:2 C6:2 A5:2 G5:2 E5:2 C5:4 D5:2 F5:2 A5:3 G5:1 F5:2 D5:2 E5:2 G5:2 "
         "A5:2 C6:2 F6:3 E6:1 D6:2 C6:2 G5:4 A5:2 Bb5:2 A5:2 G5:2 F5:6 R:2",
         "F F C C Dm Dm Bb C F F Dm C Bb Bb C F",
         73,
         45,
         32,
         Accompaniment::Arpeggio,
         BassLine::Walking,
         {{0, kKick, 70}, {4, kClosedHat, 45}, {8, kKick, 60}, {12, kClosedHat, 45}},
         0x574F524Cu},
        {"bgm\\Stage",
         "Stage",
         120,
         "D5:3 E5:1 F5:2 A5:2 Bb5:2 A5:2 G5:2 E5:2 F5:3 G5:1 A5:2 D6:2 C#6:6 A5:2 "
         "D6:2 C6:2 A5:2 F5:2 G5:2 Bb5:2 A5:2 E5:2 F5:2 G5:2 A5:2 C6:2 A5:6 R:2",
         "Dm Dm Bb C Dm Dm A A Dm F Gm A Bb C A A",
         68,
         48,
         32,
         Accompaniment::Stabs,
         BassLine::Halves,
         {{0, kKick, 80},
          {4, kSnare, 70},
          {6, kSnare, 45},
          {8, kKick, 75},
          {12, kSnare, 70},
          {14, kSnare, 50},
          {15, kSnare, 40}},
         0x53544731u},
        {"bgm\\Battle",
         "Battle",
         152,
         "E5:1 E5:1 G5:1 E5:1 B5:2 A5:2 G5:2 F#5:2 E5:2 D5:2 E5:1 E5:1 G5:1 B5:1 E6:2 D6:2 B5:6 R:2 "
         "G5:2 B5:2 E6:2 D6:1 C6:1 C6:2 B5:2 A5:2 F#5:2 A5:2 C6:2 B5:2 D#6:2 E6:4 B5:4",
         "Em Em C D Em Em B B Em G C D Am B Em B",
         81,
         30,
         38,
         Accompaniment::Stabs,
         BassLine::Eighths,
         {{0, kKick, 100},
          {2, kClosedHat, 60},
          {4, kSnare, 95},
          {6, kClosedHat, 60},
          {7, kKick, 80},
          {8, kKick, 95},
          {10, kClosedHat, 60},
          {12, kSnare, 95},
          {14, kOpenHat, 60}},
         0x42544C31u},
        {"bgm\\Free",
         "Free",
         96,
         "E5:2 G5:2 C6:4 D6:2 B5:2 G5:4 C6:2 A5:2 F5:4 G5:6 R:2",
         "C C G G Am F G G",
         0,
         0,
         32,
         Accompaniment::Arpeggio,
         BassLine::Halves,
         {},
         0x46524545u},
    };
    return tunes;
}

int PitchClass(char letter)
{
    switch (letter)
    {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
        return 11;
    default:
        throw std::runtime_error("bad note letter");
    }
}

// A letter with an optional '#' or 'b' at text[i]; i moves past it.
int ReadPitchClass(const std::string& text, size_t& i)
{
    int pc = PitchClass(text.at(i++));
    if (i < text.size() && (text[i] == '#' || text[i] == 'b'))
    {
        pc += text[i++] == '#' ? 1 : -1;
    }
    return pc;
}

// "C#5" -> 73; the octave of middle C is 4.
int ParseNote(const std::string& text)
{
    size_t i = 0;
    int pc = ReadPitchClass(text, i);
    return 12 * (std::stoi(text.substr(i)) + 1) + pc;
}

struct Chord
{
    int root; // pitch class
    bool minor;
};

// "F#m" -> F sharp minor.
Chord ParseChord(const std::string& text)
{
    size_t i = 0;
    int pc = ReadPitchClass(text, i);
    return {(pc + 12) % 12, i < text.size() && text[i] == 'm'};
}

struct Note
{
    int part;  // 0 lead, 1 chords, 2 bass, 3 drums
    int start; // ticks
    int length;
    int pitch;
    int velocity;
};

// Every note of a tune and its length in ticks.
std::vector<Note> Arrange(const Tune& tune, int& length)
{
    std::vector<Note> notes;
    std::istringstream melody(tune.melody);
    std::string word;
    int tick = 0;
    while (melody >> word)
    {
        size_t colon = word.find(':');
        int eighths = std::stoi(word.substr(colon + 1));
        std::string name = word.substr(0, colon);
        if (name != "R")
        {
            notes.push_back({0, tick, eighths * kEighth - 20, ParseNote(name), 96});
        }
        tick += eighths * kEighth;
    }
    length = tick;

    std::istringstream chords(tune.chords);
    std::vector<Chord> halves;
    while (chords >> word)
    {
        halves.push_back(ParseChord(word));
    }
    for (size_t h = 0; h < halves.size() && static_cast<int>(h) * kBar / 2 < length; ++h)
    {
        const Chord& c = halves[h];
        int start = static_cast<int>(h) * kBar / 2;
        int third = c.minor ? 3 : 4;
        int root = 55 + ((c.root + 5) % 12); // G3..F#4
        int tones[3] = {root, root + third, root + 7};
        switch (tune.accompaniment)
        {
        case Accompaniment::Sustain:
            for (int t : tones)
            {
                notes.push_back({1, start, kBar / 2 - 10, t, 62});
            }
            break;
        case Accompaniment::Arpeggio:
            for (int i = 0; i < 4; ++i)
            {
                int pattern[4] = {0, 1, 2, 1};
                notes.push_back({1, start + i * kEighth, kEighth - 10, tones[pattern[i]] + 12, 58});
            }
            break;
        case Accompaniment::Stabs:
            for (int beat = 0; beat < 2; ++beat)
            {
                for (int t : tones)
                {
                    notes.push_back({1, start + beat * kDivision + kEighth, kEighth - 30, t, 66});
                }
            }
            break;
        }
        int bass = 36 + c.root;
        switch (tune.bass)
        {
        case BassLine::Halves:
            notes.push_back({2, start, kBar / 2 - 20, bass, 90});
            break;
        case BassLine::Walking:
            notes.push_back({2, start, kDivision - 20, bass, 88});
            notes.push_back({2, start + kDivision, kDivision - 20, bass + 7, 80});
            break;
        case BassLine::Eighths:
            for (int i = 0; i < 4; ++i)
            {
                notes.push_back({2, start + i * kEighth, kEighth - 30, bass + (i == 3 ? 12 : 0), 92});
            }
            break;
        }
    }
    for (int bar = 0; bar * kBar < length; ++bar)
    {
        for (const DrumHit& hit : tune.drums)
        {
            notes.push_back({3, bar * kBar + hit.sixteenth * kSixteenth, kSixteenth, hit.note, hit.velocity});
        }
        if (bar % 4 == 0 && !tune.drums.empty())
        {
            notes.push_back({3, bar * kBar, kSixteenth, kCrash, 70});
        }
    }
    return notes;
}

// --- Standard MIDI File ---

void AppendVarLen(std::vector<uint8_t>& out, uint32_t value)
{
    uint8_t buffer[4];
    int n = WriteVarLen(buffer, value);
    out.insert(out.end(), buffer, buffer + n);
}

void AppendBigEndian(std::vector<uint8_t>& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
    {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

struct MidiEvent
{
    int tick;
    int order; // at one tick: note-offs first
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> TrackChunk(std::vector<MidiEvent> events, int endTick)
{
    std::stable_sort(events.begin(), events.end(),
                     [](const MidiEvent& a, const MidiEvent& b)
                     { return a.tick != b.tick ? a.tick < b.tick : a.order < b.order; });
    std::vector<uint8_t> data;
    int last = 0;
    for (const MidiEvent& e : events)
    {
        AppendVarLen(data, static_cast<uint32_t>(e.tick - last));
        data.insert(data.end(), e.bytes.begin(), e.bytes.end());
        last = e.tick;
    }
    AppendVarLen(data, static_cast<uint32_t>(std::max(0, endTick - last)));
    data.insert(data.end(), {0xFF, 0x2F, 0x00});
    std::vector<uint8_t> chunk = {'M', 'T', 'r', 'k'};
    AppendBigEndian(chunk, static_cast<uint32_t>(data.size()), 4);
    chunk.insert(chunk.end(), data.begin(), data.end());
    return chunk;
}

std::vector<uint8_t> MetaText(uint8_t type, const std::string& text)
{
    std::vector<uint8_t> bytes = {0xFF, type};
    AppendVarLen(bytes, static_cast<uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

std::vector<uint8_t> MakeMidi(const Tune& tune, const std::vector<Note>& notes, int length)
{
    std::vector<uint8_t> file = {'M', 'T', 'h', 'd'};
    AppendBigEndian(file, 6, 4);
    AppendBigEndian(file, 1, 2);
    AppendBigEndian(file, 5, 2);
    AppendBigEndian(file, kDivision, 2);

    uint32_t tempo = static_cast<uint32_t>(60000000 / tune.bpm);
    std::vector<MidiEvent> conductor = {
        {0, 0, MetaText(0x03, tune.title)},
        {0, 1, {0xFF, 0x58, 0x04, 4, 2, 24, 8}},
        {0, 2, {0xFF, 0x51, 0x03, uint8_t(tempo >> 16), uint8_t(tempo >> 8), uint8_t(tempo)}},
    };
    std::vector<uint8_t> chunk = TrackChunk(conductor, length);
    file.insert(file.end(), chunk.begin(), chunk.end());

    const int channels[4] = {0, 1, 2, 9};
    const int programs[3] = {tune.leadProgram, tune.chordProgram, tune.bassProgram};
    const int volumes[4] = {100, 72, 96, 90};
    const int pans[4] = {64, 44, 70, 64};
    const char* names[4] = {"Lead", "Chords", "Bass", "Drums"};
    for (int part = 0; part < 4; ++part)
    {
        uint8_t ch = static_cast<uint8_t>(channels[part]);
        std::vector<MidiEvent> events = {{0, 0, MetaText(0x03, names[part])}};
        if (part < 3)
        {
            events.push_back({0, 1, {uint8_t(0xC0 | ch), uint8_t(programs[part])}});
        }
        events.push_back({0, 2, {uint8_t(0xB0 | ch), 7, uint8_t(volumes[part])}});
        events.push_back({0, 3, {uint8_t(0xB0 | ch), 10, uint8_t(pans[part])}});
        for (const Note& n : notes)
        {
            if (n.part != part)
            {
                continue;
            }
            int end = std::min(n.start + n.length, length);
            events.push_back({n.start, 5, {uint8_t(0x90 | ch), uint8_t(n.pitch), uint8_t(n.velocity)}});
            events.push_back({end, 4, {uint8_t(0x80 | ch), uint8_t(n.pitch), 0}});
        }
        chunk = TrackChunk(events, length);
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    return file;
}

// --- The synthesiser behind the Ogg files ---

class Mixdown
{
public:
    explicit Mixdown(int frames) : m_Left(static_cast<size_t>(frames)), m_Right(static_cast<size_t>(frames)) {}

    // One voice: the shape of its wave, its envelope and its place between the speakers.
    void Voice(int part, double start, double seconds, int pitch, double velocity)
    {
        double f = 440.0 * std::pow(2.0, (pitch - 69) / 12.0);
        int first = static_cast<int>(start * kMusicRate);
        int held = static_cast<int>(seconds * kMusicRate);
        double release = part == 1 ? 0.12 : 0.05;
        int total = held + static_cast<int>(release * kMusicRate);
        double pan = part == 1 ? 0.35 : part == 2 ? 0.55 : 0.5;
        double gain = velocity / 127.0 * (part == 0 ? 0.22 : part == 1 ? 0.09 : 0.26);
        double phase = 0;
        double low = 0;
        for (int i = 0; i < total; ++i)
        {
            size_t at = static_cast<size_t>(first + i);
            if (at >= m_Left.size())
            {
                break;
            }
            double t = i / double(kMusicRate);
            double vibrato = part == 0 && t > 0.15 ? 1.0 + 0.004 * std::sin(2 * M_PI * 5.5 * t) : 1.0;
            phase += f * vibrato / kMusicRate;
            double p = phase - std::floor(phase);
            double wave = 0;
            double envelope = 0;
            switch (part)
            {
            case 0: // lead: a soft square
                wave = std::sin(2 * M_PI * p) + std::sin(6 * M_PI * p) / 3 + std::sin(10 * M_PI * p) / 6;
                envelope = std::min(1.0, t / 0.01) * (0.75 + 0.25 * std::exp(-t * 6));
                break;
            case 1: // chords: a gentle saw, filtered
                low += 0.18 * ((2 * p - 1) - low);
                wave = low;
                envelope = std::min(1.0, t / 0.04);
                break;
            default: // bass: a triangle with its octave below
                wave = (4 * std::abs(p - 0.5) - 1) + 0.5 * std::sin(M_PI * p * 2 * 0.5);
                envelope = std::min(1.0, t / 0.005) * (0.6 + 0.4 * std::exp(-t * 8));
                break;
            }
            if (i > held)
            {
                envelope *= 1.0 - (i - held) / (release * kMusicRate);
            }
            double s = wave * envelope * gain;
            m_Left[at] += s * (1 - pan) * 2;
            m_Right[at] += s * pan * 2;
        }
    }

    void Drum(double start, int key, double velocity)
    {
        int first = static_cast<int>(start * kMusicRate);
        double gain = velocity / 127.0;
        double length = key == kCrash ? 0.9 : key == kOpenHat ? 0.25 : key == kKick || key == kTimpani ? 0.3 : 0.15;
        int total = static_cast<int>(length * kMusicRate);
        double phase = 0;
        double low = 0;
        for (int i = 0; i < total; ++i)
        {
            size_t at = static_cast<size_t>(first + i);
            if (at >= m_Left.size())
            {
                break;
            }
            double t = i / double(kMusicRate);
            m_nSeed = m_nSeed * 1103515245u + 12345u;
            double white = ((m_nSeed >> 9) & 0xFFFF) / 32768.0 - 1.0;
            double s = 0;
            switch (key)
            {
            case kKick:
            case kTimpani:
            {
                double f = key == kKick ? 50 + 80 * std::exp(-t * 30) : 70 + 30 * std::exp(-t * 10);
                phase += f / kMusicRate;
                s = std::sin(2 * M_PI * phase) * std::exp(-t * (key == kKick ? 14 : 7)) * 0.5;
                break;
            }
            case kSnare:
                phase += 190.0 / kMusicRate;
                low += 0.5 * (white - low);
                s = (low * 0.5 + std::sin(2 * M_PI * phase) * 0.25) * std::exp(-t * 22);
                break;
            default: // hats and the crash: the noise above its own low part
                low += 0.3 * (white - low);
                s = (white - low) * std::exp(-t / length * 5) * (key == kCrash ? 0.25 : 0.18);
                break;
            }
            m_Left[at] += s * gain * 0.5;
            m_Right[at] += s * gain * 0.5;
        }
    }

    // The samples in -1..1, with a gentle limiter.
    float Left(size_t i) const { return Limit(m_Left[i]); }
    float Right(size_t i) const { return Limit(m_Right[i]); }
    size_t Frames() const { return m_Left.size(); }

private:
    static float Limit(double s) { return static_cast<float>(std::tanh(s * 1.2) * 0.9); }

    std::vector<double> m_Left;
    std::vector<double> m_Right;
    uint32_t m_nSeed = 2024;
};

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page)
{
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

std::vector<uint8_t> EncodeOgg(const Mixdown& mix, uint32_t serial, const char* title)
{
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 2, kMusicRate, 0.3f) != 0)
    {
        vorbis_info_clear(&info);
        throw std::runtime_error("the Vorbis encoder refuses its settings");
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", title);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, static_cast<int>(serial));

    std::vector<uint8_t> file;
    ogg_packet header;
    ogg_packet headerComment;
    ogg_packet headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0)
    {
        AppendPage(file, page);
    }

    size_t written = 0;
    bool ended = false;
    bool closed = false;
    while (!ended)
    {
        if (!closed)
        {
            int n = static_cast<int>(std::min<size_t>(1024, mix.Frames() - written));
            if (n > 0)
            {
                float** buffer = vorbis_analysis_buffer(&dsp, n);
                for (int i = 0; i < n; ++i)
                {
                    buffer[0][i] = mix.Left(written + static_cast<size_t>(i));
                    buffer[1][i] = mix.Right(written + static_cast<size_t>(i));
                }
                vorbis_analysis_wrote(&dsp, n);
                written += static_cast<size_t>(n);
            }
            else
            {
                vorbis_analysis_wrote(&dsp, 0);
                closed = true;
            }
        }
        bool produced = false;
        while (vorbis_analysis_blockout(&dsp, &block) == 1)
        {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0)
            {
                produced = true;
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0)
                {
                    AppendPage(file, page);
                    ended = ended || ogg_page_eos(&page) != 0;
                }
            }
        }
        if (closed && !produced && !ended)
        {
            while (ogg_stream_flush(&stream, &page) != 0)
            {
                AppendPage(file, page);
            }
            ended = true;
        }
    }

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return file;
}

std::vector<uint8_t> MakeOgg(const Tune& tune, const std::vector<Note>& notes, int length)
{
    double secondsPerTick = 60.0 / (tune.bpm * kDivision);
    Mixdown mix(static_cast<int>(length * secondsPerTick * kMusicRate));
    for (const Note& n : notes)
    {
        if (n.part == 3)
        {
            mix.Drum(n.start * secondsPerTick, n.pitch, n.velocity);
        }
        else
        {
            mix.Voice(n.part, n.start * secondsPerTick, n.length * secondsPerTick, n.pitch, n.velocity);
        }
    }
    return EncodeOgg(mix, tune.serial, tune.title);
}

} // namespace

std::vector<MusicFile> MakeMusicFiles()
{
    std::vector<MusicFile> files;
    for (const Tune& tune : Tunes())
    {
        int length = 0;
        std::vector<Note> notes = Arrange(tune, length);
        files.push_back({std::string(tune.base) + ".mid", MakeMidi(tune, notes, length)});
        files.push_back({std::string(tune.base) + ".ogg", MakeOgg(tune, notes, length)});
    }
    return files;
}

std::vector<uint8_t> MakeLongMidiFile(const std::string& base, int seconds)
{
    for (const Tune& tune : Tunes())
    {
        if (base != tune.base)
        {
            continue;
        }
        int length = 0;
        const std::vector<Note> once = Arrange(tune, length);
        const double tuneSeconds = length * 60.0 / (tune.bpm * kDivision);
        const int times = std::max(1, static_cast<int>(std::ceil(seconds / tuneSeconds)));
        std::vector<Note> notes;
        for (int i = 0; i < times; ++i)
        {
            for (Note note : once)
            {
                note.start += i * length;
                notes.push_back(note);
            }
        }
        return MakeMidi(tune, notes, times * length);
    }
    return {};
}

} // namespace sample
