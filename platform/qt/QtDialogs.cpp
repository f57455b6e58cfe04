#include "platform/qt/QtDialogs.h"

#include "platform/core/Cp932.h"
#include "platform/core/Files.h"
#include "platform/qt/QtText.h"
#include "platform/qt/QtWindow.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>

namespace platform
{

namespace
{

QString Text(std::string_view cp932)
{
    return FromCp932(cp932);
}

// What a box or a file dialog is shown over, centred: the owner's top-level
// window while it is shown, else the active window (the editor the author
// works in, when the owner is the hidden main window); a stale handle gives
// the active window too.
QWidget* OwnerWidget(WindowSystem& system, WindowHandle owner)
{
    for (WindowHandle candidate : {system.TopLevelOf(owner), system.ActiveWindow()})
    {
        auto* window = dynamic_cast<QtWindow*>(system.Resolve(candidate));
        if (window && window->TopLevel() && window->TopLevel()->isVisible())
        {
            return window->TopLevel();
        }
    }
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : nullptr;
}

// The folder on disk of a stored folder ("" stays the current folder).
QString DiskFolder(std::string_view folder)
{
    if (folder.empty())
    {
        return QDir::currentPath();
    }
    QString path = QString::fromStdString(DiskPath(folder));
    return QDir(path).absolutePath();
}

std::string Stored(const QString& path)
{
    return ToCp932(QDir::cleanPath(path));
}

void SetUp(QFileDialog& dialog, const FileDialogRequest& request)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setWindowTitle(Text(request.m_strTitle));
    dialog.setDirectory(DiskFolder(request.m_strInitialFolder));
    QString filter = ToQtFileFilter(request.m_strFilter);
    if (!filter.isEmpty())
    {
        dialog.setNameFilter(filter);
    }
    std::string extension = request.m_strDefaultExtension;
    if (!extension.empty() && extension.find_first_of(";*") == std::string::npos)
    {
        dialog.setDefaultSuffix(FromCp932(extension));
    }
}

} // namespace

QString ToQtFileFilter(std::string_view filter)
{
    QStringList entries;
    for (const FileFilter& entry : ParseFileFilter(filter))
    {
        QStringList patterns;
        for (const std::string& pattern : entry.m_Patterns)
        {
            patterns << Text(pattern);
        }
        entries << Text(entry.m_strDescription) + " (" + patterns.join(' ') + ")";
    }
    return entries.join(";;");
}

int QtDialogs::MessageBox(WindowHandle owner, std::string_view text, std::string_view caption, uint32_t type)
{
    QMessageBox box(OwnerWidget(m_System, owner));
    box.setWindowTitle(Text(caption));
    box.setText(Text(text));
    switch (type & kMbIconMask)
    {
    case kMbIconError: box.setIcon(QMessageBox::Critical); break;
    case kMbIconQuestion: box.setIcon(QMessageBox::Question); break;
    case kMbIconWarning: box.setIcon(QMessageBox::Warning); break;
    case kMbIconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    switch (type & kMbButtonMask)
    {
    case kMbOkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case kMbYesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    case kMbYesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    default: box.setStandardButtons(QMessageBox::Ok); break;
    }
    switch (Run(box))
    {
    case QMessageBox::Ok: return kIdOk;
    case QMessageBox::Yes: return kIdYes;
    case QMessageBox::No: return kIdNo;
    case QMessageBox::Cancel: return kIdCancel;
    default: return DismissedAnswer(type);
    }
}

bool QtDialogs::OpenFile(const FileDialogRequest& request, std::vector<std::string>& paths)
{
    QFileDialog dialog(OwnerWidget(m_System, request.m_hOwner));
    SetUp(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.m_bMultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    paths.clear();
    if (Run(dialog) != QDialog::Accepted)
    {
        return false;
    }
    for (const QString& file : dialog.selectedFiles())
    {
        paths.push_back(Stored(file));
    }
    return !paths.empty();
}

bool QtDialogs::SaveFile(const FileDialogRequest& request, std::string& path)
{
    QFileDialog dialog(OwnerWidget(m_System, request.m_hOwner));
    SetUp(dialog, request);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.m_bOverwritePrompt);
    if (!request.m_strInitialName.empty())
    {
        dialog.selectFile(Text(request.m_strInitialName));
    }
    path.clear();
    if (Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    {
        return false;
    }
    path = Stored(dialog.selectedFiles().front());
    return true;
}

bool QtDialogs::BrowseFolder(WindowHandle owner, std::string_view startFolder, std::string_view title,
                             std::string& path)
{
    QFileDialog dialog(OwnerWidget(m_System, owner), Text(title), DiskFolder(startFolder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    path.clear();
    if (Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    {
        return false;
    }
    path = Stored(dialog.selectedFiles().front());
    return true;
}

void QtDialogs::EndAll()
{
    m_bEnded = true;
    // The innermost first: each returns from its own exec as the stack unwinds.
    for (auto it = m_Open.rbegin(); it != m_Open.rend(); ++it)
    {
        (*it)->done(QDialog::Rejected);
    }
}

int QtDialogs::Run(QDialog& dialog)
{
    if (m_bEnded)
    {
        return QDialog::Rejected;
    }
    m_Open.push_back(&dialog);
    const int result = dialog.exec();
    m_Open.erase(std::find(m_Open.begin(), m_Open.end(), &dialog));
    return result;
}

} // namespace platform
