#include "platform/qt/QtMenus.h"

#include "platform/qt/QtText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace platform
{

void FillMenu(QMenu* target, const std::vector<MenuItem>& items, const MenuCommand& chosen)
{
    for (const MenuItem& item : items)
    {
        if (item.m_bSeparator)
        {
            target->addSeparator();
            continue;
        }
        if (!item.m_SubItems.empty())
        {
            FillMenu(target->addMenu(FromCp932(item.m_strText)), item.m_SubItems, chosen);
            continue;
        }
        QAction* action = target->addAction(FromCp932(item.m_strText));
        action->setCheckable(item.m_bChecked);
        action->setChecked(item.m_bChecked);
        action->setEnabled(!item.m_bGrayed);
        int command = item.m_nCommand;
        QObject::connect(action, &QAction::triggered, [chosen, command] { chosen(command); });
    }
}

QMenuBar* MakeMenuBar(QWidget* window, const Menu& menu, const MenuCommand& chosen)
{
    auto* bar = new QMenuBar(window);
    for (const MenuItem& item : menu.m_Items)
    {
        FillMenu(bar->addMenu(FromCp932(item.m_strText)), item.m_SubItems, chosen);
    }
    return bar;
}

int RunPopupMenu(QWidget* owner, const Menu& menu, Point screen)
{
    QMenu popup(owner);
    int chosen = 0;
    FillMenu(&popup, menu.m_Items, [&chosen](int command) { chosen = command; });
    popup.exec(QPoint(screen.m_nX, screen.m_nY));
    return chosen;
}

} // namespace platform
