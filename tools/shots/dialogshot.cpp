// Draws one of the editor's dialogs, built from its template on Qt widgets,
// into a PNG, offscreen: dialogshot ID OUTPUT.png [CONTROL-ID=TEXT ...]
// Each CONTROL-ID=TEXT (UTF-8) sets a control's text first. The picture is the
// dialog's client area under a caption bar with the dialog's title; a page of
// a property sheet (the database's) is drawn in a sheet of its own, under its
// tab and above the sheet's buttons.

#include "editor/framework/DialogBase.h"
#include "editor/framework/PropSheet.h"
#include "platform/core/Cp932.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "platform/qt/QtWindowSystem.h"
#include "WindowPicture.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace
{

// Any template, shown modeless and left alone.
class ShownDialog : public DialogBase
{
public:
    ShownDialog(int id, int kind)
    {
        UseClassProcedure(this);
        Init(id, nullptr, 0, kind, &App);
    }
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override
    {
        return OnMessage(window, message, wParam, lParam) ? 1 : 0;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: dialogshot ID OUTPUT.png [CONTROL-ID=TEXT ...]\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    platform::QtWindowSystem system;
    AppWindowSystem = &system;
    int id = std::atoi(argv[1]);
    if (!FindDialogTemplate(id))
    {
        std::fprintf(stderr, "dialogshot: no dialog %d\n", id);
        return 1;
    }
    const bool page = (FindDialogTemplate(id)->m_nStyle & kChildDialog) != 0;
    ShownDialog dialog(id, page ? kWindowSheetPage : kWindowDialog);
    PropSheet sheet(1, nullptr, &App);
    platform::NativeWindow* frame = nullptr;
    if (page)
    {
        sheet.AddPage(&dialog);
        if (sheet.Create())
        {
            sheet.SetCaption(FindDialogTemplate(id)->m_pszCaption);
            frame = system.Resolve(sheet.SheetWindow());
        }
    }
    else
    {
        dialog.RunModeless(0);
        frame = dialog.Native();
    }
    platform::NativeWindow* window = dialog.Native();
    if (!window || !frame)
    {
        std::fprintf(stderr, "dialogshot: dialog %d could not be made\n", id);
        return 1;
    }
    for (int i = 3; i < argc; ++i)
    {
        std::string setting = argv[i];
        size_t equals = setting.find('=');
        if (equals == std::string::npos)
        {
            continue;
        }
        window->SetItemText(std::atoi(setting.substr(0, equals).c_str()), platform::FromUtf8(setting.substr(equals + 1)));
    }
    system.PumpMessages();
    QWidget* top = static_cast<platform::QtWindow*>(frame)->TopLevel();
    QImage picture = FramedGrab(top, platform::FromCp932(frame->Text()));
    if (!picture.save(QString::fromLocal8Bit(argv[2])))
    {
        std::fprintf(stderr, "dialogshot: cannot write %s\n", argv[2]);
        return 1;
    }
    if (page)
    {
        sheet.Destroy();
    }
    else
    {
        dialog.Close(0);
    }
    return 0;
}
