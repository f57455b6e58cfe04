#include "platform/qt/QtStatics.h"

#include "platform/qt/QtText.h"
#include "platform/window/StaticModel.h"

namespace platform
{

QtLabel::QtLabel(QtChildWindow&, StaticModel& model, QWidget* parent) : QLabel(parent), m_Model(model)
{
    setFont(ControlFont());
    setTextFormat(Qt::PlainText);
    Sync();
}

void QtLabel::Sync()
{
    // "&&" shows one ampersand; a single one only marks a mnemonic.
    QString text = FromCp932(m_Model.Text());
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        if (text[i] == u'&')
        {
            if (i + 1 < text.size() && text[i + 1] == u'&')
            {
                shown += u'&';
                ++i;
            }
            continue;
        }
        shown += text[i];
    }
    setText(shown);
    uint32_t alignment = m_Model.Alignment();
    Qt::Alignment horizontal = alignment == kSsCenter ? Qt::AlignHCenter
                               : alignment == kSsRight ? Qt::AlignRight
                                                       : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignTop);
    setWordWrap((m_Model.Style() & kSsTypeMask) != kSsLeftNoWordWrap);
}

} // namespace platform
