#include "editor/resources/MenuItems.h"
#include "editor/resources/StageEditorIds.h"
#include "editor/resources/WindowResources.h"

const WindowResourceGroup& StageEditorWindowResources()
{
    static const WindowResourceGroup group = {
        // Menus.
        {
            {kMenuStageEditor, {{
                MenuPopup("ファイル(&F)", {
                    MenuCommand(kCmdNewStage, "新規作成(&N)"),
                    MenuCommand(kCmdOpenStage, "開く(&O)\tCtrl+O"),
                    MenuCommand(kCmdSaveStage, "上書き保存(&S)\tCtrl+S"),
                    MenuCommand(kCmdSaveStageAs, "新規保存(&A)"),
                    MenuSeparator(),
                    MenuCommand(kCmdDefaultStage, "デフォルトステージの変更(&D)"),
                }),
                MenuPopup("編集(&E)", {
                    MenuCommand(kCmdUndo, "元に戻す(&U)\tCtrl+Z"),
                    MenuCommand(kCmdRedo, "やり直し(&R)\tCtrl+Y"),
                    MenuSeparator(),
                    MenuCommand(kCmdClearChips, "全てのマップチップをクリア(&M)"),
                    MenuCommand(kCmdClearEnemies, "全ての敵をクリア(&C)"),
                    MenuCommand(kCmdClearEvents, "全てのイベントをクリア(&E)"),
                }),
                MenuPopup("パレット(&P)", {
                    MenuCommand(kCmdMenuMapChips, "マップチップ(&M)"),
                    MenuCommand(kCmdMenuEnemies, "敵キャラ(&C)"),
                    MenuCommand(kCmdMenuEvents, "イベント(&E)"),
                }),
                MenuPopup("ステージ(&S)", {
                    MenuCommand(kCmdStageSettings, "ステージの設定(&S)"),
                    MenuCommand(kCmdPositionGroups, "位置グループの設定(&P)"),
                    MenuCommand(kCmdStartEvent, "初期イベント(&E)"),
                    MenuSeparator(),
                    MenuCommand(kCmdWorldMap, "ワールドマップ(&W)"),
                    MenuCommand(kCmdDatabase, "データベース(&D)"),
                }),
                MenuPopup("ツール(&T)", {
                    MenuCommand(kCmdTestPlay, "テストプレイ(&T)\tCtrl+T"),
                    MenuSeparator(),
                    MenuCommand(kCmdEditOptions, "エディットオプション(&O)"),
                    MenuCommand(kCmdBitmapTool, "ビットマップ変換ツール(&B)"),
                }),
            }}},
            // The event palette's menu bar.
            {kMenuEventPalette, {{
                MenuPopup("ファイル(&F)", {
                    MenuCommand(kCmdLoadPalette, "パレットのロード(&O)"),
                    MenuCommand(kCmdSavePalette, "パレットの保存(&A)"),
                    MenuSeparator(),
                    MenuCommand(kCmdDefaultPalette, "デフォルトパレットの変更(&D)"),
                }),
            }}},
        },
        // Tool bars.
        {
            {kToolBarStageEditor,
             {
                 BarButton(platform::kStdImageNew, kCmdNewStage, "新規作成"),
                 BarButton(platform::kStdImageOpen, kCmdOpenStage, "開く"),
                 BarButton(platform::kStdImageSave, kCmdSaveStage, "上書き保存"),
                 BarSeparator(),
                 BarButton(platform::kStdImageUndo, kCmdUndo, "元に戻す"),
                 BarButton(platform::kStdImageRedo, kCmdRedo, "やり直し"),
                 BarSeparator(),
             },
             {
                 BarCheckButton(0, kCmdBarMapChips, "マップチップパレット"),
                 BarCheckButton(1, kCmdBarEnemies, "敵パレット"),
                 BarCheckButton(2, kCmdBarEvents, "イベントパレット"),
             },
             "bmp\\ToolBar_Palette.bmp"},
            {kToolBarMapChipPalette,
             {},
             {
                 BarCheckButton(0, kCmdToolPen, "普通"),
                 BarCheckButton(1, kCmdToolLine, "直線"),
                 BarCheckButton(2, kCmdToolRectangle, "矩形"),
                 BarCheckButton(3, kCmdToolFill, "塗り潰し"),
             },
             "bmp\\ToolBar_Pen.bmp"},
        },
    };
    return group;
}
