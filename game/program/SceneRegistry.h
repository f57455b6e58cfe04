#pragma once

// Which scene class the game makes for each scene id. A scene that is not
// built yet has no maker: its id shows no scene until it is.

class SceneManager;

void RegisterScenes(SceneManager& manager);
