#pragma once

// A right click on a list box as the author makes it, over a row or below the
// rows, and the pop-up menu it opens: the menu runs a loop of its own, so a
// timer looks for it there, notes its items and closes it without a choice.

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <QTimer>

// The texts of the items of the pop-up menu that the right click at the point
// of the list's rows opened; empty when none opened.
inline QStringList RightClickPopup(QListWidget* list, QPoint at)
{
    QStringList items;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout,
                     [&items, &watch]
                     {
                         auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                         if (!menu)
                         {
                             return;
                         }
                         watch.stop();
                         for (QAction* action : menu->actions())
                         {
                             if (!action->isSeparator())
                             {
                                 items << action->text();
                             }
                         }
                         menu->close();
                     });
    watch.start();
    QTest::mousePress(list->viewport(), Qt::RightButton, {}, at);
    QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, at);
    return items;
}

// The middle of the row.
inline QPoint RowPoint(QListWidget* list, int row)
{
    return list->visualItemRect(list->item(row)).center();
}
