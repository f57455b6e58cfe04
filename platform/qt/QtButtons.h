#pragma once

// Buttons on Qt: push buttons, check boxes and radio buttons, group boxes.
// The model decides the check; a click only tells the model.

#include "platform/qt/QtControls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

namespace platform
{

class ButtonModel;
class QtChildWindow;

class QtPushButton : public KeyAccepting<QPushButton>, public QtControlView
{
public:
    QtPushButton(QtChildWindow& owner, ButtonModel& model, QWidget* parent);
    void Sync() override;

private:
    QtChildWindow& m_Owner;
    ButtonModel& m_Model;
};

// A check box (two or three states) or a radio button. A text wider than
// the button beside its mark is broken into lines that fit. Disabled, its
// label is a grey that can be read on the dialog's grey face.
class QtCheckButton : public QWidget, public QtControlView
{
public:
    QtCheckButton(QtChildWindow& owner, ButtonModel& model, QWidget* parent);
    void Sync() override;
    QAbstractButton* Button() const { return m_pButton; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The model's text with its lines broken to the room beside the mark.
    QString FittedText() const;

    QtChildWindow& m_Owner;
    ButtonModel& m_Model;
    QAbstractButton* m_pButton;
    QCheckBox* m_pBox = nullptr;
};

class QtGroupBox : public QGroupBox, public QtControlView
{
public:
    QtGroupBox(QtChildWindow& owner, ButtonModel& model, QWidget* parent);
    void Sync() override;

private:
    ButtonModel& m_Model;
};

} // namespace platform
