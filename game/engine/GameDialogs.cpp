#include "game/engine/GameDialogs.h"

#include "game/engine/GameDataLock.h"
#include "game/engine/GameWindow.h"
#include "platform/window/WindowSystem.h"

#include <algorithm>

GameDialogs GameBoxes;

struct GameDialogs::Box
{
    platform::WindowHandle m_hOwner;
    std::string m_strText;
    std::string m_strCaption;
    uint32_t m_nType = 0;
    std::function<void(bool)> m_Around;
    bool m_bAnswered = false;
    int m_nAnswer = 0;
};

GameDialogs::~GameDialogs()
{
    Uninstall();
}

void GameDialogs::Install(platform::WindowHandle mainWindow)
{
    if (IsInstalled())
    {
        Uninstall();
    }
    std::lock_guard lock(m_Mutex);
    // Without a backend's service the boxes go where they would have gone: the standard error stream.
    platform::DialogService& shown = platform::Dialogs();
    m_pPrevious = platform::SetDialogService(this);
    m_pInner = &shown;
    m_hMain = mainWindow;
    m_MainThread = std::this_thread::get_id();
    m_bShuttingDown = false;
    m_bCloseDeferred = false;
    m_nShownHere = 0;
}

void GameDialogs::Uninstall()
{
    std::lock_guard lock(m_Mutex);
    if (!m_pInner)
    {
        return;
    }
    FailWaiting();
    if (&platform::Dialogs() == this)
    {
        platform::SetDialogService(m_pPrevious);
    }
    m_pInner = nullptr;
    m_pPrevious = nullptr;
    m_hMain = nullptr;
    m_MainThread = {};
}

bool GameDialogs::IsInstalled() const
{
    std::lock_guard lock(m_Mutex);
    return m_pInner != nullptr;
}

platform::DialogService* GameDialogs::MainThreadInner() const
{
    std::lock_guard lock(m_Mutex);
    return m_pInner && std::this_thread::get_id() == m_MainThread ? m_pInner : nullptr;
}

void GameDialogs::FailWaiting()
{
    for (auto* list : {&m_Waiting, &m_Showing})
    {
        for (const auto& box : *list)
        {
            if (!box->m_bAnswered)
            {
                box->m_bAnswered = true;
                box->m_nAnswer = platform::DismissedAnswer(box->m_nType);
            }
        }
        list->clear();
    }
    m_Answered.notify_all();
}

void GameDialogs::BeginShutdown()
{
    std::lock_guard lock(m_Mutex);
    m_bShuttingDown = true;
    m_bCloseDeferred = false;
    FailWaiting();
}

bool GameDialogs::BeginClose()
{
    std::lock_guard lock(m_Mutex);
    if (m_pInner && !m_bShuttingDown && (!m_Waiting.empty() || !m_Showing.empty() || m_nShownHere > 0))
    {
        m_bCloseDeferred = true;
        return false;
    }
    // Decided under the lock: a box asked for from now on fails at once.
    m_bShuttingDown = true;
    m_bCloseDeferred = false;
    FailWaiting();
    return true;
}

int GameDialogs::PendingBoxes() const
{
    std::lock_guard lock(m_Mutex);
    return static_cast<int>(m_Waiting.size() + m_Showing.size());
}

void GameDialogs::PostDeferredClose()
{
    platform::WindowHandle window;
    {
        std::lock_guard lock(m_Mutex);
        if (!m_bCloseDeferred || m_bShuttingDown || !m_Waiting.empty() || !m_Showing.empty() || m_nShownHere > 0)
        {
            return;
        }
        m_bCloseDeferred = false;
        window = m_hMain;
    }
    platform::PostWindowMessage(window, platform::kWmClose, 0, 0);
}

int GameDialogs::MessageBox(platform::WindowHandle owner, std::string_view text, std::string_view caption,
                            uint32_t type)
{
    return MessageBoxAround(owner, text, caption, type, nullptr);
}

