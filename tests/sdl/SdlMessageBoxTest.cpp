// The game's own message box on SDL's dummy video driver: its picture, the
// keys and the mouse that answer it, and what ends it without an answer.

#include "platform/core/Cp932.h"
#include "platform/sdl/SdlDialogs.h"
#include "platform/sdl/SdlNativeWindow.h"
#include "platform/sdl/SdlWindowSystem.h"
#include "platform/text/FreeTypeRasterizer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace
{

using platform::WindowHandle;

constexpr uint32_t kWmLook = platform::kWmUser + 77;

// What a box looked like while it was up.
struct SeenBox
{
    WindowHandle m_hWindow;
    std::string m_strTitle;
    platform::Rect m_Rect;
    std::vector<uint32_t> m_Pixels; // client area, 0x00RRGGBB
    int m_nWidth = 0;
};

class SdlMessageBoxTest : public testing::Test
{
public: // for the table of inputs
    void SetUp() override
    {
        ASSERT_TRUE(m_System.IsReady()) << SDL_GetError();
        ASSERT_TRUE(m_Fonts.Open());
        s_pTest = this;
        platform::WindowCreateParams params;
        params.m_strTitle = "ゲーム";
        params.m_nStyle = platform::kWsPopup | platform::kWsCaption;
        params.m_WindowRect = {100, 60, 640, 480};
        params.m_pProcedure = &OwnerProcedure;
        m_hOwner = m_System.CreateWindow(params);
        ASSERT_TRUE(m_hOwner);
        m_System.Resolve(m_hOwner)->Show(true);
        // A window of the test's own, that looks at the box from inside its loop.
        platform::WindowCreateParams looker;
        looker.m_nStyle = platform::kWsPopup;
        looker.m_WindowRect = {0, 0, 8, 8};
        looker.m_pProcedure = &LookerProcedure;
        m_hLooker = m_System.CreateWindow(looker);
        ASSERT_TRUE(m_hLooker);
    }
    void TearDown() override { s_pTest = nullptr; }

    // Shows a box; once it is up, `act` runs inside its loop with what it shows.
    int Show(std::string_view text, uint32_t type, std::function<void(const SeenBox&)> act)
    {
        m_Act = std::move(act);
        m_Seen = {};
        EXPECT_TRUE(m_System.PostMessage(m_hLooker, kWmLook, 0, 0));
        return m_Dialogs.MessageBox(m_hOwner, text, "エラー", type);
    }

    // Looks at the box again once what was pushed until now is served.
    void LookAgain() { EXPECT_TRUE(m_System.PostMessage(m_hLooker, kWmLook, 0, 0)); }

    // SDL events for the box, as the user's keyboard and mouse would send them.
    void PushKey(WindowHandle box, SDL_Keycode key)
    {
        SDL_Event event{};
        event.type = SDL_KEYDOWN;
        event.key.windowID = SDL_GetWindowID(platform::NativeSdlWindow(m_System, box));
        event.key.keysym.sym = key;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
        event.type = SDL_KEYUP;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    void PushButton(WindowHandle window, bool down, platform::Point at)
    {
        SDL_Event event{};
        event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.windowID = SDL_GetWindowID(platform::NativeSdlWindow(m_System, window));
        event.button.button = SDL_BUTTON_LEFT;
        event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = at.m_nX;
        event.button.y = at.m_nY;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    void PushWindowEvent(WindowHandle window, SDL_WindowEventID what)
    {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.event = what;
        event.window.windowID = SDL_GetWindowID(platform::NativeSdlWindow(m_System, window));
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    // The middle of the box's button of that index, as the box lays it out.
    platform::Point ButtonCentre(std::string_view text, uint32_t type, size_t index)
    {
        const platform::Rect r = platform::LayOutMessageBox(text, type, m_Fonts).m_Buttons.at(index).m_Rect;
        return {r.m_nLeft + r.m_nWidth / 2, r.m_nTop + r.m_nHeight / 2};
    }

    static intptr_t LookerProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        if (message != kWmLook || !s_pTest)
        {
            return platform::DefWindowProc(window, message, wParam, lParam);
        }
        SdlMessageBoxTest& test = *s_pTest;
        SeenBox& seen = test.m_Seen;
        seen.m_hWindow = test.m_System.Focus();
        if (auto* box = dynamic_cast<platform::SdlWindow*>(test.m_System.Resolve(seen.m_hWindow)))
        {
            seen.m_strTitle = box->Title();
            seen.m_Rect = box->WindowRect();
            seen.m_nWidth = box->ClientRect().m_nWidth;
            for (int y = 0; y < box->ClientRect().m_nHeight; ++y)
            {
                for (int x = 0; x < seen.m_nWidth; ++x)
                {
                    seen.m_Pixels.push_back(box->PresentedPixel(x, y));
                }
            }
        }
        if (test.m_Act)
        {
            test.m_Act(seen);
        }
        return 0;
    }
    static intptr_t OwnerProcedure(WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam)
    {
        if (s_pTest && (message == platform::kWmKeyDown || message == platform::kWmLButtonDown))
        {
            ++s_pTest->m_nOwnerInput;
        }
        return platform::DefWindowProc(window, message, wParam, lParam);
    }

    static inline SdlMessageBoxTest* s_pTest = nullptr;

    platform::SdlWindowSystem m_System;
    platform::SdlDialogs m_Dialogs{m_System};
    platform::FreeTypeRasterizer m_Fonts; // the same face as the boxes'
    WindowHandle m_hOwner;
    WindowHandle m_hLooker;
    std::function<void(const SeenBox&)> m_Act;
    SeenBox m_Seen;
    int m_nOwnerInput = 0;
};

TEST_F(SdlMessageBoxTest, TheTextIsTheRasterisersDrawingOfTheMessageInABoxCentredOverItsOwner)
{
    // Long lines wrap, between words of letters and between Japanese characters;
    // the line break at the end adds no line.
    const std::string text = "セーブデータ1 へのセーブに失敗！\n"
                             "user_data\\SaveData01.dat を書き込めません：フォルダーに書き込めるか、"
                             "ディスクに空きがあるかを確かめて下さい。\n"
                             "cannot create a file beside user_data/SaveData01.dat: Permission denied\n";
    EXPECT_EQ(Show(text, platform::kMbOk | platform::kMbIconError,
                   [&](const SeenBox& box) { PushKey(box.m_hWindow, SDLK_RETURN); }),
              platform::kIdOk);

    EXPECT_EQ(m_Seen.m_strTitle, "エラー");
    const platform::Rect owner = m_System.Resolve(m_hOwner)->WindowRect();
    EXPECT_NEAR(m_Seen.m_Rect.m_nLeft + m_Seen.m_Rect.m_nWidth / 2.0, owner.m_nLeft + owner.m_nWidth / 2.0, 1);
    EXPECT_NEAR(m_Seen.m_Rect.m_nTop + m_Seen.m_Rect.m_nHeight / 2.0, owner.m_nTop + owner.m_nHeight / 2.0, 1);

    const platform::MessageBoxLayout layout = platform::LayOutMessageBox(text, platform::kMbOk, m_Fonts);
    ASSERT_EQ(m_Seen.m_nWidth, layout.m_nWidth);
    ASSERT_EQ(m_Seen.m_Pixels.size(), static_cast<size_t>(layout.m_nWidth) * layout.m_nHeight);
    std::vector<std::string> lines;
    for (const auto& line : layout.m_Lines)
    {
        lines.push_back(platform::ToUtf8(line.m_strText));
        EXPECT_LE(line.m_Image.m_nWidth, platform::kMessageBoxMaxTextWidth) << lines.back();
    }
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], platform::ToUtf8("セーブデータ1 へのセーブに失敗！"));
    EXPECT_EQ(lines[1] + lines[2], platform::ToUtf8("user_data\\SaveData01.dat を書き込めません：フォルダーに書き込め"
                                                    "るか、ディスクに空きがあるかを確かめて下さい。"));
    // Broken at a space, not inside a word.
    EXPECT_EQ(lines[3] + " " + lines[4], "cannot create a file beside user_data/SaveData01.dat: Permission denied");

    // Every character leaves ink at the size the box draws at (a face's hinting may lose thin ones).
    for (size_t at = 0; at < text.size(); at += platform::Cp932CharLength(text, at))
    {
        const std::string character = text.substr(at, platform::Cp932CharLength(text, at));
        if (character != " " && character != "\n")
        {
            const platform::TextImage image = m_Fonts.Render(character, platform::kMessageBoxTextSize);
            EXPECT_NE(std::count_if(image.m_Coverage.begin(), image.m_Coverage.end(), [](uint8_t c) { return c > 0; }),
                      0)
                << platform::ToUtf8(character);
        }
    }
    // Every pixel of each line is the rasteriser's coverage of that line in ink over the paper.
    for (const auto& line : layout.m_Lines)
    {
        const platform::TextImage drawn = m_Fonts.Render(line.m_strText, platform::kMessageBoxTextSize);
        ASSERT_GT(drawn.m_nWidth, 0);
        int inked = 0;
        int wrong = 0;
        for (int y = 0; y < drawn.m_nHeight; ++y)
        {
            for (int x = 0; x < drawn.m_nWidth; ++x)
            {
                const size_t at =
                    static_cast<size_t>(line.m_Origin.m_nY + y) * layout.m_nWidth + line.m_Origin.m_nX + x;
                const uint32_t want =
                    platform::BlendMessageBoxInk(platform::kMessageBoxPaper, platform::kMessageBoxInk, drawn.At(x, y));
                wrong += m_Seen.m_Pixels[at] != want;
                inked += drawn.At(x, y) > 128;
            }
        }
        EXPECT_EQ(wrong, 0) << line.m_strText;
        EXPECT_GT(inked, drawn.m_nWidth) << "ink of " << line.m_strText;
    }
    // Above the first line the paper is bare, and the box went with its answer.
    EXPECT_EQ(m_Seen.m_Pixels[static_cast<size_t>(layout.m_nWidth) * 2 + 2], platform::kMessageBoxPaper);
    EXPECT_FALSE(m_System.IsWindow(m_Seen.m_hWindow));
    EXPECT_EQ(m_System.Focus(), m_hOwner);
}

TEST_F(SdlMessageBoxTest, LinesThatDoNotFitAreLeftOutAndTheLastShownEndsWithAnEllipsis)
{
    auto numbered = [](int count, const std::string& body)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
        {
            text += std::to_string(i) + body + "\n";
        }
        return text;
    };
    // Wraps to a full line and a bit: the ellipsis does not fit after the first line as it stands.
    const std::string wide = " ああああああああああああああああああああああああああああああああああああああああ";
    struct Case
    {
        const char* m_pWhat;
        std::string m_strText;
        int m_nMaxHeight;
        size_t m_nLines;
    };
    const Case cases[] = {
        {"sixty short lines", numbered(60, " 行目"), 700, 29},
        {"a cut inside a wrapped paragraph", numbered(3, wide), platform::MessageBoxHeight(3), 3},
        {"no room for even one line", numbered(2, " 行目"), 40, 1},
        {"just enough room", numbered(4, " 行目"), platform::MessageBoxHeight(4), 4},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pWhat);
        const platform::MessageBoxLayout all = platform::LayOutMessageBox(c.m_strText, platform::kMbOk, m_Fonts);
        const platform::MessageBoxLayout cut =
            platform::LayOutMessageBox(c.m_strText, platform::kMbOk, m_Fonts, c.m_nMaxHeight);
        ASSERT_EQ(cut.m_Lines.size(), c.m_nLines);
        EXPECT_EQ(cut.m_nHeight, platform::MessageBoxHeight(static_cast<int>(c.m_nLines)));
        EXPECT_LE(cut.m_nHeight, std::max(c.m_nMaxHeight, platform::MessageBoxHeight(1)));
        for (size_t i = 0; i + 1 < cut.m_Lines.size(); ++i)
        {
            EXPECT_EQ(cut.m_Lines[i].m_strText, all.m_Lines[i].m_strText);
        }
        const std::string& last = cut.m_Lines.back().m_strText;
        const std::string& whole = all.m_Lines[c.m_nLines - 1].m_strText;
        if (cut.m_Lines.size() == all.m_Lines.size())
        {
            EXPECT_EQ(last, whole);
            continue;
        }
        // The ellipsis is the font's own character, in CP932 as every text of the box.
        ASSERT_GE(last.size(), 2u);
        EXPECT_EQ(last.substr(last.size() - 2), "\x81\x63");
        EXPECT_EQ(whole.compare(0, last.size() - 2, last, 0, last.size() - 2), 0) << platform::ToUtf8(last);
        EXPECT_LE(cut.m_Lines.back().m_Image.m_nWidth, platform::kMessageBoxMaxTextWidth);
        EXPECT_LE(cut.m_Buttons.at(0).m_Rect.Bottom(), cut.m_nHeight);
    }
}

