#include "editor/resources/StageEditorIds.h"
#include "editor/resources/WindowResources.h"

using platform::MenuItem;
using platform::ToolButton;

namespace
{

MenuItem Item(int command, const char* text)
{
    MenuItem item;
    item.m_nCommand = command;
    item.m_strText = text;
    return item;
}

MenuItem Separator()
{
    MenuItem item;
    item.m_bSeparator = true;
    return item;
}

MenuItem Popup(const char* text, std::vector<MenuItem> items)
{
    MenuItem item;
    item.m_strText = text;
    item.m_SubItems = std::move(items);
    return item;
}

ToolbarButtonEntry Button(int image, int command, const char* tip, uint8_t style = 0)
{
    return {ToolButton{image, command, ToolButton::kStateEnabled, style}, tip};
}

ToolbarButtonEntry BarSeparator()
{
    return {ToolButton{0, 0, ToolButton::kStateEnabled, ToolButton::kStyleSeparator}, nullptr};
}

// A button of a group of which one is checked at a time.
ToolbarButtonEntry CheckButton(int image, int command, const char* tip)
{
    return Button(image, command, tip, ToolButton::kStyleCheck);
}

Accelerator Ctrl(char key, int command)
{
    return {static_cast<uint32_t>(key), platform::kKeyControl, command};
}

} // namespace

const WindowResourceGroup& StageEditorWindowResources()
{
    static const WindowResourceGroup group = {
        // Menus.
        {
            {kMenuStageEditor, {{
                Popup("ファイル(&F)", {
                    Item(kCmdNewStage, "新規作成(&N)"),
                    Item(kCmdOpenStage, "開く(&O)\tCtrl+O"),
                    Item(kCmdSaveStage, "上書き保存(&S)\tCtrl+S"),
                    Item(kCmdSaveStageAs, "新規保存(&A)"),
                    Separator(),
                    Item(kCmdDefaultStage, "デフォルトステージの変更(&D)"),
                }),
                Popup("編集(&E)", {
                    Item(kCmdUndo, "元に戻す(&U)\tCtrl+Z"),
                    Item(kCmdRedo, "やり直し(&R)\tCtrl+Y"),
                    Separator(),
                    Item(kCmdClearChips, "全てのマップチップをクリア(&M)"),
                    Item(kCmdClearEnemies, "全ての敵をクリア(&C)"),
                    Item(kCmdClearEvents, "全てのイベントをクリア(&E)"),
                }),
                Popup("パレット(&P)", {
                    Item(kCmdMenuMapChips, "マップチップ(&M)"),
                    Item(kCmdMenuEnemies, "敵キャラ(&C)"),
                    Item(kCmdMenuEvents, "イベント(&E)"),
                }),
                Popup("ステージ(&S)", {
                    Item(kCmdStageSettings, "ステージの設定(&S)"),
                    Item(kCmdPositionGroups, "位置グループの設定(&P)"),
                    Item(kCmdStartEvent, "初期イベント(&E)"),
                    Separator(),
                    Item(kCmdWorldMap, "ワールドマップ(&W)"),
                    Item(kCmdDatabase, "データベース(&D)"),
                }),
                Popup("ツール(&T)", {
                    Item(kCmdTestPlay, "テストプレイ(&T)\tCtrl+T"),
                    Separator(),
                    Item(kCmdEditOptions, "エディットオプション(&O)"),
                    Item(kCmdBitmapTool, "ビットマップ変換ツール(&B)"),
                }),
            }}},
            // The pop-up on the map while the event palette is active: sub-menu 0.
            {kMenuStagePopup, {{
                Popup("イベント", {
                    Item(kCmdEventEdit, "編集"),
                    Item(kCmdEventNew, "新規作成"),
                    Separator(),
                    Item(kCmdEventCut, "切り取り"),
                    Item(kCmdEventCopy, "コピー"),
                    Item(kCmdEventPaste, "貼り付け"),
                    Separator(),
                    Item(kCmdEventDelete, "削除"),
                }),
            }}},
        },
        // Tool bars.
        {
            {kToolBarStageEditor,
             {
                 Button(platform::kStdImageNew, kCmdNewStage, "新規作成"),
                 Button(platform::kStdImageOpen, kCmdOpenStage, "開く"),
                 Button(platform::kStdImageSave, kCmdSaveStage, "上書き保存"),
                 BarSeparator(),
                 Button(platform::kStdImageUndo, kCmdUndo, "元に戻す"),
                 Button(platform::kStdImageRedo, kCmdRedo, "やり直し"),
                 BarSeparator(),
             },
             {
                 CheckButton(0, kCmdBarMapChips, "マップチップパレット"),
                 CheckButton(1, kCmdBarEnemies, "敵パレット"),
                 CheckButton(2, kCmdBarEvents, "イベントパレット"),
             },
             "bmp\\ToolBar_Palette.bmp"},
            {kToolBarMapChipPalette,
             {},
             {
                 CheckButton(0, kCmdToolPen, "普通"),
                 CheckButton(1, kCmdToolLine, "直線"),
                 CheckButton(2, kCmdToolRectangle, "矩形"),
                 CheckButton(3, kCmdToolFill, "塗り潰し"),
             },
             "bmp\\ToolBar_Pen.bmp"},
        },
        // Accelerators: the stage's keys, and the list-editing keys the map leaves alone.
        {
            {kAcceleratorsStageEditor,
             {
                 Ctrl('X', kCmdListCut),
                 Ctrl('C', kCmdListCopy),
                 Ctrl('V', kCmdListPaste),
                 Ctrl('N', kCmdListNew),
                 Ctrl('I', kCmdListAdd),
                 {platform::kVkDelete, 0, kCmdListClear},
                 Ctrl('O', kCmdOpenStageKey),
                 Ctrl('S', kCmdSaveStageKey),
                 Ctrl('Z', kCmdUndoKey),
                 Ctrl('Y', kCmdRedoKey),
                 Ctrl('T', kCmdTestPlayKey),
             }},
        },
    };
    return group;
}