int GameDialogs::MessageBoxAround(platform::WindowHandle owner, std::string_view text, std::string_view caption,
                                  uint32_t type, std::function<void(bool showing)> around)
{
    if (platform::DialogService* inner = MainThreadInner())
    {
        {
            std::lock_guard lock(m_Mutex);
            ++m_nShownHere;
            if (!owner)
            {
                owner = m_hMain;
            }
        }
        // Shown here and now; the service may run a modal loop.
        if (around)
        {
            around(true);
        }
        const int answer = inner->MessageBox(owner, text, caption, type);
        if (around)
        {
            around(false);
        }
        {
            std::lock_guard lock(m_Mutex);
            --m_nShownHere;
        }
        PostDeferredClose();
        return answer;
    }
    auto box = std::make_shared<Box>();
    platform::WindowHandle window;
    {
        std::lock_guard lock(m_Mutex);
        if (!m_pInner || m_bShuttingDown)
        {
            return platform::DismissedAnswer(type);
        }
        box->m_hOwner = owner;
        box->m_strText = text;
        box->m_strCaption = caption;
        box->m_nType = type;
        box->m_Around = std::move(around);
        m_Waiting.push_back(box);
        window = m_hMain;
    }
    if (!platform::PostWindowMessage(window, kWmShowBox, 0, 0))
    {
        std::lock_guard lock(m_Mutex);
        m_Waiting.erase(std::remove(m_Waiting.begin(), m_Waiting.end(), box), m_Waiting.end());
        return platform::DismissedAnswer(type);
    }
    GameDataUnlocked unlocked;
    std::unique_lock lock(m_Mutex);
    m_Answered.wait(lock, [&] { return box->m_bAnswered; });
    return box->m_nAnswer;
}

void GameDialogs::ServeBoxes()
{
    // One box at a time: the call that shows one takes the next when it is answered.
    if (m_bServing)
    {
        return;
    }
    m_bServing = true;
    for (;;)
    {
        std::shared_ptr<Box> box;
        platform::DialogService* inner = nullptr;
        platform::WindowHandle owner;
        {
            std::lock_guard lock(m_Mutex);
            if (m_Waiting.empty() || !m_pInner)
            {
                break;
            }
            box = m_Waiting.front();
            m_Waiting.pop_front();
            m_Showing.push_back(box);
            inner = m_pInner;
            owner = box->m_hOwner ? box->m_hOwner : m_hMain;
        }
        if (box->m_Around)
        {
            box->m_Around(true);
        }
        int answer = inner->MessageBox(owner, box->m_strText, box->m_strCaption, box->m_nType);
        if (box->m_Around)
        {
            box->m_Around(false);
        }
        std::lock_guard lock(m_Mutex);
        m_Showing.erase(std::remove(m_Showing.begin(), m_Showing.end(), box), m_Showing.end());
        if (!box->m_bAnswered)
        {
            box->m_bAnswered = true;
            box->m_nAnswer = answer;
            m_Answered.notify_all();
        }
    }
    m_bServing = false;
    PostDeferredClose();
}

platform::WindowHandle GameDialogs::ActiveWindow()
{
    if (platform::DialogService* inner = MainThreadInner())
    {
        return inner->ActiveWindow();
    }
    std::lock_guard lock(m_Mutex);
    return m_hMain;
}

bool GameDialogs::OpenFile(const platform::FileDialogRequest& request, std::vector<std::string>& paths)
{
    platform::DialogService* inner = MainThreadInner();
    return inner && inner->OpenFile(request, paths);
}

bool GameDialogs::SaveFile(const platform::FileDialogRequest& request, std::string& path)
{
    platform::DialogService* inner = MainThreadInner();
    return inner && inner->SaveFile(request, path);
}

bool GameDialogs::BrowseFolder(platform::WindowHandle owner, std::string_view startFolder, std::string_view title,
                               std::string& path)
{
    platform::DialogService* inner = MainThreadInner();
    return inner && inner->BrowseFolder(owner, startFolder, title, path);
}
