#include "game/engine/TextHooks.h"

void DrawFpsText(int)
{
}

void CreateSceneFont(int)
{
}

void ReleaseSceneFont(int)
{
}

void SceneDrawTarget::DrawBox(int, int, int, int, int)
{
}

void SceneDrawTarget::DrawText(int, int, int, std::string_view)
{
}

void SceneDrawTarget::DrawTextBox(int, int, int, int, int, std::string_view, int, uint32_t)
{
}
