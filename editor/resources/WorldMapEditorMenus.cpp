#include "editor/resources/MenuItems.h"
#include "editor/resources/WindowResources.h"
#include "editor/resources/WorldMapEditorIds.h"

const WindowResourceGroup& WorldMapEditorWindowResources()
{
    static const WindowResourceGroup group = {
        // Menus.
        {
            {kMenuWorldMapEditor, {{
                MenuPopup("ファイル(&F)", {
                    MenuCommand(kCmdSaveStage, "上書き保存(&S)\tCtrl+S"),
                    MenuSeparator(),
                    MenuCommand(kCmdWorldSaveAndQuit, "上書き保存して終了(&C)"),
                    MenuCommand(kCmdWorldQuit, "保存せずに終了(&E)"),
                }),
                MenuPopup("編集(&E)", {
                    MenuCommand(kCmdUndo, "元に戻す(&U)\tCtrl+Z"),
                    MenuCommand(kCmdRedo, "やり直し(&R)\tCtrl+Y"),
                    MenuSeparator(),
                    MenuCommand(kCmdClearChips, "全てのマップチップをクリア(&M)"),
                    MenuCommand(kCmdClearEvents, "全てのイベントをクリア(&V)"),
                }),
                MenuPopup("パレット(&P)", {
                    MenuCommand(kCmdMenuMapChips, "マップチップ(&M)"),
                    MenuCommand(kCmdMenuEvents, "イベント(&E)"),
                }),
                MenuPopup("設定(&S)", {
                    MenuCommand(kCmdWorldSettings, "ワールドマップの設定(&W)"),
                }),
            }}},
            {kMenuWorldEventPalette, {{
                MenuPopup("ファイル(&F)", {
                    MenuCommand(kCmdWorldPaletteLoad, "パレットのロード(&O)"),
                    MenuCommand(kCmdWorldPaletteSave, "パレットの保存(&A)"),
                    MenuSeparator(),
                    MenuCommand(kCmdWorldPaletteDefault, "デフォルトパレットの変更(&D)"),
                }),
            }}},
        },
        // Tool bars.
        {
            {kToolBarWorldMapEditor,
             {
                 BarButton(platform::kStdImageSave, kCmdSaveStage, "上書き保存"),
                 BarSeparator(),
                 BarButton(platform::kStdImageUndo, kCmdUndo, "元に戻す"),
                 BarButton(platform::kStdImageRedo, kCmdRedo, "やり直し"),
                 BarSeparator(),
             },
             {
                 BarCheckButton(0, kCmdBarMapChips, "マップチップパレット"),
                 BarCheckButton(1, kCmdBarEvents, "イベントパレット"),
             },
             "bmp\\ToolBar_WorldPalette.bmp"},
        },
    };
    return group;
}
