#pragma once

// The bitmap conversion tool (188): rewrites 256-colour BMP files so that
// every pixel names the nearest colour of the project's conversion palette
// ("bmp\Palette2.bmp"), over the input or under the same name in an output
// folder. Its four settings are EditConfig's and reach it as soon as a
// control changes, so they outlive the dialog whatever way it closes.

#include "common/graphics/Palette.h"
#include "editor/framework/ComboBox.h"
#include "editor/framework/DialogBase.h"
#include "editor/framework/ListBox.h"
#include "editor/framework/NumberEdit.h"
#include "editor/framework/TextEdit.h"

#include <string>

enum : int
{
    kIdBitmapConvertDialog = 188,
    kIdConvertChooseFiles = 1008,
    kIdConvertRun = 1007,
    kIdConvertFiles = 1328,
    kIdConvertUseTransparent = 1334,
    kIdConvertTransparent = 1329,
    kIdConvertTransparentSpin = 1330,
    kIdConvertOverwrite = 1331,
    kIdConvertFolder = 1332,
    kIdConvertBrowseFolder = 1333,
};

constexpr int kMaxConvertFiles = 100;

struct ConvertSettings
{
    int32_t m_bUseTransparent = 0;
    int32_t m_nTransparent = 0;
};

// Converts one file onto the palette: 1 when the output was written. A file
// that is not an uncompressed, bottom-up 8-bit BMP with its 256-entry colour
// table right after a 40-byte header and the pixels right after the table,
// or that is shorter than its header says, is refused with the error box and
// nothing is written. The output replaces its file only once whole.
int ConvertBitmapFile(const std::string& outputPath, const std::string& inputPath, const PaletteEntries& palette,
                      const ConvertSettings& settings);

// Made, run modal with every other editor window hidden and disabled, deleted.
void RunBitmapConvertDialog(platform::WindowHandle parent, EditorApp* app);

class BitmapConvertDialog : public DialogBase
{
public:
    BitmapConvertDialog(platform::WindowHandle parent, EditorApp* app);

    void OnCommand(uintptr_t wParam, intptr_t lParam) override;
    intptr_t WindowProc(platform::WindowHandle window, uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    int OnInitDialog(uintptr_t wParam, intptr_t lParam) override;

    // EditConfig's settings and ConversionPalette: 1 when written.
    int ConvertFile(const std::string& outputPath, const std::string& inputPath);
    // Every file of the list; the number of files that failed. While the
    // conversion palette is not loaded, the run is refused with the error box
    // naming its file and no file is touched.
    int ConvertAll();

    const CheckedVector<std::string>& Files() const { return m_Files; }

private:
    void UpdateControls();
    void ChooseFiles();
    void ChooseFolder();

    CheckedVector<std::string> m_Files;
    ListBox<std::string> m_FileList;
    CheckedVector<NumberEdit<int32_t>> m_NumberEdits;
    CheckedVector<TextEdit> m_TextEdits;
    CheckedVector<CheckBox> m_CheckBoxes;
    int32_t m_bRunning = 0;
};
