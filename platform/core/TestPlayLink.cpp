#include "platform/core/TestPlayLink.h"

#include "platform/core/ByteOrder.h"
#include "platform/core/Cp932.h"
#include "platform/core/RuntimeFolder.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform
{

namespace
{

constexpr size_t kHeaderBytes = 12;

// Part of a name on disk: UTF-8, without separators.
std::string NamePart(std::string_view cp932)
{
    std::string text = ToUtf8(cp932);
    for (char& c : text)
    {
        if (c == '/' || c == '\0')
        {
            c = '_';
        }
    }
    return text;
}

bool MakeAddress(std::string_view path, sockaddr_un& address)
{
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path))
    {
        return false;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

int NewSocket()
{
    return ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
}

// Whether a listener answers at the address (a socket file without one is stale).
bool SomeoneListens(const sockaddr_un& address)
{
    int probe = NewSocket();
    if (probe < 0)
    {
        return false;
    }
    bool live = ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(probe);
    return live;
}

} // namespace

int ShowStateFromEnvironment()
{
    const char* value = std::getenv(kShowStateVariable);
    if (!value || !*value)
    {
        return kShowStateNormal;
    }
    char* end = nullptr;
    long state = std::strtol(value, &end, 10);
    return *end == '\0' && state >= 0 && state <= 11 ? static_cast<int>(state) : kShowStateNormal;
}

bool TestPlayReport::Value(int32_t& value) const
{
    if (m_Bytes.size() < 4)
    {
        return false;
    }
    value = static_cast<int32_t>(ReadLe32(m_Bytes.data()));
    return true;
}

std::string TestPlayEndpoint(std::string_view windowClass, std::string_view windowTitle)
{
    std::string folder = RuntimeFolder();
    if (folder.empty())
    {
        return "";
    }
    std::string path = folder + "/tarnwick-" + NamePart(windowClass) + "-" + NamePart(windowTitle) + ".link";
    return path.size() < sizeof(sockaddr_un{}.sun_path) ? path : "";
}

std::string EditorEndpoint()
{
    return TestPlayEndpoint(kEditorWindowClass, kEditorWindowTitle);
}

bool SendTestPlayReport(std::string_view endpoint, uint32_t kind, const void* bytes, size_t size)
{
    sockaddr_un address;
    if (size > kMaxReportBytes || !MakeAddress(endpoint, address))
    {
        return false;
    }
    std::vector<unsigned char> datagram(kHeaderBytes + size);
    WriteLe32(datagram.data(), kind);
    WriteLe32(datagram.data() + 4, static_cast<uint32_t>(::getpid()));
    WriteLe32(datagram.data() + 8, static_cast<uint32_t>(size));
    if (size > 0)
    {
        std::memcpy(datagram.data() + kHeaderBytes, bytes, size);
    }
    int out = NewSocket();
    if (out < 0)
    {
        return false;
    }
    // An editor that does not read never holds the game for long.
    timeval limit{1, 0};
    ::setsockopt(out, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof(limit));
    ssize_t sent = 0;
    do
    {
        sent = ::sendto(out, datagram.data(), datagram.size(), MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&address),
                        sizeof(address));
    } while (sent < 0 && errno == EINTR);
    ::close(out);
    return sent == static_cast<ssize_t>(datagram.size());
}

bool SendTestPlayValue(std::string_view endpoint, uint32_t kind, int32_t value)
{
    unsigned char bytes[4];
    WriteLe32(bytes, static_cast<uint32_t>(value));
    return SendTestPlayReport(endpoint, kind, bytes, sizeof(bytes));
}

// ---- the listener ----

TestPlayListener::~TestPlayListener()
{
    Close();
}

bool TestPlayListener::Open(std::string_view endpoint)
{
    Close();
    sockaddr_un address;
    if (!MakeAddress(endpoint, address))
    {
        return false;
    }
    std::string path(endpoint);
    struct stat info{};
    if (::lstat(path.c_str(), &info) == 0)
    {
        if (!S_ISSOCK(info.st_mode) || SomeoneListens(address))
        {
            return false;
        }
        ::unlink(path.c_str());
    }
    int listener = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listener < 0)
    {
        return false;
    }
    int on = 1;
    if (::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        ::setsockopt(listener, SOL_SOCKET, SO_PASSCRED, &on, sizeof(on)) != 0 || ::chmod(path.c_str(), 0600) != 0 ||
        ::lstat(path.c_str(), &info) != 0)
    {
        ::close(listener);
        return false;
    }
    m_nSocket = listener;
    m_strPath = path;
    m_nDevice = info.st_dev;
    m_nInode = info.st_ino;
    return true;
}

void TestPlayListener::Close()
{
    if (m_nSocket < 0)
    {
        return;
    }
    // Only this listener's own file: a later listener may have replaced it.
    struct stat info{};
    if (::lstat(m_strPath.c_str(), &info) == 0 && info.st_dev == m_nDevice && info.st_ino == m_nInode)
    {
        ::unlink(m_strPath.c_str());
    }
    ::close(m_nSocket);
    m_nSocket = -1;
    m_strPath.clear();
}

bool TestPlayListener::Receive(TestPlayReport& report)
{
    if (m_nSocket < 0)
    {
        return false;
    }
    for (;;)
    {
        unsigned char buffer[kHeaderBytes + kMaxReportBytes + 1];
        alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(ucred))];
        iovec part{buffer, sizeof(buffer)};
        msghdr message{};
        message.msg_iov = &part;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof(control);
        ssize_t got = ::recvmsg(m_nSocket, &message, MSG_CMSG_CLOEXEC);
        if (got < 0)
        {
            if (errno == EINTR)
            {
                continue;
            }
            return false; // nothing waits (or the socket failed)
        }
        const ucred* sender = nullptr;
        for (cmsghdr* header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header))
        {
            if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_CREDENTIALS &&
                header->cmsg_len >= CMSG_LEN(sizeof(ucred)))
            {
                sender = reinterpret_cast<const ucred*>(CMSG_DATA(header));
            }
        }
        size_t length = static_cast<size_t>(got);
        if (!sender || sender->uid != ::geteuid() || (message.msg_flags & MSG_TRUNC) || length < kHeaderBytes ||
            ReadLe32(buffer + 8) != length - kHeaderBytes)
        {
            continue; // dropped
        }
        report.m_nKind = ReadLe32(buffer);
        report.m_nSender = static_cast<int32_t>(ReadLe32(buffer + 4));
        report.m_Bytes.assign(buffer + kHeaderBytes, buffer + length);
        return true;
    }
}

bool TestPlayListener::WaitReceive(TestPlayReport& report, int milliseconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;)
    {
        if (Receive(report))
        {
            return true;
        }
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (m_nSocket < 0 || left.count() <= 0)
        {
            return false;
        }
        pollfd wait{m_nSocket, POLLIN, 0};
        ::poll(&wait, 1, static_cast<int>(left.count()));
    }
}

} // namespace platform
