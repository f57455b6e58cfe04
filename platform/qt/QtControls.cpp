#include "platform/qt/QtControls.h"

#include "platform/qt/QtButtons.h"
#include "platform/qt/QtEdits.h"
#include "platform/qt/QtLists.h"
#include "platform/qt/QtScrollBars.h"
#include "platform/qt/QtStatics.h"
#include "platform/qt/QtTabs.h"
#include "platform/qt/QtUpDown.h"
#include "platform/qt/QtWindow.h"
#include "platform/window/ButtonModel.h"
#include "platform/window/EditModel.h"
#include "platform/window/ListModels.h"
#include "platform/window/ScrollBarModel.h"
#include "platform/window/StaticModel.h"
#include "platform/window/TabModel.h"
#include "platform/window/UpDownModel.h"

#include <QFontDatabase>

namespace platform
{

QWidget* MakeControlWidget(QtChildWindow& owner, QWidget* container)
{
    ControlModel* model = owner.Control();
    if (auto* button = dynamic_cast<ButtonModel*>(model))
    {
        if (button->IsGroupBox())
        {
            return new QtGroupBox(owner, *button, container);
        }
        if (button->IsPushButton())
        {
            return new QtPushButton(owner, *button, container);
        }
        return new QtCheckButton(owner, *button, container);
    }
    if (auto* text = dynamic_cast<StaticModel*>(model); text && !text->IsPicture())
    {
        return new QtLabel(owner, *text, container);
    }
    if (auto* edit = dynamic_cast<EditModel*>(model))
    {
        if (edit->IsMultiline())
        {
            return new QtMultiEdit(owner, *edit, container);
        }
        return new QtEdit(owner, *edit, container);
    }
    if (auto* list = dynamic_cast<ListBoxModel*>(model))
    {
        return new QtListBox(owner, *list, container);
    }
    if (auto* combo = dynamic_cast<ComboBoxModel*>(model))
    {
        return new QtComboBox(owner, *combo, container);
    }
    if (auto* bar = dynamic_cast<ScrollBarModel*>(model))
    {
        return new QtScrollBarControl(owner, *bar, container);
    }
    if (auto* upDown = dynamic_cast<UpDownModel*>(model))
    {
        return new QtUpDown(owner, *upDown, container);
    }
    if (auto* tabs = dynamic_cast<TabModel*>(model))
    {
        return new QtTabControl(owner, *tabs, container);
    }
    return nullptr;
}

QFont ControlFont()
{
    static const QFont font = [] {
        QFont chosen;
        for (const char* family : {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"})
        {
            if (QFontDatabase::hasFamily(family))
            {
                chosen = QFont(family);
                break;
            }
        }
        chosen.setPixelSize(12);
        return chosen;
    }();
    return font;
}

} // namespace platform