TEST_F(SdlMessageBoxTest, ABoxIsNoHigherThanTheSpaceItIsShownInAndItsButtonsStayInside)
{
    const platform::Rect desktop{0, 0, 1024, 768};
    m_System.FixDesktopRect(desktop);
    struct Case
    {
        const char* m_pWhat;
        int m_nLines;
        bool m_bFullScreen; // the owner takes the whole of a 640 x 480 screen
        platform::Rect m_Space;
    };
    const Case cases[] = {
        {"sixty lines over an owner on a 1024 x 768 desktop", 60, false, desktop},
        {"twenty lines over an owner that takes the whole of a 640 x 480 screen", 20, true, {0, 0, 640, 480}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pWhat);
        SDL_Window* owner = platform::NativeSdlWindow(m_System, m_hOwner);
        if (c.m_bFullScreen)
        {
            // The dummy driver's one screen is 1024 x 768: the owner's rectangle stands for the smaller screen.
            ASSERT_EQ(SDL_SetWindowFullscreen(owner, SDL_WINDOW_FULLSCREEN_DESKTOP), 0);
            m_System.PumpMessages();
            m_System.Resolve(m_hOwner)->SetWindowRect(c.m_Space);
        }
        std::string lines;
        for (int i = 1; i <= c.m_nLines; ++i)
        {
            lines += std::to_string(i) + " 行目\n";
        }
        EXPECT_EQ(Show(lines, platform::kMbOkCancel, [&](const SeenBox& box) { PushKey(box.m_hWindow, SDLK_RETURN); }),
                  platform::kIdOk);
        const platform::Rect& r = m_Seen.m_Rect;
        EXPECT_GE(r.m_nTop, c.m_Space.m_nTop);
        EXPECT_LE(r.Bottom(), c.m_Space.Bottom());
        EXPECT_GE(r.m_nLeft, c.m_Space.m_nLeft);
        EXPECT_LE(r.Right(), c.m_Space.Right());
        // The buttons are drawn in the box's last rows: the marked one's blue frame is there.
        ASSERT_GT(m_Seen.m_nWidth, 0);
        const size_t rows = m_Seen.m_Pixels.size() / static_cast<size_t>(m_Seen.m_nWidth);
        EXPECT_EQ(rows, static_cast<size_t>(r.m_nHeight));
        ASSERT_GT(rows, 50u);
        const auto strip = m_Seen.m_Pixels.end() - static_cast<std::ptrdiff_t>(50 * m_Seen.m_nWidth);
        EXPECT_NE(std::find(strip, m_Seen.m_Pixels.end(), 0x0078D7u), m_Seen.m_Pixels.end());
        if (c.m_bFullScreen)
        {
            SDL_SetWindowFullscreen(owner, 0);
        }
    }
}

