#pragma once

// The game thread's procedure: one frame of the scene manager after another,
// each paced to the frame rate and run under the game-data lock, while the
// game is the active program, until the thread is asked to quit. When a frame
// reports that the game cannot go on, the thread asks for the close of the
// main window and ends; the main thread then ends the program.
//
// A frame driver (the scripted runs) is asked before each frame, under the
// lock; it sets the frame's keys and checks the game between frames. When it
// answers false no further frame runs and the thread ends.

class FrameDriver
{
public:
    virtual ~FrameDriver() = default;
    virtual bool BeforeFrame() = 0;
};

// Set before the game thread starts (null: none).
void SetFrameDriver(FrameDriver* driver);

// The frame driver's look before a frame that the event thread runs (the
// game thread waits in the stage meanwhile): true when no driver is set or
// it wants the frame.
bool DriveEventFrame();

void GameThreadProc();
