#pragma once

// The link between the editor and a game it started for a test play.
//
// The editor starts the game with the show state in the environment
// (kShowStateVariable; kShowStateTestPlay means a test play). The game
// reports the start and the end of its run to the editor, which listens on a
// local socket in the user's runtime folder; the socket's name derives from
// the editor's main window class and title, so a game finds the editor the way
// it would find its window. A report is one datagram; with no editor
// listening it is dropped, as a message to a missing window would be.
//
// Only the user's own processes reach the socket: the runtime folder admits
// nobody else, and the listener drops any datagram whose sender is another
// user.
//
// A datagram: the kind (uint32), the sender's process id (int32), the byte
// count (uint32), all little-endian, then the bytes. The game sends kind 1 at
// its start and kind 0 at its end, each with the int32 value 1.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform
{

inline constexpr const char* kShowStateVariable = "TARNWICK_SHOW_STATE";
inline constexpr int kShowStateNormal = 1;
inline constexpr int kShowStateTestPlay = 5;

// The show state the program was started with: the variable's number, else kShowStateNormal.
int ShowStateFromEnvironment();

// The editor's main window class and title.
inline constexpr std::string_view kEditorWindowClass = "Tarnwick";
inline constexpr std::string_view kEditorWindowTitle = "Tarnwick";

// Report kinds.
enum : uint32_t
{
    kTestPlayEnd = 0,
    kTestPlayStart = 1,
};

// The largest byte count a report carries.
inline constexpr size_t kMaxReportBytes = 4096;

struct TestPlayReport
{
    uint32_t m_nKind = 0;
    int32_t m_nSender = 0; // process id
    std::vector<unsigned char> m_Bytes;

    // The int32 value at the start of the bytes; false when fewer than four bytes came.
    bool Value(int32_t& value) const;
};

// The socket's path on disk (UTF-8) for a window class and title (CP932); ""
// without a runtime folder or when the path would be too long for a socket.
std::string TestPlayEndpoint(std::string_view windowClass, std::string_view windowTitle);
// The endpoint of the editor's main window.
std::string EditorEndpoint();

// Sends one report. False when it was dropped: nobody listens, or it cannot be sent.
bool SendTestPlayReport(std::string_view endpoint, uint32_t kind, const void* bytes, size_t size);
bool SendTestPlayValue(std::string_view endpoint, uint32_t kind, int32_t value);

class TestPlayListener
{
public:
    TestPlayListener() = default;
    ~TestPlayListener();
    TestPlayListener(const TestPlayListener&) = delete;
    TestPlayListener& operator=(const TestPlayListener&) = delete;

    // Listens on the endpoint. A socket file left by a listener that is gone
    // is replaced; false while another listener is there, or on any failure.
    bool Open(std::string_view endpoint);
    // Stops listening and removes the socket file (when it is still this listener's).
    void Close();
    bool IsOpen() const { return m_nSocket >= 0; }
    // Readable while reports wait: for the event loop of the listening program.
    int Descriptor() const { return m_nSocket; }

    // Takes the next waiting report without blocking; false when none waits.
    // Datagrams that are malformed or come from another user are dropped.
    bool Receive(TestPlayReport& report);
    // The same, waiting up to the time for one to come.
    bool WaitReceive(TestPlayReport& report, int milliseconds);

private:
    int m_nSocket = -1;
    std::string m_strPath;
    uint64_t m_nDevice = 0;
    uint64_t m_nInode = 0;
};

} // namespace platform