TEST_F(SdlMessageBoxTest, KeysAndTheMouseAnswerWithTheButtonsOfTheType)
{
    using Input = std::function<void(SdlMessageBoxTest&, const SeenBox&, uint32_t type)>;
    auto keys = [](std::vector<SDL_Keycode> list) -> Input
    {
        return [list](SdlMessageBoxTest& test, const SeenBox& box, uint32_t)
        {
            for (SDL_Keycode key : list)
            {
                test.PushKey(box.m_hWindow, key);
            }
        };
    };
    auto click = [](size_t button) -> Input
    {
        return [button](SdlMessageBoxTest& test, const SeenBox& box, uint32_t type)
        {
            const platform::Point at = test.ButtonCentre("x", type, button);
            test.PushButton(box.m_hWindow, true, at);
            test.PushButton(box.m_hWindow, false, at);
        };
    };
    const Input pressedAndLetGoElsewhere = [](SdlMessageBoxTest& test, const SeenBox& box, uint32_t type)
    {
        const platform::Point at = test.ButtonCentre("x", type, 1);
        test.PushButton(box.m_hWindow, true, at);
        test.PushButton(box.m_hWindow, false, {1, 1}); // not an answer, but the button keeps the mark
        test.PushKey(box.m_hWindow, SDLK_RETURN);
    };
    // The desktop may still have the owner active when the keys come (just
    // after a click on it). Escape in the box ends it should they be lost.
    const Input ownersClickThenOwnersKeys = [](SdlMessageBoxTest& test, const SeenBox& box, uint32_t)
    {
        test.PushButton(test.m_hOwner, true, {5, 5});
        test.PushButton(test.m_hOwner, false, {5, 5});
        test.PushKey(test.m_hOwner, SDLK_TAB);
        test.PushKey(test.m_hOwner, SDLK_RETURN);
        test.PushKey(box.m_hWindow, SDLK_ESCAPE);
    };
    const Input closed = [](SdlMessageBoxTest& test, const SeenBox& box, uint32_t)
    { test.PushWindowEvent(box.m_hWindow, SDL_WINDOWEVENT_CLOSE); };
    struct Case
    {
        const char* m_pWhat;
        uint32_t m_nType;
        Input m_Input;
        int m_nAnswer;
    };
    using namespace platform;
    const Case cases[] = {
        {"OK: Return", kMbOk, keys({SDLK_RETURN}), kIdOk},
        {"OK: Escape", kMbOk, keys({SDLK_ESCAPE}), kIdOk},
        {"OK: its button", kMbOk, click(0), kIdOk},
        {"yes/no: Return", kMbYesNo, keys({SDLK_RETURN}), kIdYes},
        {"yes/no: right, Return", kMbYesNo, keys({SDLK_RIGHT, SDLK_RETURN}), kIdNo},
        {"yes/no: Escape", kMbYesNo, keys({SDLK_ESCAPE}), kIdNo},
        {"yes/no: the second button", kMbYesNo, click(1), kIdNo},
        {"yes/no: pressed on no, let go elsewhere, then Return on the marked no", kMbYesNo, pressedAndLetGoElsewhere,
         kIdNo},
        {"yes/no: closed", kMbYesNo, closed, kIdNo},
        {"yes/no/cancel: down, down, Space", kMbYesNoCancel, keys({SDLK_DOWN, SDLK_DOWN, SDLK_SPACE}), kIdCancel},
        {"yes/no/cancel: left goes round to cancel, up to no", kMbYesNoCancel, keys({SDLK_LEFT, SDLK_UP, SDLK_RETURN}),
         kIdNo},
        {"yes/no/cancel: Escape", kMbYesNoCancel, keys({SDLK_ESCAPE}), kIdCancel},
        {"OK/cancel: Tab, Return", kMbOkCancel, keys({SDLK_TAB, SDLK_RETURN}), kIdCancel},
        {"OK/cancel: the first button", kMbOkCancel, click(0), kIdOk},
        {"OK/cancel: closed", kMbOkCancel, closed, kIdCancel},
        {"yes/no/cancel: a click on the owner does nothing, and the keys it gets are the box's", kMbYesNoCancel,
         ownersClickThenOwnersKeys, kIdNo},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.m_pWhat);
        m_nOwnerInput = 0;
        EXPECT_EQ(Show("x", c.m_nType, [&](const SeenBox& box) { c.m_Input(*this, box, c.m_nType); }), c.m_nAnswer);
        EXPECT_EQ(m_nOwnerInput, 0);
        EXPECT_FALSE(m_System.IsWindow(m_Seen.m_hWindow));
    }
}

