#include "platform/qt/QtBars.h"

#include "platform/qt/QtText.h"

#include <QAction>
#include <QApplication>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

namespace platform
{

namespace
{

QIcon StandardIcon(int image)
{
    static const QStyle::StandardPixmap kMap[kStdImageCount] = {
        QStyle::SP_DialogDiscardButton, QStyle::SP_FileDialogContentsView, QStyle::SP_DialogApplyButton,
        QStyle::SP_ArrowBack,           QStyle::SP_ArrowForward,           QStyle::SP_TrashIcon,
        QStyle::SP_FileIcon,            QStyle::SP_DialogOpenButton,       QStyle::SP_DialogSaveButton,
        QStyle::SP_FileDialogInfoView,  QStyle::SP_FileDialogDetailedView, QStyle::SP_DialogHelpButton,
        QStyle::SP_FileDialogListView,  QStyle::SP_BrowserReload,          QStyle::SP_ComputerIcon,
    };
    return QApplication::style()->standardIcon(kMap[std::clamp(image, 0, kStdImageCount - 1)]);
}

} // namespace

QImage ToImage(const PixelView& view)
{
    QImage image(view.m_nWidth, view.m_nHeight, QImage::Format_RGB32);
    for (int y = 0; y < view.m_nHeight; ++y)
    {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < view.m_nWidth; ++x)
        {
            line[x] = 0xFF000000u | view.Rgb(x, y);
        }
    }
    return image;
}

// ---- QtToolBar ----

QtToolBar::QtToolBar(QWidget* parent, MenuCommand clicked) : m_Clicked(std::move(clicked)), m_pBar(new QToolBar(parent))
{
    m_pBar->setIconSize(QSize(16, 15));
    m_pBar->setMovable(false);
    // A bar is a window of its own: a click beside its buttons is its own, not its window's.
    m_pBar->setAttribute(Qt::WA_NoMousePropagation);
    m_pBar->setGeometry(0, 0, parent->width(), 28);
    m_pBar->show();
}

int QtToolBar::AddStandardImages()
{
    int first = static_cast<int>(m_Images.size());
    for (int i = 0; i < kStdImageCount; ++i)
    {
        m_Images.push_back(StandardIcon(i));
    }
    return first;
}

int QtToolBar::AddImages(const PixelView& strip, int count)
{
    int first = static_cast<int>(m_Images.size());
    QImage all = ToImage(strip);
    for (int i = 0; i < count; ++i)
    {
        m_Images.push_back(QIcon(QPixmap::fromImage(all.copy(i * 16, 0, 16, 15))));
    }
    return first;
}

void QtToolBar::AddButton(const ToolButton& button)
{
    if (button.m_nStyle & ToolButton::kStyleSeparator)
    {
        m_Actions.push_back(m_pBar->addSeparator());
        m_Commands.push_back(0);
        return;
    }
    bool known = button.m_nImage >= 0 && button.m_nImage < static_cast<int>(m_Images.size());
    QAction* action = m_pBar->addAction(known ? m_Images[button.m_nImage] : QIcon(), QString());
    action->setCheckable(button.m_nStyle & ToolButton::kStyleCheck);
    action->setChecked(button.m_nState & ToolButton::kStateChecked);
    action->setEnabled(button.m_nState & ToolButton::kStateEnabled);
    int command = button.m_nCommand;
    MenuCommand clicked = m_Clicked;
    QObject::connect(action, &QAction::triggered, [clicked, command] { clicked(command); });
    m_Actions.push_back(action);
    m_Commands.push_back(command);
}

uint8_t QtToolBar::ButtonState(int command) const
{
    for (std::size_t i = 0; i < m_Actions.size(); ++i)
    {
        if (m_Commands[i] == command && !m_Actions[i]->isSeparator())
        {
            return static_cast<uint8_t>((m_Actions[i]->isChecked() ? ToolButton::kStateChecked : 0) |
                                        (m_Actions[i]->isEnabled() ? ToolButton::kStateEnabled : 0));
        }
    }
    return 0;
}

void QtToolBar::SetButtonState(int command, uint8_t state)
{
    for (std::size_t i = 0; i < m_Actions.size(); ++i)
    {
        if (m_Commands[i] == command && !m_Actions[i]->isSeparator())
        {
            m_Actions[i]->setChecked(state & ToolButton::kStateChecked);
            m_Actions[i]->setEnabled(state & ToolButton::kStateEnabled);
        }
    }
}

QAction* QtToolBar::At(int index) const
{
    if (index < 0)
    {
        index = ButtonCount() - 1;
    }
    return index >= 0 && index < ButtonCount() ? m_Actions[index] : nullptr;
}

Rect QtToolBar::ButtonRect(int index) const
{
    QAction* action = At(index);
    QWidget* widget = action ? m_pBar->widgetForAction(action) : nullptr;
    if (!widget)
    {
        return {};
    }
    QRect r = widget->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void QtToolBar::SetTip(int index, std::string_view text)
{
    if (QAction* action = At(index))
    {
        action->setToolTip(FromCp932(text));
    }
}

std::string QtToolBar::Tip(int index) const
{
    QAction* action = At(index);
    return action ? ToCp932(action->toolTip()) : std::string();
}

void QtToolBar::OnOwnerSize(int width, int)
{
    m_pBar->setGeometry(0, 0, width, m_pBar->height());
}

// ---- QtStatusBar ----

QtStatusBar::QtStatusBar(QWidget* parent) : m_pBar(new QStatusBar(parent))
{
    m_pBar->setSizeGripEnabled(false);
    m_pBar->setAttribute(Qt::WA_NoMousePropagation);
    m_pBar->show();
}

void QtStatusBar::Move(const Rect& rect)
{
    m_pBar->setGeometry(rect.m_nLeft, rect.m_nTop, rect.m_nWidth, rect.m_nHeight);
}

Rect QtStatusBar::Placement() const
{
    QRect r = m_pBar->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void QtStatusBar::SetText(std::string_view text)
{
    m_pBar->showMessage(FromCp932(text));
}

} // namespace platform
