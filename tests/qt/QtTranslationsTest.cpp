// Qt's own texts in Japanese: the file dialog's labels and the buttons of a message box.
#include "platform/qt/QtTranslations.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>

namespace
{

TEST(QtTranslationsTest, TheFileDialogAndTheMessageBoxSpeakJapanese)
{
    ASSERT_TRUE(platform::InstallQtTranslations());

    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    auto* lookIn = dialog.findChild<QLabel*>("lookInLabel");
    ASSERT_NE(lookIn, nullptr);
    EXPECT_FALSE(lookIn->text().contains("Look in")) << lookIn->text().toStdString();

    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    for (QMessageBox::StandardButton which : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
    {
        QString text = box.button(which)->text();
        EXPECT_FALSE(text.contains("Yes") || text.contains("No") || text.contains("Cancel")) << text.toStdString();
    }
}

} // namespace