TEST_F(SdlMessageBoxTest, TheOwnerHandsItsActivationToTheBoxAndOneClickAnswersABoxThatIsNotActive)
{
    // On a desktop SDL drops the click that activates a window unless told otherwise.
    EXPECT_TRUE(SDL_GetHintBoolean(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, SDL_FALSE));
    platform::NativeWindow* owner = m_System.Resolve(m_hOwner);
    int step = 0;
    WindowHandle box;
    const platform::Point yes = ButtonCentre("x", platform::kMbYesNo, 0);
    EXPECT_EQ(Show("x", platform::kMbYesNo,
                   [&](const SeenBox& seen)
                   {
                       switch (step++)
                       {
                       case 0:
                           box = seen.m_hWindow;
                           EXPECT_FALSE(owner->IsEnabled());
                           EXPECT_EQ(m_System.ActiveWindow(), box);
                           // Another program is activated, then the owner is clicked.
                           PushWindowEvent(box, SDL_WINDOWEVENT_FOCUS_LOST);
                           PushWindowEvent(m_hOwner, SDL_WINDOWEVENT_FOCUS_GAINED);
                           LookAgain();
                           break;
                       case 1:
                           EXPECT_EQ(m_System.ActiveWindow(), box);
                           EXPECT_EQ(m_System.Focus(), box);
                           EXPECT_TRUE(m_System.IsAppActive());
                           // Another program again: one click on the box's button answers it
                           // (Escape, which says no, ends the box should the click be lost).
                           PushWindowEvent(box, SDL_WINDOWEVENT_FOCUS_LOST);
                           PushButton(box, true, yes);
                           PushButton(box, false, yes);
                           PushKey(box, SDLK_ESCAPE);
                           break;
                       default:
                           ADD_FAILURE() << "looked at again";
                       }
                   }),
              platform::kIdYes);
    EXPECT_EQ(step, 2);
    EXPECT_TRUE(owner->IsEnabled());
    EXPECT_EQ(m_System.Focus(), m_hOwner);
}

