#include "platform/qt/QtTabs.h"

#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"
#include "platform/window/TabModel.h"

#include <QApplication>
#include <QFrame>
#include <QPointer>
#include <QProxyStyle>
#include <QSignalBlocker>
#include <QTabBar>
#include <algorithm>

namespace platform
{

namespace
{

// The room beside a tab's title, both sides together.
constexpr int kTabTitleMargins = 12;

class NarrowTabStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
        {
            return kTabTitleMargins;
        }
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// One style for every tab bar, going with the application.
QStyle* TabStyle()
{
    static QPointer<NarrowTabStyle> style;
    if (!style)
    {
        style = new NarrowTabStyle;
        style->setParent(qApp);
    }
    return style;
}

} // namespace

QtTabControl::QtTabControl(QtChildWindow& owner, TabModel& model, QWidget* parent)
    : QWidget(parent), m_Owner(owner), m_Model(model), m_pBar(new KeyAccepting<QTabBar>(this)), m_pPanel(new QFrame(this))
{
    m_pBar->setStyle(TabStyle());
    m_pBar->setFont(ControlFont());
    m_pBar->setDrawBase(false);
    m_pBar->setExpanding(false);
    m_pBar->setFocusPolicy(Qt::StrongFocus);
    m_pPanel->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    m_pPanel->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_pBar);
    connect(m_pBar, &QTabBar::currentChanged, this, [this](int tab) {
        if (m_Owner.IsDestroyed())
        {
            return;
        }
        m_Model.UserSelect(tab);
        if (m_Model.Selection() != tab)
        {
            Sync(); // the model kept its tab
        }
    });
    Sync();
}

void QtTabControl::Sync()
{
    QSignalBlocker block(m_pBar);
    const std::vector<std::string>& tabs = m_Model.Tabs();
    bool same = m_pBar->count() == static_cast<int>(tabs.size());
    for (int i = 0; same && i < m_pBar->count(); ++i)
    {
        same = m_pBar->tabText(i) == FromCp932(tabs[static_cast<size_t>(i)]);
    }
    if (!same)
    {
        while (m_pBar->count() > 0)
        {
            m_pBar->removeTab(0);
        }
        for (const std::string& tab : tabs)
        {
            m_pBar->addTab(FromCp932(tab));
        }
    }
    m_pBar->setCurrentIndex(m_Model.Selection());
}

void QtTabControl::resizeEvent(QResizeEvent*)
{
    m_pBar->setGeometry(0, 0, width(), kTabRowHeight);
    m_pPanel->setGeometry(0, kTabRowHeight, width(), std::max(height() - kTabRowHeight, 0));
}

} // namespace platform