TEST_F(SdlMessageBoxTest, AQuitOrTheOwnersEndEndsTheBoxAsIfItWereClosed)
{
    // The owner goes, and the box it owns with it.
    EXPECT_EQ(Show("x", platform::kMbYesNoCancel, [&](const SeenBox&) { m_System.DestroyWindow(m_hOwner); }),
              platform::kIdCancel);
    EXPECT_TRUE(m_Seen.m_hWindow);
    EXPECT_FALSE(m_System.IsWindow(m_Seen.m_hWindow));

    // A quit ends the loop; it stays for the loops outside, and a box asked for then is not put up.
    EXPECT_EQ(Show("x", platform::kMbYesNo, [&](const SeenBox&) { m_System.PostQuit(0); }), platform::kIdNo);
    EXPECT_TRUE(m_Seen.m_hWindow);
    EXPECT_FALSE(m_System.IsWindow(m_Seen.m_hWindow));
    EXPECT_TRUE(m_System.QuitPending());
    testing::internal::CaptureStderr();
    EXPECT_EQ(m_Dialogs.MessageBox(nullptr, "おわり", "エラー", platform::kMbOkCancel), platform::kIdCancel);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), platform::ToUtf8("[エラー] おわり\n"));
}

TEST_F(SdlMessageBoxTest, WithoutItsFontABoxIsShownByTheStandInAndWhyIsSaidOnce)
{
    const std::string unreadable = ::testing::TempDir() + "no-such-folder/no-such-font.ttf";
    struct Asked
    {
        WindowHandle m_hOwner;
        std::string m_strText;
        std::string m_strCaption;
        uint32_t m_nType;
    };
    std::vector<Asked> asked;
    platform::SdlDialogs dialogs(m_System, unreadable,
                                 [&](WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type)
                                 {
                                     asked.push_back({owner, std::string(text), std::string(caption), type});
                                     return platform::kIdNo;
                                 });
    testing::internal::CaptureStderr();
    EXPECT_EQ(dialogs.MessageBox(m_hOwner, "終了しますか？\n", "終了確認", platform::kMbYesNo), platform::kIdNo);
    EXPECT_EQ(dialogs.MessageBox(nullptr, "x", "エラー", platform::kMbYesNoCancel | platform::kMbIconError),
              platform::kIdNo);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cannot open the font " + unreadable + " for the message boxes; plain boxes stand in for them\n");
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].m_hOwner, m_hOwner);
    EXPECT_EQ(asked[0].m_strText, "終了しますか？\n");
    EXPECT_EQ(asked[0].m_strCaption, "終了確認");
    EXPECT_EQ(asked[0].m_nType, platform::kMbYesNo);
    EXPECT_EQ(asked[1].m_hOwner, WindowHandle{});
    EXPECT_EQ(asked[1].m_nType, platform::kMbYesNoCancel | platform::kMbIconError);

    // Without a display there is nothing to stand in: the text goes to the standard error stream.
    platform::SdlDialogs headless(m_System, unreadable);
    testing::internal::CaptureStderr();
    EXPECT_EQ(headless.MessageBox(m_hOwner, "おわり", "エラー", platform::kMbOkCancel), platform::kIdCancel);
    const std::string why = "cannot open the font " + unreadable + " for the message boxes";
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              why + "; their text goes to the standard error stream\n" + platform::ToUtf8("[エラー] おわり\n"));
}

} // namespace
